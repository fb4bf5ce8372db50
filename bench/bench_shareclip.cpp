// Sharing a clip (all cameras, caption, H.264 and AAC in MP4) against the
// ffmpeg program doing the same job in the same run: the same recording,
// filter graph (with a fixed caption text, as ffmpeg has no telemetry),
// encoders and settings. Two recordings: the demo card's first 20 s drive
// clip (three 320 x 180 cameras) and a 60 s recording of three 720p cameras.
// Prints the export's speed as a ratio of ffmpeg's (target at least 0.9x)
// and, for the 720p recording, against real time (target faster).
//
//   bench_shareclip [--quick] [benchmark options]   --quick: 10 s of 720p, one pass
#include "benchratio.h"
#include "democard.h"
#include "recordingwriter.h"
#include "shareclip.h"
#include "sharelayout.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

bool quick = false;

QString dataDir() {
    return QStringLiteral(BENCH_DATA_DIR);
}

struct Case {
    QString recording;
    QSize cameras[3];
    int seconds = 0;
};

// The demo card's first drive clip; three 320 x 180 cameras.
const Case &trip() {
    static Case c;
    if (c.recording.isEmpty()) {
        const QString card = QDir(dataDir()).filePath(QStringLiteral("share-demo-card"));
        if (!QDir(card).exists())
            velmora::makeDemoCard(card);
        c.recording = card + QStringLiteral("/Drive/R_20261206_081512_T_N.avi");
        c.cameras[0] = c.cameras[1] = c.cameras[2] = QSize(320, 180);
        c.seconds = 20;
    }
    return c;
}

// Three 720p cameras, 60 s (10 s when quick), written once.
const Case &hd() {
    static Case c;
    if (c.recording.isEmpty()) {
        c.seconds = quick ? 10 : 60;
        c.recording = QDir(dataDir()).filePath(
            QStringLiteral("R_20261206_091700_T_N_720p%1.avi").arg(c.seconds));
        if (!QFile::exists(c.recording)) {
            velmora::demo::RecordingOptions o;
            o.channels = 3;
            o.seconds = c.seconds;
            o.payload = velmora::demo::Payload::Hevc;
            o.hevcWidth = 1280;
            o.hevcHeight = 720;
            std::fprintf(stderr, "writing %s ...\n", qPrintable(c.recording));
            if (!velmora::demo::writeRecording(c.recording, o).ok)
                std::exit(1);
        }
        c.cameras[0] = c.cameras[1] = c.cameras[2] = QSize(1280, 720);
    }
    return c;
}

const Case &caseOf(const benchmark::State &state) {
    return state.range(0) == 0 ? trip() : hd();
}

QString outPath() {
    return QDir(dataDir()).filePath(QStringLiteral("shared.mp4"));
}

void BM_Ours(benchmark::State &state) {
    const Case &c = caseOf(state);
    velmora::media::ShareClipRequest request;
    request.source = c.recording;
    request.output = outPath();
    for (auto _ : state) {
        const auto result = velmora::media::shareClip(request);
        if (result.status != velmora::media::ShareClipResult::Status::Written)
            state.SkipWithError(qPrintable(result.message));
    }
}

// The same graph for ffmpeg, its caption text read from a file.
QStringList ffmpegArguments(const Case &c) {
    const velmora::media::ShareLayout layout =
        velmora::media::shareLayout({c.cameras[0], c.cameras[1], c.cameras[2]}, true);
    const velmora::media::CaptionBar bar = velmora::media::captionBar(layout.output);
    const QString textFile = QDir(dataDir()).filePath(QStringLiteral("caption.txt"));
    QFile text(textFile);
    if (text.open(QIODevice::WriteOnly))
        text.write("2026-12-06 08:15:27   41 Km/h   41.38712 N  2.16987 E   "
                   "X:0.01  Y:-0.02  Z:0.98");
    text.close();
    QString graph;
    for (int i = 0; i < 3; ++i)
        graph += QStringLiteral("[0:v:%1]null[in%1];").arg(i);
    graph += layout.graph +
             QStringLiteral(";[out]format=yuv420p,drawbox=x=0:y=ih-%1:w=iw:h=%1:color=black@0.65:"
                            "t=fill,drawtext=fontfile='%2':textfile='%3':fontsize=%4:"
                            "fontcolor=white:x=%5:y=%6[v]")
                 .arg(bar.height)
                 .arg(QStringLiteral(FONT_FILE))
                 .arg(textFile)
                 .arg(bar.fontSize)
                 .arg(bar.textLeft)
                 .arg(bar.textTop);
    return {"-v",       "error", "-y",   "-i",         c.recording, "-filter_complex", graph,
            "-map",     "[v]",   "-map", "0:a:0",      "-c:v",      "libx264",         "-preset",
            "veryfast", "-crf",  "20",   "-profile:v", "high",      "-pix_fmt",        "yuv420p",
            "-c:a",     "aac",   "-b:a", "64k",        "-movflags", "+faststart",      outPath()};
}

void BM_Ffmpeg(benchmark::State &state) {
    const QStringList arguments = ffmpegArguments(caseOf(state));
    for (auto _ : state) {
        QProcess ffmpeg;
        ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        ffmpeg.start(QStringLiteral("ffmpeg"), arguments);
        if (!ffmpeg.waitForFinished(-1) || ffmpeg.exitCode() != 0)
            state.SkipWithError("ffmpeg failed");
    }
}

void registerAll() {
    const int iterations = quick ? 1 : 3;
    for (auto *bench : {benchmark::RegisterBenchmark("BM_Ffmpeg/trip", BM_Ffmpeg)->Arg(0),
                        benchmark::RegisterBenchmark("BM_Ours/trip", BM_Ours)->Arg(0),
                        benchmark::RegisterBenchmark("BM_Ffmpeg/720p", BM_Ffmpeg)->Arg(1),
                        benchmark::RegisterBenchmark("BM_Ours/720p", BM_Ours)->Arg(1)})
        bench->Unit(benchmark::kMillisecond)->Iterations(iterations)->UseRealTime();
}

void printFigures(const velmora::bench::RatioReporter &reporter) {
    for (const std::string name : {"trip", "720p"}) {
        const auto ours = reporter.ms("BM_Ours/" + name), theirs = reporter.ms("BM_Ffmpeg/" + name);
        if (!ours || !theirs)
            continue;
        std::printf("%s: %.0f ms, ffmpeg %.0f ms: %.2fx ffmpeg's speed (target at least 0.9x)\n",
                    name.c_str(), *ours, *theirs, *theirs / *ours);
        if (name == "720p")
            std::printf("720p: %.2fx real time (%d s of recording; target above 1x)\n",
                        hd().seconds * 1000.0 / *ours, hd().seconds);
    }
}

} // namespace

int main(int argc, char **argv) {
    quick = velmora::bench::takeFlag(argc, argv, "--quick");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QDir().mkpath(dataDir());
    trip();
    hd();
    registerAll();
    velmora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printFigures(reporter);
    QFile::remove(outPath());
    return 0;
}
