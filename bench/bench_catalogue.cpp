// The catalogue search over a full card: 5,000 recordings in the five category
// folders, against a bare directory walk that lists the same files.
#include "benchratio.h"
#include "catalogue.h"
#include "fileio.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Recordings = 5000;

// Built once per run: empty files named like the camera names them, a tenth
// of each folder in a dated subfolder, plus a few files that do not count.
const QString &card() {
    static std::unique_ptr<QTemporaryDir> dir;
    static QString root;
    if (dir)
        return root;
    dir = std::make_unique<QTemporaryDir>();
    root = dir->path() + "/";
    const char *const suffixes[] = {"N", "E", "P", "S", "M"};
    for (int i = 0; i < Recordings; ++i) {
        const int kind = i % velmora::Catalogue::CategoryCount;
        QString folder = root + velmora::Catalogue::folderName(kind);
        if (i % 10 == 9)
            folder += "/20210101";
        QDir().mkpath(folder);
        const QString name = QString::asprintf("%c_2021%02d%02d_%02d%02d%02d_T_%s.avi",
                                               i % 2 ? 'R' : 'T', 1 + i % 12, 1 + i % 28, i % 24,
                                               i % 60, (i / 60) % 60, suffixes[kind]);
        QFile(folder + "/" + name).open(QIODevice::WriteOnly);
    }
    for (int kind = 0; kind < velmora::Catalogue::CategoryCount; ++kind)
        QFile(root + velmora::Catalogue::folderName(kind) + "/index.dat")
            .open(QIODevice::WriteOnly);
    return root;
}

void BM_BaselineDirWalk(benchmark::State &state) {
    const QString root = card();
    const QStringList filters = {QStringLiteral("R_*.avi"), QStringLiteral("T_*.avi")};
    for (auto _ : state) {
        QStringList paths;
        for (int kind = 0; kind < velmora::Catalogue::CategoryCount; ++kind) {
            QDirIterator it(root + velmora::Catalogue::folderName(kind), filters,
                            QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
            while (it.hasNext())
                paths << it.next();
        }
        if (paths.size() != Recordings)
            state.SkipWithError("baseline walk missed files");
        benchmark::DoNotOptimize(paths);
    }
}
BENCHMARK(BM_BaselineDirWalk)->Unit(benchmark::kMillisecond);

void runFileSearch(benchmark::State &state) {
    FileIO file;
    file.setSource(card());
    for (auto _ : state) {
        file.fileSearch();
        benchmark::ClobberMemory();
    }
    int found = 0;
    for (int kind = 0; kind < velmora::Catalogue::CategoryCount; ++kind)
        found += file.readfileCnt(kind);
    if (found != Recordings)
        state.SkipWithError("fileSearch missed files");
}

// The debug lines switched off, as in velmora-tool.
void BM_FileSearch(benchmark::State &state) {
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    runFileSearch(state);
    QLoggingCategory::setFilterRules(QString());
}
BENCHMARK(BM_FileSearch)->Unit(benchmark::kMillisecond);

// The viewer writes a debug line per file; here it is formatted and dropped.
void BM_FileSearchWithDebugLines(benchmark::State &state) {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    runFileSearch(state);
    qInstallMessageHandler(previous);
}
BENCHMARK(BM_FileSearchWithDebugLines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    velmora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printAgainst("BM_BaselineDirWalk", "baseline walk", 2);
    return 0;
}
