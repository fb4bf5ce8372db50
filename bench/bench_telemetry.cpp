// The telemetry extraction over a 60-second, three-channel recording of about
// 450 MB (synthetic payload at 1080p-like rates), with the page cache warm.
//
// Baseline: one sequential read of the whole file, in the same run. Before the
// timed runs the program checks, once each:
//  - the bytes the extraction reads (counted by its reader, and by the
//    kernel's rchar in /proc/self/io), against the 2 MB budget;
//  - the peak memory the extraction adds, in a fresh process of this program
//    ("--memory-probe FILE") whose first extraction it is: the kernel's peak
//    RSS (VmHWM) is reset through /proc/self/clear_refs just before, and read
//    just after;
//  - its 1,800 records against the whole-file byte search it replaced
//    (tests/referenceextraction.h), record by record.
#include "benchratio.h"
#include "benchread.h"
#include "benchrecording.h"
#include "recordingwriter.h"
#include "referenceextraction.h"
#include "telemetrycompare.h"
#include "telemetryextraction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr int Seconds = 60;
constexpr int Records = Seconds * 30;
constexpr qint64 ReadBudget = 2 * 1024 * 1024;
constexpr qint64 MemoryBudgetKb = 16 * 1024;

bool g_failed = false;

void fail(const char *what) {
    std::printf("FAILED: %s\n", what);
    g_failed = true;
}

// Written once into the build tree and reused by later runs. The second file
// is the same recording without idx1, for the chunk walk.
QString writeOnce(const QString &name, bool index) {
    const QString dir = QStringLiteral(BENCH_DATA_DIR);
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name);
    const velmora::TelemetryExtraction existing = velmora::extractTelemetry(path);
    if (QFileInfo(path).size() < 400'000'000 || existing.records != Records ||
        existing.usedIndex != index) {
        velmora::demo::RecordingOptions o = velmora::bench::largeRecording();
        o.writeIndex = index;
        o.drive.voidSeconds = {10, 11, 12};
        o.drive.nonRmcSeconds = {20};
        o.drive.gnrmcSeconds = {30, 31};
        velmora::bench::writeRecordingOrExit(path, o);
    }
    return path;
}

const QString &recording() {
    static const QString path = writeOnce(QStringLiteral("R_20261206_081512_T_N.avi"), true);
    return path;
}

const QString &recordingWithoutIndex() {
    static const QString path = writeOnce(QStringLiteral("R_20261206_081512_T_P.avi"), false);
    return path;
}

void warmPageCache(const QString &path) {
    QByteArray block(1 << 20, '\0');
    velmora::bench::readWholeFile(path, block);
}

