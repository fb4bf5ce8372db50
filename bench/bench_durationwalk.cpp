// The duration walk over a 60-second, three-channel recording of about 450 MB
// (synthetic payload at 1080p-like rates), with the page cache warm.
//
// Baseline: one sequential read of the file's first 1 MB through QFile. The
// walk is a chain of small reads and seeks over the same file, so reading a
// fixed amount of it measures the same machine (syscalls, page cache, memory
// copy) and keeps the ratio comparable between machines. A stat() of the file
// and a read of the whole file are shown as the floor and the ceiling.
#include "durationwalk.h"
#include "recordingwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
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
        velmora::fixtures::RecordingOptions o;
        o.channels = 3;
        o.seconds = Seconds;
        o.videoChunkSize = 83'000; // about 20 Mbit/s per camera
        std::fprintf(stderr, "writing %s ...\n", qPrintable(path));
        const auto written = velmora::fixtures::writeRecording(path, o);
        if (!written.ok) {
            std::fprintf(stderr, "%s\n", qPrintable(written.error));
            std::exit(1);
        }
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
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        qint64 total = 0;
        for (qint64 n; (n = file.read(block.data(), block.size())) > 0;)
            total += n;
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond)->Iterations(5);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const std::string &name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean")
                m_mean[name] = run.GetAdjustedRealTime() * 1e3 /
                               benchmark::GetTimeUnitMultiplier(run.time_unit);
            else if (run.run_type == Run::RT_Iteration && !m_mean.count(name))
                m_ms[name] = run.real_accumulated_time * 1e3 / double(run.iterations);
        }
        for (const auto &[name, ms] : m_mean)
            m_ms[name] = ms;
    }
    void printRatios() const {
        const auto baseline = m_ms.find("BM_BaselineRead1MB");
        const auto walk = m_ms.find("BM_DurationWalk");
        if (baseline == m_ms.end() || walk == m_ms.end())
            return;
        for (const auto &[name, ms] : m_ms) {
            if (name != baseline->first)
                std::printf("%s: %.3f ms, %.2fx the 1 MB read (%.3f ms)\n", name.c_str(), ms,
                            ms / baseline->second, baseline->second);
        }
        std::printf("duration walk: %.3f ms (target under 10 ms): %s\n", walk->second,
                    walk->second < 10.0 ? "met" : "MISSED");
    }

private:
    std::map<std::string, double> m_ms;
    std::map<std::string, double> m_mean;
};

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    recording();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printRatios();
    return 0;
}
