// The Video element in real windows on real HEVC recordings; the program runs
// once with the OpenGL picture and once with the software one.
#include "framegeometry.h"
#include "hevcclips.h"
#include "playerregistration.h"
#include "recordingwriter.h"
#include "testfiles.h"
#include "video.h"
#include "videocapture.h"

#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <memory>

using namespace velmora;
using namespace velmora::demo;

namespace {

const QSize FrameSize(320, 180); // the recordings' frames
constexpr int Stopped = MediaPlayerEnums::StoppedState, Playing = MediaPlayerEnums::PlayingState,
              Paused = MediaPlayerEnums::PausedState;
constexpr qint64 FrameMs = 34; // one frame at 30 fps, rounded up

// Peak signal-to-noise ratio of two RGB32 pictures (their fourth bytes are
// both 0xff); 0 when the sizes differ.
double psnr(const QImage &a, const QImage &b) {
    if (a.isNull() || a.size() != b.size())
        return 0;
    double squares = 0;
    for (qsizetype i = 0; i < a.sizeInBytes(); ++i)
        squares += std::pow(a.constBits()[i] - b.constBits()[i], 2);
    const double mse = squares / (3.0 * a.width() * a.height());
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// A saturated pixel of the track's band colour (red, green, blue).
bool isBand(QRgb c, int track) {
    const int channel[3] = {qRed(c), qGreen(c), qBlue(c)};
    return channel[track] > 150 && channel[(track + 1) % 3] <= 90 && channel[(track + 2) % 3] <= 90;
}

// ffmpeg's decode of frame `frame` of video stream `track`, saved to `out`,
// turned into RGB as mpv does (zimg: BT.601 limited range, chroma sited left,
// bilinear); ffmpeg's default differs by about 26 dB on the picture's edges.
QImage ffmpegFrame(const QString &file, int track, int frame, const QString &out) {
    const QString filters = QString("select=eq(n\\,%1),zscale=min=170m:tin=601:pin=170m:rin=limited"
                                    ":m=170m:t=601:p=170m:r=full:cin=left:f=bilinear,format=gbrp")
                                .arg(frame);
    return QProcess::execute("ffmpeg",
                             {"-v", "error", "-y", "-i", file, "-map", QString("0:v:%1").arg(track),
                              "-vf", filters, "-frames:v", "1", out}) == 0
               ? QImage(out).convertToFormat(QImage::Format_RGB32)
               : QImage();
}

// Video elements in a window of their own, from inline QML.
struct Scene {
    Scene(QQmlEngine *engine, const QSize &size, const QString &items)
        : m_window(std::make_unique<QQuickWindow>()) {
        m_window->setColor(Qt::black);
        m_window->resize(size);
        QQmlComponent component(engine);
        component.setData("import QtQuick 2.12\nimport VelmoraPlayer 1.0\nItem {\n" +
                              items.toUtf8() + "}\n",
                          QUrl("scene.qml"));
        m_root.reset(qobject_cast<QQuickItem *>(component.create()));
        QVERIFY2(m_root, qPrintable(component.errorString()));
        m_root->setParentItem(m_window->contentItem());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    Video *video(const QString &name = "v") const {
        return m_root ? m_root->findChild<Video *>(name) : nullptr;
    }
    QImage grab() { return m_window->grabWindow().convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<QQuickWindow> m_window; // declared first: the elements go before it
    std::unique_ptr<QQuickItem> m_root;
};

QString videoItem(const QString &file, int track, const QRect &at = QRect(QPoint(), FrameSize),
                  const QString &name = "v") {
    return QString::asprintf(
        "Video { id: %s; objectName: \"%s\"; source: \"%s\"; videoTrack: %d;"
        " x: %d; y: %d; width: %d; height: %d; fillMode: VideoOutput.Stretch }\n",
        qPrintable(name), qPrintable(name), qPrintable(QUrl::fromLocalFile(file).toString()), track,
        at.x(), at.y(), at.width(), at.height());
}

// The element's current frame, saved through its capture object.
QImage captureFrame(Video *video, const QString &dir, const QString &name) {
    VideoCapture *capture = video->videoCapture();
    capture->setCaptureDir(dir);
    capture->setCaptureName(name);
    QSignalSpy saved(capture, &VideoCapture::saved), failed(capture, &VideoCapture::failed);
    capture->capture();
    if (!QTest::qWaitFor([&] { return !saved.isEmpty() || !failed.isEmpty(); }, 5000) ||
        saved.isEmpty())
        return {};
    return QImage(saved.first().first().toString()).convertToFormat(QImage::Format_RGB32);
}

bool openPaused(Video *video, qint64 ms) {
    QSignalSpy paused(video, &Video::paused);
    video->pause();
    video->seek(ms);
    return paused.wait(10000) || !paused.isEmpty();
}

} // namespace

class TestPlayer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QQmlEngine m_engine;
    const QString m_file = m_dir.filePath("R_20261206_101010_T_N.avi");

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C"); // mpv refuses any other numeric locale
        registerPlayerTypes();
        RecordingOptions options; // three tracks; a data list of odd size, padded for the player
        options.channels = 3;
        options.payload = Payload::Hevc;
        options.seconds = 6;
        options.moviParity = MoviParity::Odd;
        QVERIFY(writeRecording(m_file, options).ok);
    }

    // Seeks while the file loads and while paused show ffmpeg's frame of the
    // track. The clip repeats every 5 s; 4.5 s lies between key frames, where
    // a seek without the index breaks.
    void seekShowsTheTracksFrame() {
        if (!ffmpegAvailable())
            QSKIP("the reference frames need the ffmpeg program (Debian package ffmpeg)");
        const int track = 1;
        Scene scene(&m_engine, FrameSize, videoItem(m_file, track));
        Video *video = scene.video();
        QVERIFY(video);
        QCOMPARE(video->softwareRendering(), qgetenv("QT_QUICK_BACKEND") == "software");
        QVERIFY(openPaused(video, 5000));
        QCOMPARE(QSize(video->videoFrameWidth(), video->videoFrameHeight()), FrameSize);
        for (const qint64 ms : {5000, 4500}) {
            if (ms != 5000)
                video->seek(ms);
            const QImage reference =
                ffmpegFrame(m_file, track, int(ms * 30 / 1000), m_dir.filePath("reference.png"));
            QVERIFY2(!reference.isNull(), "ffmpeg gave no frame");
            QImage frame; // the picture may still be on its way: capture until one matches
            QTRY_VERIFY2((frame = captureFrame(video, m_dir.filePath("track"), "frame"),
                          psnr(frame, reference) >= 30),
                         qPrintable(QString("%1 ms: PSNR %2 dB against ffmpeg's frame")
                                        .arg(ms)
                                        .arg(psnr(frame, reference), 0, 'f', 1)));
            QVERIFY(isBand(frame.pixel(280, 90), track)); // the band over the right quarter
            QVERIFY(video->position() >= ms - FrameMs);
        }
    }

    // A step on shows ffmpeg's next frame, a step back the one before, and
    // the element stays paused.
    void stepsShowTheNextAndPreviousFrames() {
        if (!ffmpegAvailable())
            QSKIP("the reference frames need the ffmpeg program (Debian package ffmpeg)");
        const int track = 0, first = 135; // at 4.5 s
        Scene scene(&m_engine, FrameSize, videoItem(m_file, track));
        Video *video = scene.video();
        QVERIFY(video);
        QVERIFY(openPaused(video, first * 1000 / 30));
        const QImage references[2] = {
            ffmpegFrame(m_file, track, first, m_dir.filePath("first.png")),
            ffmpegFrame(m_file, track, first + 1, m_dir.filePath("next.png"))};
        QVERIFY(psnr(references[0], references[1]) < 30); // the two frames tell apart
        QSignalSpy paused(video, &Video::paused);
        const struct {
            void (Video::*step)();
            int shown;
        } steps[] = {{nullptr, 0}, {&Video::stepForward, 1}, {&Video::stepBackward, 0}};
        for (const auto &[step, shown] : steps) {
            if (step)
                (video->*step)();
            QImage frame;
            QTRY_VERIFY2((frame = captureFrame(video, m_dir.filePath("step"), "frame"),
                          psnr(frame, references[shown]) >= 30),
                         qPrintable(QString("frame %1: PSNR %2 dB")
                                        .arg(first + shown)
                                        .arg(psnr(frame, references[shown]), 0, 'f', 1)));
            QCOMPARE(video->playbackState(), Paused);
        }
        QVERIFY(paused.isEmpty()); // already paused: no second announcement
    }

    // Play, pause, seek, stop, a paused open, the end of the file and a new
    // start, after a missing file: the states in that order and no others.
    void transport() {
        QVector<int> states; // outlives the element that fills it
        Scene scene(&m_engine, FrameSize,
                    videoItem(m_dir.filePath("R_20261206_000000_S_N.avi"), 0));
        Video *video = scene.video();
        QVERIFY(video);
        connect(video, &Video::playbackStateChanged, video,
                [&] { states.append(video->playbackState()); });
        QSignalSpy playing(video, &Video::playing), stopped(video, &Video::stopped);

        video->play(); // a file that is not there: stopped, never playing, no capture
        QVERIFY(stopped.wait(10000));
        QVERIFY(captureFrame(video, m_dir.filePath("early"), "none").isNull());
        QVERIFY(!QFile::exists(m_dir.filePath("early/none.png")));
        video->setSource(QUrl::fromLocalFile(m_file));
        video->play();
        QVERIFY(playing.wait(10000));
        video->pause();
        video->seek(2000);
        QTRY_VERIFY_WITH_TIMEOUT(video->position() >= 2000 - FrameMs, 5000);
        video->play();
        QTRY_VERIFY_WITH_TIMEOUT(video->position() >= 2400, 5000);
        video->stop();
        QCOMPARE(stopped.count(), 2); // at once, not when mpv reports back

        // A pause() of a stopped element opens the file paused, never playing;
        // from there to the end, and then from the start again.
        QVERIFY(openPaused(video, 3000));
        video->play();
        QTRY_COMPARE_WITH_TIMEOUT(stopped.count(), 3, 8000);
        video->play();
        QVERIFY(playing.wait(10000));
        QVERIFY2(video->position() < 3000, "the new start began where the file ended");
        video->stop();
        QCOMPARE(states, (QVector<int>{Playing, Paused, Playing, Stopped, Paused, Playing, Stopped,
                                       Playing, Stopped}));
    }

    // Turned, flipped and zoomed into a region on a paused picture, as the
    // scene's buttons do: the view shows the captured frame where placeFrame
    // puts it and mapPointToSource names the same frame points.
    void picturePlacement() {
        const QSize viewSize(400, 260); // larger than the frame, and not its aspect
        Scene scene(&m_engine, viewSize, videoItem(m_file, 2, QRect(QPoint(), viewSize)));
        Video *video = scene.video();
        QVERIFY(video);
        QVERIFY(openPaused(video, 1000));
        // Captured once decoded, into folders made for it, given as a URL.
        const QString folder = m_dir.filePath("captures/a/b");
        QImage frame;
        QTRY_VERIFY(!(frame = captureFrame(video, QUrl::fromLocalFile(folder).toString(), "shot"))
                         .isNull());
        QVERIFY(QFile::exists(folder + "/shot.png"));
        QCOMPARE(frame.size(), FrameSize); // the frame, not the view
        QVERIFY(isBand(frame.pixel(280, 90), 2));

        const QRectF region(60, 30, 160, 100);
        video->setOrientation(90);
        video->setVflip(true);
        video->setFillMode(VideoOutputEnums::PreserveAspectFit);
        video->setRoiX(region.x());
        video->setRoiY(region.y());
        video->setRoiWidth(region.width());
        video->setRoiHeight(region.height());
        const FramePlacement placed =
            placeFrame({QSizeF(viewSize), FrameSize, region, 90, true, true});
        QImage expected(viewSize, QImage::Format_RGB32); // the frame drawn where placed
        expected.fill(Qt::black);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setTransform(placed.frameToView);
        painter.drawImage(0, 0, frame);
        painter.end();
        QTRY_VERIFY2(psnr(scene.grab(), expected) >= 20,
                     qPrintable(QString("PSNR %1 dB").arg(psnr(scene.grab(), expected))));
        for (const QPointF p : {QPointF(0, 0), QPointF(123, 45), QPointF(399, 259)})
            QCOMPARE(video->mapPointToSource(p), placed.toFrame(p));
    }

    // Three elements on one file play and advance, each showing its own track.
    // A follower sent two seconds ahead is brought back to the large view by
    // a seek, its playbackRate untouched. The large view is destroyed while
    // the window goes on drawing the others; then the window closes under
    // those two.
    void threeElementsPlayTogether() {
        QString items;
        for (int i = 0; i < 3; ++i)
            items += videoItem(m_file, i, QRect(200 * i, 0, 200, 120), QString("v%1").arg(i));
        items += "ViewSync { objectName: \"sync\"; master: v0; followers: [v1, v2] }\n";
        Scene scene(&m_engine, QSize(600, 120), items);
        QObject *sync = scene.m_root->findChild<QObject *>("sync");
        QVERIFY(sync);
        QVector<Video *> videos;
        for (int i = 0; i < 3; ++i) {
            videos << scene.video(QString("v%1").arg(i));
            QVERIFY(videos[i]);
            videos[i]->play();
        }
        for (Video *video : videos)
            QTRY_VERIFY_WITH_TIMEOUT(video->position() > 1000, 20000);
        const QImage shown = scene.grab();
        for (int i = 0; i < 3; ++i) // each view's band, over its right quarter
            QVERIFY2(isBand(shown.pixel(200 * i + 180, 60), i), qPrintable(QString::number(i)));

        videos[1]->seek(videos[0]->position() + 2000);
        QTRY_VERIFY_WITH_TIMEOUT(sync->property("seeks").toInt() >= 1, 5000);
        // A seek sets the position at once; what mpv reports after it tells
        // whether the picture went there. Back within the distance at which
        // the follower would be sought again.
        QSignalSpy moved(videos[1], &Video::positionChanged);
        QTRY_VERIFY_WITH_TIMEOUT(!videos[1]->seeking() && moved.count() >= 5, 5000);
        QVERIFY2(
            std::abs(videos[1]->position() - videos[0]->position()) < 500,
            qPrintable(QString("%1 / %2").arg(videos[1]->position()).arg(videos[0]->position())));
        QCOMPARE(videos[1]->playbackRate(), 1.0);

        delete videos[0];
        const qint64 before = videos[1]->position();
        QVERIFY(!scene.grab().isNull());
        QTRY_VERIFY_WITH_TIMEOUT(videos[1]->position() > before + 200, 5000);
        scene.m_window.reset(); // as a scene closes: the window first, its elements after it
    }
};

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
