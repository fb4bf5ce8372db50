// Three Video elements play one three-channel recording, as the main window
// does: one view at 1280 x 720 with sound, two muted at 640 x 360. The
// recording is 720p (all three channels), or with --size 1080p a 1920 x 1080
// front and two 1280 x 720 channels. With --sync a ViewSync keeps the small
// views in step with the large one, as in the main window.
// Prints, for the render path the scene graph chose, the time from play() to
// the first picture on screen, the CPU used over the measured seconds (in %
// of one core), the pictures each view drew, and the frames mpv dropped or
// showed late; the memory (resident set) and threads the three views add
// to the process, read before they are made and again while they play; and
// the spread of the three views' positions (largest less smallest), sampled
// every 100 ms from one second after play(). Not a timed test:
// scripts/measure-players.sh runs it under Xvfb for both paths.
//
//   measure_players [--seconds N] [--file RECORDING] [--size 720p|1080p] [--sync]
#include "playerregistration.h"
#include "recordingwriter.h"
#include "video.h"
#include "viewsync.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <sys/resource.h>

using velmora::Video;

namespace {

const char *const WindowScene = R"(
import QtQuick 2.12
import QtQuick.Window 2.12
Window { width: 1280; height: 1080; visible: true; color: "#282828" }
)";

const char *const Views = R"(
import QtQuick 2.12
import VelmoraPlayer 1.0
Item {
    Video { objectName: "large"; x: 0; y: 0; width: 1280; height: 720; videoTrack: 0
            volume: 0.7; fillMode: VideoOutput.Stretch }
    Video { objectName: "cam1"; x: 0; y: 720; width: 640; height: 360; videoTrack: 1
            muted: true; fillMode: VideoOutput.Stretch }
    Video { objectName: "cam2"; x: 640; y: 720; width: 640; height: 360; videoTrack: 2
            muted: true; fillMode: VideoOutput.Stretch }
}
)";

// The process's resident set in kB and its thread count, from /proc.
struct Usage {
    qint64 rssKb = 0;
    int threads = 0;
};

Usage usage() {
    Usage u;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return u;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            u.rssKb = line.mid(6).trimmed().split(' ').value(0).toLongLong();
        else if (line.startsWith("Threads:"))
            u.threads = line.mid(8).trimmed().toInt();
    }
    return u;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// An object of type T from inline QML, or null after printing why.
template <typename T> T *create(QQmlEngine *engine, const char *qml) {
    QQmlComponent component(engine);
    component.setData(qml, QUrl());
    T *made = qobject_cast<T *>(component.create());
    if (!made)
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
    return made;
}

// A 75 s recording (long enough for a minute of measuring), written once.
QString recording(const QString &given, bool fullHd) {
    if (!given.isEmpty())
        return given;
    const QString path = QDir(QStringLiteral(BENCH_DATA_DIR))
                             .filePath(fullHd ? QStringLiteral("R_20261206_091500_T_N_1080p.avi")
                                              : QStringLiteral("R_20261206_091500_T_N_720p75.avi"));
    if (QFileInfo(path).size() > 0)
        return path;
    QDir().mkpath(QStringLiteral(BENCH_DATA_DIR));
    velmora::demo::RecordingOptions o;
    o.channels = 3;
    o.seconds = 75;
    o.payload = velmora::demo::Payload::Hevc;
    o.hevcWidth = fullHd ? 1920 : 1280;
    o.hevcHeight = fullHd ? 1080 : 720;
    o.hevcOtherWidth = 1280;
    o.hevcOtherHeight = 720;
    std::fprintf(stderr, "writing %s (encodes HEVC once) ...\n", qPrintable(path));
    const auto written = velmora::demo::writeRecording(path, o);
    if (!written.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(written.error));
        return QString();
    }
    return path;
}