// A field of /proc/self/status ("VmHWM", "VmRSS") in kB, or -1.
qint64 statusKb(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(QByteArray(field) + ':'))
            return line.mid(int(qstrlen(field)) + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

qint64 procIoRchar() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

bool resetPeakRss() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Run in a fresh process: prints the kB the first extraction adds to the
// peak RSS, or -1.
int memoryProbe(const QString &path) {
    warmPageCache(path);
    if (!resetPeakRss())
        return std::printf("-1\n"), 1;
    const qint64 before = statusKb("VmRSS");
    const velmora::TelemetryExtraction result = velmora::extractTelemetry(path);
    const qint64 peak = statusKb("VmHWM");
    if (before < 0 || peak < 0 || result.records != Records)
        return std::printf("-1\n"), 1;
    std::printf("%lld %lld %lld\n", static_cast<long long>(peak - before),
                static_cast<long long>(peak), static_cast<long long>(before));
    return 0;
}

void checkMemory(const char *program, const QString &path) {
    const QByteArray command =
        "'" + QByteArray(program) + "' --memory-probe '" + QFile::encodeName(path) + "'";
    FILE *probe = ::popen(command.constData(), "r");
    long long added = -1, peak = -1, before = -1;
    if (probe) {
        if (std::fscanf(probe, "%lld %lld %lld", &added, &peak, &before) != 3)
            added = -1;
        ::pclose(probe);
    }
    if (added < 0) {
        fail("cannot measure the peak RSS (/proc/self/clear_refs, /proc/self/status)");
        return;
    }
    std::printf("peak memory added by the extraction (fresh process): %lld kB"
                " (VmHWM %lld kB - VmRSS before %lld kB) (target under %lld kB): %s\n",
                added, peak, before, static_cast<long long>(MemoryBudgetKb),
                added < MemoryBudgetKb ? "met" : "MISSED");
    if (added >= MemoryBudgetKb)
        fail("memory budget");
}

void checkOnce(const char *program) {
    const QString path = recording();
    std::printf("recording: %s, %lld bytes\n", qPrintable(path),
                static_cast<long long>(QFileInfo(path).size()));
    checkMemory(program, path);
    warmPageCache(path);
    warmPageCache(recordingWithoutIndex());

    const qint64 rcharBefore = procIoRchar();
    const velmora::TelemetryExtraction result = velmora::extractTelemetry(path);
    const qint64 rcharAfter = procIoRchar();
    std::printf("bytes read by the extraction: %lld (reader), %lld (rchar), via %s"
                " (target at most %lld): %s\n",
                static_cast<long long>(result.bytesRead),
                static_cast<long long>(rcharAfter - rcharBefore),
                result.usedIndex ? "idx1" : "the chunk walk", static_cast<long long>(ReadBudget),
                result.bytesRead <= ReadBudget ? "met" : "MISSED");
    if (result.bytesRead > ReadBudget)
        fail("read budget");

    const velmora::reference::ReferenceResult reference =
        velmora::reference::byteSearchExtraction(path);
    const QString difference =
        velmora::testing::telemetryDifference(result.telemetry, reference.telemetry);
    std::printf("records: %d (reference byte search %d), samples %d, GPS records %d; %s\n",
                result.records, reference.records, int(result.telemetry.magnetic.size()),
                int(result.telemetry.gio.size()),
                difference.isEmpty() ? "equal to the reference, record for record"
                                     : qPrintable("DIFFERENT: " + difference));
    if (result.records != Records || !difference.isEmpty())
        fail("records against the reference");
}

void BM_SequentialRead(benchmark::State &state) {
    const QString path = recording();
    QByteArray block(1 << 20, '\0');
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::bench::readWholeFile(path, block));
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_SequentialRead)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_Extraction(benchmark::State &state) {
    const QString path = recording();
    qint64 bytesRead = 0;
    for (auto _ : state) {
        const velmora::TelemetryExtraction result = velmora::extractTelemetry(path);
        if (result.records != Records)
            state.SkipWithError("wrong record count");
        bytesRead = result.bytesRead;
    }
    state.counters["bytesRead"] = double(bytesRead);
}
BENCHMARK(BM_Extraction)->Unit(benchmark::kMillisecond)->Repetitions(3);

// Without idx1: the walk reads every chunk header of the data list.
void BM_ExtractionChunkWalk(benchmark::State &state) {
    const QString path = recordingWithoutIndex();
    qint64 bytesRead = 0;
    for (auto _ : state) {
        const velmora::TelemetryExtraction result = velmora::extractTelemetry(path);
        if (result.records != Records || result.usedIndex)
            state.SkipWithError("wrong record count or path");
        bytesRead = result.bytesRead;
    }
    state.counters["bytesRead"] = double(bytesRead);
}
BENCHMARK(BM_ExtractionChunkWalk)->Unit(benchmark::kMillisecond)->Repetitions(3);

// The whole-file byte search the extraction replaced, for comparison; it holds
// the whole file in memory while it runs.
void BM_ReferenceByteSearch(benchmark::State &state) {
    const QString path = recording();
    for (auto _ : state) {
        const auto result = velmora::reference::byteSearchExtraction(path);
        if (result.records != Records)
            state.SkipWithError("wrong record count");
    }
}
BENCHMARK(BM_ReferenceByteSearch)->Unit(benchmark::kMillisecond)->Iterations(2);

void printRatios(const velmora::bench::RatioReporter &reporter) {
    const std::optional<double> read = reporter.ms("BM_SequentialRead");
    const std::optional<double> extraction = reporter.ms("BM_Extraction");
    if (!read || !extraction)
        return;
    const double ratio = *read / *extraction;
    std::printf("extraction %.3f ms, sequential read %.3f ms: %.1fx faster"
                " (target at least 20x): %s\n",
                *extraction, *read, ratio, ratio >= 20.0 ? "met" : "MISSED");
    if (const std::optional<double> walk = reporter.ms("BM_ExtractionChunkWalk"))
        std::printf("without idx1 (chunk walk) %.3f ms: %.1fx faster than the read\n", *walk,
                    *read / *walk);
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && std::strcmp(argv[1], "--memory-probe") == 0)
        return memoryProbe(QFile::decodeName(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    checkOnce(argv[0]);
    velmora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printRatios(reporter);
    return g_failed ? 1 : 0;
}
