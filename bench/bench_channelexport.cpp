// Exporting one camera channel of a 60-second, three-channel recording of
// about 450 MB, with the page cache warm.
//
// Baseline: `cp` copying a file of exactly the export's output size within
// the same folder, in the same run. The export's throughput is its output
// bytes over its time; the target is at least 0.7x cp's. Both sources are
// cached the way reading them from a card leaves them.
#include "benchratio.h"
#include "benchrecording.h"
#include "channelexport.h"
#include "durationwalk.h"
#include "recordingwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

constexpr int Seconds = 60;
constexpr int Frames = Seconds * 30;
constexpr int Channel = 1;

QString dataDir() {
    return QStringLiteral(BENCH_DATA_DIR);
}

// Drops the file's pages and reads it through, so its cache is what reading
// it from the card builds (read ahead), not what writing it left.
void warm(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    static char block[1 << 20];
    while (::read(fd, block, sizeof block) > 0) {
    }
    ::close(fd);
}

// The recording the other benchmarks use, written once into the build tree.
const QString &recording() {
    static QString path;
    if (!path.isEmpty())
        return path;
    QDir().mkpath(dataDir());
    path = QDir(dataDir()).filePath(QStringLiteral("R_20261206_081512_T_N.avi"));
    const velmora::DurationWalkResult existing =
        velmora::DurationWalk::walkFile(path, velmora::DurationWalk::NameGate::Skip);
    if (existing.frames != Frames || QFileInfo(path).size() < 400'000'000) {
        velmora::bench::writeRecordingOrExit(path, velmora::bench::largeRecording());
    }
    warm(path);
    std::fprintf(stderr, "recording: %s, %lld bytes\n", qPrintable(path),
                 static_cast<long long>(QFileInfo(path).size()));
    return path;
}

QString outputPath() {
    return QDir(dataDir()).filePath(QStringLiteral("R_20261206_081512_T_N_CAM1.avi"));
}

// A file as large as the export's output, for cp to copy.
const QString &cpSource(qint64 *bytes = nullptr) {
    static QString path;
    static qint64 size = 0;
    if (path.isEmpty()) {
        const velmora::ChannelExportResult r =
            velmora::ChannelExport::run(recording(), outputPath(), Channel);
        if (!r.ok()) {
            std::fprintf(stderr, "export failed: %s\n", qPrintable(r.error));
            std::exit(1);
        }
        size = r.bytes;
        path = QDir(dataDir()).filePath(QStringLiteral("cp-source.bin"));
        QFile::remove(path);
        QFile::copy(outputPath(), path);
        warm(path);
        std::fprintf(stderr, "export output: %lld bytes\n", static_cast<long long>(size));
    }
    if (bytes)
        *bytes = size;
    return path;
}

QString copyPath() {
    return QDir(dataDir()).filePath(QStringLiteral("cp-copy.bin"));
}

void BM_Cp(benchmark::State &state) {
    qint64 bytes = 0;
    const QByteArray from = QFile::encodeName(cpSource(&bytes));
    const QByteArray to = QFile::encodeName(copyPath());
    const QByteArray command = "cp '" + from + "' '" + to + "'";
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(to.constData());
        ::sync(); // no writeback of the last copy runs beside this one
        state.ResumeTiming();
        if (std::system(command.constData()) != 0)
            state.SkipWithError("cp failed");
    }
}
BENCHMARK(BM_Cp)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

void BM_ExportChannel(benchmark::State &state) {
    qint64 bytes = 0;
    cpSource(&bytes);
    const QString source = recording();
    const QString out = outputPath();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(out);
        ::sync(); // no writeback of the last export runs beside this one
        state.ResumeTiming();
        const velmora::ChannelExportResult r = velmora::ChannelExport::run(source, out, Channel);
        if (!r.ok() || r.bytes != bytes)
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_ExportChannel)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

void printRatios(const velmora::bench::RatioReporter &reporter) {
    const std::optional<double> cp = reporter.ms("BM_Cp");
    const std::optional<double> exported = reporter.ms("BM_ExportChannel");
    if (!cp || !exported)
        return;
    reporter.printAgainst("BM_Cp", "cp time", 1);
    const double throughput = *cp / *exported;
    std::printf("export throughput: %.2fx cp's (target at least 0.7x): %s\n", throughput,
                throughput >= 0.7 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    cpSource();
    // Recordings written just before (by this or another benchmark) are not
    // still being written back while the copies are timed.
    ::sync();
    velmora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printRatios(reporter);
    QFile::remove(outputPath());
    QFile::remove(copyPath());
    QFile::remove(cpSource());
    return 0;
}
