// Three Video elements play one 720p three-channel recording, as the main
// window does: one view at 1280 x 720 with sound, two muted at 640 x 360.
// Prints, for the render path the scene graph chose, the time from play() to
// the first picture on screen, the CPU used over the measured seconds (in %
// of one core), the pictures each view drew, and the frames mpv dropped or
// showed late; and the memory (resident set) and threads the three views add
// to the process, read before they are made and again while they play. Not a
// timed test: scripts/measure-players.sh runs it under
// Xvfb for both paths.
//
//   measure_players [--seconds N] [--file RECORDING]
#include "playerregistration.h"
#include "recordingwriter.h"
#include "video.h"

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

QString recording(const QString &given) {
    if (!given.isEmpty())
        return given;
    const QString path = QDir(QStringLiteral(BENCH_DATA_DIR))
                             .filePath(QStringLiteral("R_20261206_091500_T_N_720p.avi"));
    if (QFileInfo(path).size() > 0)
        return path;
    QDir().mkpath(QStringLiteral(BENCH_DATA_DIR));
    velmora::demo::RecordingOptions o;
    o.channels = 3;
    o.seconds = 20;
    o.payload = velmora::demo::Payload::Hevc;
    o.hevcWidth = 1280;
    o.hevcHeight = 720;
    std::fprintf(stderr, "writing %s (encodes 720p HEVC once) ...\n", qPrintable(path));
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
    parser.process(app);
    const int seconds = parser.value("seconds").toInt();
    const QString file = recording(parser.value("file"));
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

    View views[3];
    const char *names[] = {"large", "cam1", "cam2"};
    for (int i = 0; i < 3; ++i) {
        View &v = views[i];
        v.video = viewsItem->findChild<Video *>(names[i]);
        v.video->setSource(QUrl::fromLocalFile(file));
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

    double cpuAtStart = 0;
    qint64 wallAtStart = 0;
    // Start once the window is on screen, measure after a second of play.
    QTimer::singleShot(1000, [&] {
        for (View &v : views) {
            v.playAt = clock.elapsed();
            v.video->play();
        }
    });
    QTimer::singleShot(3000, [&] {
        for (View &v : views) {
            v.pictures = 0;
            v.dropped = v.video->droppedFrames();
            v.delayed = v.video->delayedFrames();
        }
        cpuAtStart = cpuSeconds();
        wallAtStart = clock.elapsed();
    });
    QTimer::singleShot(3000 + seconds * 1000, [&] {
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
