// The player's threads: mpv's event and render callbacks, and the software
// picture's render thread, while elements play, seek, stop and are destroyed
// mid-play. Runs without a display (software scene graph), also under
// ThreadSanitizer; the pictures themselves are checked by tst_player.
#include "playerregistration.h"
#include "recordingwriter.h"
#include "video.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <memory>

using namespace velmora;

class PlayerThreadsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_recording;
    QQmlEngine *m_engine = nullptr;

    std::unique_ptr<QQuickWindow> scene() {
        QQmlComponent component(m_engine);
        component.setData(R"(
import QtQuick 2.12
import QtQuick.Window 2.12
import VelmoraPlayer 1.0
Window {
    width: 480; height: 120; visible: true
    Row {
        Video { objectName: "view0"; width: 160; height: 90; videoTrack: 0 }
        Video { objectName: "view1"; width: 160; height: 90; videoTrack: 1; muted: true }
        Video { objectName: "view2"; width: 160; height: 90; videoTrack: 2; muted: true }
    }
})",
                          QUrl());
        auto *window = qobject_cast<QQuickWindow *>(component.create());
        if (!window)
            qWarning() << component.errorString();
        return std::unique_ptr<QQuickWindow>(window);
    }

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C");
        qputenv("VELMORA_VIDEO_RENDERER", "software");
        registerPlayerTypes();
        m_engine = new QQmlEngine(this);
        fixtures::RecordingOptions o;
        o.channels = 3;
        o.seconds = 3;
        o.payload = fixtures::Payload::Hevc;
        m_recording = m_dir.filePath(QStringLiteral("R_20261206_101010_T_N.avi"));
        QVERIFY(fixtures::writeRecording(m_recording, o).ok);
    }

    // Three elements at once, through play, pause, seek, resume and stop, and
    // then through to the end of the file.
    void threeElementsRunTheirCourse() {
        const auto window = scene();
        QVERIFY(window);
        QList<Video *> views;
        for (int i = 0; i < 3; ++i)
            views << window->findChild<Video *>(QStringLiteral("view%1").arg(i));
        QSignalSpy stopped(views[0], &Video::stopped);
        for (Video *v : views) {
            v->setSource(QUrl::fromLocalFile(m_recording));
            v->play();
        }
        for (Video *v : views)
            QTRY_COMPARE(v->playbackState(), int(MediaPlayerEnums::PlayingState));
        for (Video *v : views) {
            v->pause();
            v->seek(1000);
        }
        for (Video *v : views)
            QCOMPARE(v->playbackState(), int(MediaPlayerEnums::PausedState));
        for (Video *v : views)
            v->play();
        QTest::qWait(300);
        views[1]->stop();
        QCOMPARE(views[1]->playbackState(), int(MediaPlayerEnums::StoppedState));
        QTRY_COMPARE_WITH_TIMEOUT(stopped.size(), 1, 10000); // the end of the file
        QCOMPARE(views[0]->playbackState(), int(MediaPlayerEnums::StoppedState));
    }

    // A load stopped before mpv began it leaves no events of its own: the
    // next play() must still open the file.
    void stoppedBeforeTheFileOpens() {
        const auto window = scene();
        QVERIFY(window);
        Video *v = window->findChild<Video *>(QStringLiteral("view0"));
        v->setSource(QUrl::fromLocalFile(m_recording));
        QSignalSpy playing(v, &Video::playing);
        for (int round = 0; round < 3; ++round) {
            v->play();
            v->stop();
            v->play();
            QTRY_COMPARE_WITH_TIMEOUT(v->playbackState(), int(MediaPlayerEnums::PlayingState),
                                      10000);
            v->stop();
        }
        QCOMPARE(playing.size(), 3);
    }

    // Elements destroyed while loading, playing and paused.
    void destroyedWhilePlaying() {
        for (int round = 0; round < 3; ++round) {
            auto window = scene();
            QVERIFY(window);
            for (int i = 0; i < 3; ++i) {
                Video *v = window->findChild<Video *>(QStringLiteral("view%1").arg(i));
                v->setSource(QUrl::fromLocalFile(m_recording));
                v->play();
                if (i == 2)
                    v->pause();
            }
            QTest::qWait(round * 200);
            window.reset();
        }
    }
};

QTEST_MAIN(PlayerThreadsTest)
#include "tst_player_threads.moc"