struct View {
    Video *video = nullptr;
    qint64 playAt = 0;      // ms on the clock when play() was called
    qint64 firstShown = -1; // ms from play() to the first frame swapped with its picture
    bool pictureWaiting = false;
    int pictures = 0; // pictures drawn in the measured seconds
    qint64 dropped = 0;
    qint64 delayed = 0;
};

} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QCommandLineParser parser;
    parser.addOption({"seconds", "seconds to measure", "N", "10"});
    parser.addOption({"file", "a three-channel recording", "PATH"});
    parser.addOption({"size", "720p, or 1080p for a 1080p front", "SIZE", "720p"});
    parser.addOption({"sync", "keep the small views in step with the large one"});
    parser.process(app);
    const int seconds = parser.value("seconds").toInt();
    const QString file = recording(parser.value("file"), parser.value("size") == "1080p");
    if (file.isEmpty())
        return 1;

    velmora::registerPlayerTypes();
    QQmlEngine engine;
    QScopedPointer<QQuickWindow> window(create<QQuickWindow>(&engine, WindowScene));
    if (!window)
        return 1;
    // The window on screen without views: what the views add is measured
    // from here.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 500)
        app.processEvents(QEventLoop::AllEvents, 50);
    const Usage withoutViews = usage();
    QScopedPointer<QQuickItem> viewsItem(create<QQuickItem>(&engine, Views));
    if (!viewsItem)
        return 1;
    viewsItem->setParentItem(window->contentItem());
    const Usage viewsMade = usage();

    velmora::ViewSync sync;
    sync.setEnabled(parser.isSet("sync"));

    View views[3];
    const char *names[] = {"large", "cam1", "cam2"};
    for (int i = 0; i < 3; ++i) {
        View &v = views[i];
        v.video = viewsItem->findChild<Video *>(names[i]);
        v.video->setSource(QUrl::fromLocalFile(file));
        if (i == 0)
            sync.setMaster(v.video);
        QObject::connect(v.video, &Video::frameReady, [&v] {
            v.pictureWaiting = true;
            ++v.pictures;
        });
    }
    QObject::connect(window.data(), &QQuickWindow::frameSwapped, [&] {
        for (View &v : views) {
            if (v.pictureWaiting && v.firstShown < 0 && v.playAt > 0)
                v.firstShown = clock.elapsed() - v.playAt;
            v.pictureWaiting = false;
        }
    });

    sync.setFollowers({QVariant::fromValue<QObject *>(views[1].video),
                       QVariant::fromValue<QObject *>(views[2].video)});

    // The spread of the three positions, every 100 ms from a second after
    // play(); a sample taken while a view seeks counts apart.
    std::vector<qint64> spreads;
    int seekingSamples = 0;
    QTimer sampler;
    sampler.setInterval(100);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        qint64 low = 0, high = 0;
        for (int i = 0; i < 3; ++i) {
            const qint64 at = views[i].video->clockPosition();
            if (at < 0) {
                ++seekingSamples;
                return;
            }
            low = i == 0 ? at : std::min(low, at);
            high = i == 0 ? at : std::max(high, at);
        }
        spreads.push_back(high - low);
    });
    QTimer::singleShot(2000, &sampler, qOverload<>(&QTimer::start));

    double cpuAtStart = 0;
    qint64 wallAtStart = 0;
    // Start once the window is on screen, measure after a second of play.
    QTimer::singleShot(1000, [&] {
        for (View &v : views) {
            v.playAt = clock.elapsed();
            v.video->play();
        }
    });
    QTimer::singleShot(2000, [&] {
        for (View &v : views) {
            v.pictures = 0;
            v.dropped = v.video->droppedFrames();
            v.delayed = v.video->delayedFrames();
        }
        cpuAtStart = cpuSeconds();
        wallAtStart = clock.elapsed();
    });
    QTimer::singleShot(2000 + seconds * 1000, [&] {
        const double wall = (clock.elapsed() - wallAtStart) / 1000.0;
        const double cpu = cpuSeconds() - cpuAtStart;
        const Usage playing = usage();
        std::printf("render path: %s (scene graph: %s)\n",
                    views[0].video->softwareRendering() ? "software" : "OpenGL",
                    qPrintable(QQuickWindow::sceneGraphBackend().isEmpty()
                                   ? QStringLiteral("OpenGL")
                                   : QQuickWindow::sceneGraphBackend()));
        std::printf("recording: %s\n", qPrintable(file));
        std::printf("CPU over %.1f s: %.0f %% of one core\n", wall, 100.0 * cpu / wall);
        std::printf("memory: %lld MB without views, %lld MB playing, %.1f MB per view\n",
                    withoutViews.rssKb / 1024, playing.rssKb / 1024,
                    (playing.rssKb - withoutViews.rssKb) / 1024.0 / 3);
        std::printf("threads: %d without views, %d once made, %d playing\n", withoutViews.threads,
                    viewsMade.threads, playing.threads);
        sampler.stop();
        std::sort(spreads.begin(), spreads.end());
        if (!spreads.empty()) {
            const auto at = [&](double q) {
                return spreads[std::size_t(q * (spreads.size() - 1))];
            };
            std::printf("spread of the positions (%s, %zu samples, %d while seeking): median %lld "
                        "ms, 95th percentile %lld ms, largest %lld ms; %d sync seeks\n",
                        sync.enabled() ? "ViewSync on" : "no ViewSync", spreads.size(),
                        seekingSamples, static_cast<long long>(at(0.5)),
                        static_cast<long long>(at(0.95)), static_cast<long long>(spreads.back()),
                        sync.seeks());
        }
        for (int i = 0; i < 3; ++i) {
            const View &v = views[i];
            std::printf("%-5s %4dx%-4d first picture %4lld ms after play(), %5.1f pictures/s, "
                        "dropped %lld, late %lld, position %lld ms\n",
                        names[i], int(v.video->width()), int(v.video->height()),
                        static_cast<long long>(v.firstShown), v.pictures / wall,
                        static_cast<long long>(v.video->droppedFrames() - v.dropped),
                        static_cast<long long>(v.video->delayedFrames() - v.delayed),
                        static_cast<long long>(v.video->position()));
        }
        app.quit();
    });
    return app.exec();
}
