// Copying one recording-sized file of 1 GiB with the copier, which hashes it
// while copying, syncs it, and reads the copy back from the disk to compare.
//
// Baselines in the same run: `cp` alone, and `cp` followed by `sha256sum` of
// the copy (what a careful user would do by hand). Target: no slower than
// cp + sha256sum. The source is cached the way reading it from a card leaves
// it; before each pass the last copy is removed and everything written back.
//   bench_copy [--quick] [benchmark options]   --quick: 64 MiB, one pass
#include "benchratio.h"
#include "recordingcopier.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <random>
#include <unistd.h>

namespace {

bool quick = false;

QString dataDir() {
    return QStringLiteral(BENCH_DATA_DIR);
}

qint64 sourceSize() {
    return quick ? (qint64(64) << 20) : (qint64(1) << 30);
}

QString sourcePath() {
    return QDir(dataDir()).filePath(QStringLiteral("copy-source-%1.bin").arg(sourceSize() >> 20));
}

QString copyPath() {
    return QDir(dataDir()).filePath(QStringLiteral("copy-target.bin"));
}

// Random bytes, written once and read through so that the cache holds them.
void writeSource() {
    const QByteArray path = QFile::encodeName(sourcePath());
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::fprintf(stderr, "cannot write %s\n", path.constData());
        std::exit(1);
    }
    if (::lseek(fd, 0, SEEK_END) != sourceSize()) {
        ::ftruncate(fd, 0);
        std::mt19937_64 random(19);
        std::vector<std::uint64_t> block((1 << 20) / sizeof(std::uint64_t));
        for (qint64 written = 0; written < sourceSize(); written += 1 << 20) {
            for (std::uint64_t &word : block)
                word = random();
            if (::write(fd, block.data(), 1 << 20) != 1 << 20) {
                std::fprintf(stderr, "cannot write %s\n", path.constData());
                std::exit(1);
            }
        }
        ::fdatasync(fd);
    }
    static char buffer[1 << 20];
    ::lseek(fd, 0, SEEK_SET);
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
    ::close(fd);
}

// Removes the last copy and lets the disk write everything back, untimed.
void clearTarget(benchmark::State &state) {
    state.PauseTiming();
    QFile::remove(copyPath());
    QFile::remove(QDir(dataDir()).filePath(QStringLiteral("SHA256SUMS")));
    ::sync();
    state.ResumeTiming();
}

void runCommand(benchmark::State &state, const QByteArray &command) {
    for (auto _ : state) {
        clearTarget(state);
        if (std::system(command.constData()) != 0)
            state.SkipWithError("command failed");
    }
}

QByteArray quoted(const QString &path) {
    return "'" + QFile::encodeName(path) + "'";
}

void BM_Cp(benchmark::State &state) {
    runCommand(state, "cp " + quoted(sourcePath()) + " " + quoted(copyPath()));
}

void BM_CpSha256sum(benchmark::State &state) {
    runCommand(state, "cp " + quoted(sourcePath()) + " " + quoted(copyPath()) + " && sha256sum " +
                          quoted(copyPath()) + " >/dev/null");
}

void BM_VerifiedCopy(benchmark::State &state) {
    for (auto _ : state) {
        clearTarget(state);
        QString error;
        if (!velmora::RecordingCopier::copyFile(sourcePath(), copyPath(), {}, {}, nullptr, &error))
            state.SkipWithError(qPrintable(error));
    }
}

void registerAll() {
    const int repetitions = quick ? 1 : 3;
    for (auto *bench : {benchmark::RegisterBenchmark("BM_Cp", BM_Cp),
                        benchmark::RegisterBenchmark("BM_CpSha256sum", BM_CpSha256sum),
                        benchmark::RegisterBenchmark("BM_VerifiedCopy", BM_VerifiedCopy)})
        bench->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(repetitions)
            ->UseRealTime();
}

void printRatios(const velmora::bench::RatioReporter &reporter) {
    const std::optional<double> cp = reporter.ms("BM_Cp");
    const std::optional<double> checked = reporter.ms("BM_CpSha256sum");
    const std::optional<double> ours = reporter.ms("BM_VerifiedCopy");
    if (!cp || !checked || !ours)
        return;
    std::printf("%lld MiB: verified copy %.0f ms, cp %.0f ms (%.2fx), cp + sha256sum %.0f ms "
                "(%.2fx; target at most 1x): %s\n",
                static_cast<long long>(sourceSize() >> 20), *ours, *cp, *ours / *cp, *checked,
                *ours / *checked, *ours <= *checked ? "met" : "MISSED");
}

} // namespace

int main(int argc, char **argv) {
    quick = velmora::bench::takeFlag(argc, argv, "--quick");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QDir().mkpath(dataDir());
    writeSource();
    registerAll();
    velmora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printRatios(reporter);
    QFile::remove(copyPath());
    QFile::remove(sourcePath());
    return 0;
}
