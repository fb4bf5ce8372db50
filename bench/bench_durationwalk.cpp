// The duration walk over a 60-second, three-channel recording of about 450 MB
// (synthetic payload at 1080p-like rates), with the page cache warm.
//
// Baseline: one sequential read of the file's first 1 MB through QFile. The
// walk is a chain of small reads and seeks over the same file, so reading a
// fixed amount of it measures the same machine (syscalls, page cache, memory
// copy) and keeps the ratio comparable between machines. A stat() of the file
// and a read of the whole file are shown as the floor and the ceiling.
#include "benchratio.h"
#include "benchread.h"
#include "benchrecording.h"
#include "durationwalk.h"
#include "recordingwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr int Seconds = 60;
constexpr int Frames = Seconds * 30;

// Written once into the build tree and reused by later runs.
const QString &recording() {
    static QString path;
    if (!path.isEmpty())
        return path;
    const QString dir = QStringLiteral(BENCH_DATA_DIR);
    QDir().mkpath(dir);
    path = QDir(dir).filePath(QStringLiteral("T_20261206_081512_T_N.avi"));
    const velmora::DurationWalkResult existing = velmora::DurationWalk::walkFile(path);
    if (existing.frames != Frames || QFileInfo(path).size() < 400'000'000) {
        velmora::bench::writeRecordingOrExit(path, velmora::bench::largeRecording());
    }
    // Warm the page cache.
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    while (!file.read(1 << 20).isEmpty()) {
    }
    std::fprintf(stderr, "recording: %s, %lld bytes\n", qPrintable(path),
                 static_cast<long long>(QFileInfo(path).size()));
    return path;
}

void BM_BaselineRead1MB(benchmark::State &state) {
    const QString path = recording();
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.read(1 << 20);
        if (bytes.size() != (1 << 20))
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(BM_BaselineRead1MB)->Unit(benchmark::kMicrosecond);

void BM_Stat(benchmark::State &state) {
    const QByteArray path = QFile::encodeName(recording());
    for (auto _ : state) {
        struct stat info;
        benchmark::DoNotOptimize(::stat(path.constData(), &info));
    }
}
BENCHMARK(BM_Stat)->Unit(benchmark::kMicrosecond);

void BM_DurationWalk(benchmark::State &state) {
    const QString path = recording();
    for (auto _ : state) {
        const velmora::DurationWalkResult result = velmora::DurationWalk::walkFile(path);
        if (result.frames != Frames)
            state.SkipWithError("wrong frame count");
        benchmark::DoNotOptimize(result.seconds);
    }
}
BENCHMARK(BM_DurationWalk)->Unit(benchmark::kMicrosecond);

void BM_ReadWholeFile(benchmark::State &state) {
    const QString path = recording();
    QByteArray block(1 << 20, '\0');
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::bench::readWholeFile(path, block));
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond)->Iterations(5);

void printRatios(const velmora::bench::RatioReporter &reporter) {
    const std::optional<double> walk = reporter.ms("BM_DurationWalk");
    if (!reporter.ms("BM_BaselineRead1MB") || !walk)
        return;
    reporter.printAgainst("BM_BaselineRead1MB", "1 MB read", 3);
    std::printf("duration walk: %.3f ms (target under 10 ms): %s\n", *walk,
                *walk < 10.0 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    recording();
    velmora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printRatios(reporter);
    return 0;
}
