// mpv's event and render callbacks and the software picture's render thread
// while elements play, seek, stop and are destroyed mid-play, and the script
// threads mpv must not start; also run under ThreadSanitizer. The pictures
// themselves: tst_player.
#include "playerregistration.h"
#include "recordingwriter.h"
#include "video.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtTest>
#include <clocale>
#include <memory>

using namespace velmora;

constexpr int Playing = MediaPlayerEnums::PlayingState;

class PlayerThreadsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QQmlEngine m_engine;
    const QString m_recording = m_dir.filePath("R_20261206_101010_T_N.avi");
    std::unique_ptr<QQuickWindow> m_window; // made for every test: tracks 0 to 2 side by side
    QList<Video *> m_views;

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C");
        qputenv("VELMORA_VIDEO_RENDERER", "software");
        registerPlayerTypes();
        demo::RecordingOptions o;
        o.channels = 3;
        o.seconds = 3;
        o.payload = demo::Payload::Hevc;
        QVERIFY(demo::writeRecording(m_recording, o).ok);
    }

    void init() {
        QString views;
        for (int track = 0; track < 3; ++track)
            views += QString("Video { width: 160; height: 90; videoTrack: %1; muted: %2;"
                             " source: \"%3\" }\n")
                         .arg(track)
                         .arg(track > 0 ? "true" : "false")
                         .arg(QUrl::fromLocalFile(m_recording).toString());
        QQmlComponent component(&m_engine);
        component.setData("import QtQuick 2.12\nimport QtQuick.Window 2.12\nimport VelmoraPlayer "
                          "1.0\nWindow { width: 480; height: 120; visible: true\nRow {\n" +
                              views.toUtf8() + "} }",
                          QUrl());
        m_window.reset(qobject_cast<QQuickWindow *>(component.create()));
        QVERIFY2(m_window, qPrintable(component.errorString()));
        m_views = m_window->findChildren<Video *>();
        QCOMPARE(m_views.size(), 3);
    }

    void cleanup() { m_window.reset(); }

    // Three elements at once through play, a seek, a stop and the end of the
    // file. Then loads stopped before mpv began them: they leave no events of
    // their own, and the next play() must still open the file.
    void threeElementsRunTheirCourse() {
        QSignalSpy stopped(m_views[0], &Video::stopped), playing(m_views[0], &Video::playing);
        for (Video *v : m_views)
            v->play();
        for (Video *v : m_views) {
            QTRY_COMPARE(v->playbackState(), Playing);
            v->seek(1000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(m_views[1]->position() > 1300, 10000);
        m_views[1]->stop();
        QTRY_COMPARE_WITH_TIMEOUT(stopped.size(), 1, 10000); // the end of the file

        playing.clear();
        for (int round = 0; round < 3; ++round) {
            m_views[0]->play();
            m_views[0]->stop();
            m_views[0]->play();
            QTRY_COMPARE_WITH_TIMEOUT(m_views[0]->playbackState(), Playing, 10000);
            m_views[0]->stop();
        }
        QCOMPARE(playing.size(), 3);
    }

    // Playing elements run no Lua interpreters: every mpv script, its own
    // included, stays off.
    void noScriptThreads() {
        for (Video *v : m_views)
            v->play();
        for (Video *v : m_views)
            QTRY_COMPARE_WITH_TIMEOUT(v->playbackState(), Playing, 10000);
        QStringList names;
        const QDir tasks(QStringLiteral("/proc/self/task"));
        for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(tasks.filePath(task + "/comm"));
            if (comm.open(QIODevice::ReadOnly))
                names << QString::fromUtf8(comm.readAll().trimmed());
        }
        QVERIFY(names.contains("mpv/mpv core")); // the names are mpv's own
        QVERIFY2(!names.contains("mpv/lua script"), qPrintable(names.join(", ")));
    }

    // Elements destroyed while loading and with pictures on their way; one of
    // them paused.
    void destroyedWhilePlaying_data() {
        QTest::addColumn<bool>("loading");
        QTest::newRow("loading") << true;
        QTest::newRow("playing") << false;
    }
    void destroyedWhilePlaying() {
        QFETCH(bool, loading);
        for (Video *v : m_views)
            v->play();
        m_views[2]->pause();
        const QPointer<Video> paused = m_views[2];
        if (!loading)
            QTRY_VERIFY_WITH_TIMEOUT(m_views[0]->position() >= 300, 10000);
        m_window.reset();
        QVERIFY(!paused); // the elements went with their window, mid-play
    }
};

QTEST_MAIN(PlayerThreadsTest)
#include "tst_player_threads.moc"
