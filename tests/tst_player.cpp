// The Video element in real windows, on real HEVC recordings: the track shown
// and the frame a seek lands on (checked against ffmpeg's decode), transport
// states and signals, where the picture is drawn for every orientation, flip
// and region (and that mapPointToSource agrees with it), brightness,
// contrast, captures, and three elements playing one file.
//
// The same program runs twice: with the default scene graph (OpenGL picture)
// and with QT_QUICK_BACKEND=software (the software picture).
#include "hevcclips.h"
#include "playerregistration.h"
#include "recordingwriter.h"
#include "video.h"
#include "videocapture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <functional>
#include <memory>

using namespace velmora;
using namespace velmora::fixtures;

namespace {

constexpr int FrameWidth = 320;
constexpr int FrameHeight = 180;

// ---- pictures ----

double luma(QRgb c) {
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

struct Spread {
    double mean = 0;
    double deviation = 0;
};

Spread lumaSpread(const QImage &image) {
    double sum = 0, squares = 0;
    const qint64 n = qint64(image.width()) * image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double l = luma(image.pixel(x, y));
            sum += l;
            squares += l * l;
        }
    Spread s;
    if (n == 0)
        return s;
    s.mean = sum / n;
    s.deviation = std::sqrt(qMax(0.0, squares / n - s.mean * s.mean));
    return s;
}

// Peak signal-to-noise ratio over the RGB channels; 0 when the sizes differ.
double psnr(const QImage &a, const QImage &b) {
    if (a.size() != b.size() || a.isNull())
        return 0;
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double squares = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row);
        const uchar *q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i) {
            const double d = double(p[i]) - double(q[i]);
            squares += d * d;
        }
    }
    const double mse = squares / (double(x.width()) * x.height() * 3);
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// A saturated pixel of the track's band colour (red, green, blue).
bool isBand(QRgb c, int track) {
    const int channel[3] = {qRed(c), qGreen(c), qBlue(c)};
    for (int i = 0; i < 3; ++i)
        if ((i == track) != (channel[i] > (i == track ? 150 : 90)))
            return false;
    return true;
}

// Share of band-coloured pixels inside `part` (fractions of the image).
double bandShare(const QImage &image, const QRectF &part, int track) {
    const QRect r(qRound(part.x() * image.width()), qRound(part.y() * image.height()),
                  qRound(part.width() * image.width()), qRound(part.height() * image.height()));
    int band = 0, all = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            band += isBand(image.pixel(x, y), track);
            ++all;
        }
    return all ? double(band) / all : 0;
}

// The band colour found in the middle of the right quarter of a frame.
int bandTrackOf(const QImage &frame) {
    const QRgb c = frame.pixel(frame.width() * 7 / 8, frame.height() / 2);
    for (int track = 0; track < 3; ++track)
        if (isBand(c, track))
            return track;
    return -1;
}

bool similar(QRgb a, QRgb b, int tolerance) {
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The share of points of a grid over the view that show the frame's colour at the
// frame point `toFrame` gives for them. Scaling blurs edges, so a point
// counts when any frame pixel within two pixels of its point matches; a
// point that maps outside the frame must be black.
template <typename ToFrame>
double agreement(const QImage &view, const QImage &frame, ToFrame toFrame) {
    constexpr int Columns = 32, Rows = 20, Tolerance = 48;
    int matching = 0;
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column) {
            const QPointF p((column + 0.5) * view.width() / Columns,
                            (row + 0.5) * view.height() / Rows);
            const QRgb shown = view.pixel(int(p.x()), int(p.y()));
            const QPointF f = toFrame(p);
            if (f.x() < 0 || f.y() < 0 || f.x() >= frame.width() || f.y() >= frame.height()) {
                matching += similar(shown, qRgb(0, 0, 0), 30);
                continue;
            }
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx) {
                    const int x = qBound(0, int(f.x()) + dx, frame.width() - 1);
                    const int y = qBound(0, int(f.y()) + dy, frame.height() - 1);
                    found = similar(shown, frame.pixel(x, y), Tolerance);
                }
            matching += found;
        }
    return double(matching) / (Rows * Columns);
}

// Where a view point should show the frame, worked out by hand: the region
// fills the view (stretched, or fitted and centred), turned anticlockwise by
// the orientation, then mirrored top to bottom on the screen when flipped.
struct Expected {
    QSizeF view;
    QRectF region = QRectF(0, 0, FrameWidth, FrameHeight);
    int orientation = 0;
    bool vflip = false;
    bool fit = false;

    QPointF toFrame(const QPointF &p) const {
        const bool turned = orientation == 90 || orientation == 270;
        QSizeF shown = turned ? region.size().transposed() : region.size();
        QRectF drawn(QPointF(0, 0), view);
        if (fit) {
            shown.scale(view, Qt::KeepAspectRatio);
            drawn = QRectF(
                QPointF((view.width() - shown.width()) / 2, (view.height() - shown.height()) / 2),
                shown);
        }
        const qreal u = (p.x() - drawn.x()) / drawn.width();
        qreal v = (p.y() - drawn.y()) / drawn.height();
        if (u < 0 || u > 1 || v < 0 || v > 1)
            return QPointF(-1, -1);
        if (vflip)
            v = 1 - v;
        QPointF n;
        switch (orientation) {
        case 90: // the frame's right edge at the top, its top edge on the left
            n = QPointF(1 - v, u);
            break;
        case 180:
            n = QPointF(1 - u, 1 - v);
            break;
        case 270: // the right edge at the bottom
            n = QPointF(v, 1 - u);
            break;
        default:
            n = QPointF(u, v);
        }
        return QPointF(region.x() + n.x() * region.width(), region.y() + n.y() * region.height());
    }
};

// ffmpeg's decode of frame `frame` of video stream `track`, turned into RGB
// as mpv does it (through zimg): BT.601 limited range, chroma sited left and
// scaled bilinearly. ffmpeg's own default conversion differs from mpv's by
// about 26 dB on the sharp colour edges of the test picture.
QImage ffmpegFrame(const QString &file, int track, int frame) {
    const QString filters = QString("select=eq(n\\,%1),zscale=min=170m:tin=601:pin=170m:rin=limited"
                                    ":m=170m:t=601:p=170m:r=full:cin=left:f=bilinear,format=gbrp")
                                .arg(frame);
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", file, "-map", QString("0:v:%1").arg(track), "-vf",
                            filters, "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    if (!ffmpeg.waitForFinished(60000))
        return {};
    const QByteArray pixels = ffmpeg.readAllStandardOutput();
    if (pixels.size() != FrameWidth * FrameHeight * 3)
        return {};
    return QImage(reinterpret_cast<const uchar *>(pixels.constData()), FrameWidth, FrameHeight,
                  FrameWidth * 3, QImage::Format_RGB888)
        .copy();
}

// ---- scenes ----

// One or more Video elements in a window of their own, from inline QML.
class Scene {
public:
    Scene(QQmlEngine *engine, const QSize &size, const QString &items)
        : m_window(std::make_unique<QQuickWindow>()) {
        m_window->setColor(Qt::black);
        m_window->resize(size);
        QQmlComponent component(engine);
        component.setData(QString("import QtQuick 2.12\nimport VelmoraPlayer 1.0\n"
                                  "Item {\nwidth: %1; height: %2\n%3\n}\n")
                              .arg(size.width())
                              .arg(size.height())
                              .arg(items)
                              .toUtf8(),
                          QUrl("scene.qml"));
        m_root.reset(qobject_cast<QQuickItem *>(component.create()));
        if (!m_root) {
            error = component.errorString();
            return;
        }
        m_root->setParentItem(m_window->contentItem());
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            error = "the window was not shown";
    }

    ~Scene() {
        m_root.reset();
        m_window.reset();
    }

    // The window goes first, as when a scene closes it, and its elements
    // after it.
    void closeWindowFirst() {
        m_window.reset();
        m_root.reset();
    }

    Video *video(const QString &name = "v") const {
        return m_root ? m_root->findChild<Video *>(name) : nullptr;
    }
    QImage grab() { return m_window->grabWindow().convertToFormat(QImage::Format_RGB32); }

    // The picture once it has settled: not black, and the same in two grabs
    // in a row. Null after `timeoutMs`.
    QImage settledGrab(int timeoutMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        QImage last;
        while (timer.elapsed() < timeoutMs) {
            QTest::qWait(100);
            const QImage now = grab();
            if (!now.isNull() && now == last && lumaSpread(now).mean > 4)
                return now;
            last = now;
        }
        return {};
    }

    QString error;

private:
    std::unique_ptr<QQuickWindow> m_window;
    std::unique_ptr<QQuickItem> m_root;
};

QString videoItem(const QString &name, const QString &file, int track, const QRect &at) {
    return QString("Video { objectName: \"%1\"; source: \"%2\"; videoTrack: %3;"
                   " x: %4; y: %5; width: %6; height: %7; fillMode: VideoOutput.Stretch }\n")
        .arg(name, QUrl::fromLocalFile(file).toString())
        .arg(track)
        .arg(at.x())
        .arg(at.y())
        .arg(at.width())
        .arg(at.height());
}

// The order in which an element's playbackState changed.
class StateLog {
public:
    explicit StateLog(Video *video) {
        QObject::connect(video, &Video::playbackStateChanged, &m_context,
                         [this, video] { states.append(video->playbackState()); });
    }
    QVector<int> states;

private:
    QObject m_context;
};

// Saves the element's current frame through its capture object.
QImage captureFrame(Video *video, const QString &dir, const QString &name) {
    VideoCapture *capture = video->videoCapture();
    capture->setCaptureDir(dir);
    capture->setCaptureName(name);
    QSignalSpy saved(capture, &VideoCapture::saved);
    QSignalSpy failed(capture, &VideoCapture::failed);
    capture->capture();
    QElapsedTimer timer;
    timer.start();
    while (saved.isEmpty() && failed.isEmpty() && timer.elapsed() < 5000)
        QTest::qWait(20);
    if (saved.isEmpty())
        return {};
    return QImage(saved.first().first().toString()).convertToFormat(QImage::Format_RGB32);
}

bool openPaused(Video *video, qint64 ms) {
    QSignalSpy paused(video, &Video::paused);
    video->pause();
    video->seek(ms);
    return paused.wait(10000) || !paused.isEmpty();
}

// A window picture and a capture of the same still frame.
struct Still {
    QImage shown;
    QImage frame;
};

Still still(Scene &scene, Video *video, const QString &dir) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        const QImage before = scene.settledGrab();
        const QImage frame = captureFrame(video, dir, QString("still%1").arg(attempt));
        const QImage after = scene.settledGrab();
        if (!before.isNull() && !frame.isNull() && before == after)
            return {after, frame};
    }
    return {};
}

} // namespace

class TestPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void trackAndSeek_data();
    void trackAndSeek();
    void transport();
    void endOfFileAndMissingFile();
    void destroyWhilePlaying();
    void picturePlacement_data();
    void picturePlacement();
    void brightnessAndContrast();
    void capture();
    void threeElementsStayTogether();

private:
    QString recording(const QString &name, int channels, int seconds, MoviParity parity);
    bool softwareExpected() const { return qgetenv("QT_QUICK_BACKEND") == "software"; }

    QTemporaryDir m_dir;
    std::unique_ptr<QQmlEngine> m_engine;
    QString m_odd, m_even, m_short, m_long;
};

void TestPlayer::initTestCase() {
    // mpv refuses to start under a numeric locale other than "C".
    std::setlocale(LC_NUMERIC, "C");
    if (!ffmpegAvailable())
        QSKIP("ffmpeg is not installed (Debian package ffmpeg)");
    QVERIFY(m_dir.isValid());
    registerPlayerTypes();
    m_engine = std::make_unique<QQmlEngine>();
    m_odd = recording("R_20261206_101010_T_N.avi", 3, 6, MoviParity::Odd);
    m_even = recording("R_20261206_102010_T_N.avi", 3, 6, MoviParity::Even);
    m_short = recording("R_20261206_103010_S_N.avi", 1, 2, MoviParity::Natural);
    m_long = recording("R_20261206_104010_T_N.avi", 3, 8, MoviParity::Natural);
    QVERIFY(!m_odd.isEmpty() && !m_even.isEmpty() && !m_short.isEmpty() && !m_long.isEmpty());
}

void TestPlayer::cleanupTestCase() {
    m_engine.reset();
}

QString TestPlayer::recording(const QString &name, int channels, int seconds, MoviParity parity) {
    RecordingOptions options;
    options.channels = channels;
    options.seconds = seconds;
    options.payload = Payload::Hevc;
    options.hevcWidth = FrameWidth;
    options.hevcHeight = FrameHeight;
    options.moviParity = parity;
    const QString path = m_dir.filePath(name);
    const RecordingResult result = writeRecording(path, options);
    if (!result.ok) {
        qWarning().noquote() << name + ": " + result.error;
        return {};
    }
    if (parity != MoviParity::Natural &&
        (result.moviSize % 2 == 1) != (parity == MoviParity::Odd)) {
        qWarning().noquote() << name + ": the data list has the wrong parity";
        return {};
    }
    return path;
}

// ---- track choice and seeks ----

void TestPlayer::trackAndSeek_data() {
    QTest::addColumn<bool>("odd");
    QTest::addColumn<int>("track");
    for (const bool odd : {true, false})
        for (int track = 0; track < 3; ++track)
            QTest::addRow("%s movi, track %d", odd ? "odd" : "even", track) << odd << track;
}

// A seek asked for while the file loads and one asked for while paused both
// show the frame ffmpeg decodes at that time, of the chosen track. The clip
// repeats every 5 s, so 5.0 s looks like the first frame; 4.5 s lies between
// two key frames, where a seek without the index lands on a broken picture.
void TestPlayer::trackAndSeek() {
    QFETCH(bool, odd);
    QFETCH(int, track);
    const QString file = odd ? m_odd : m_even;
    Scene scene(m_engine.get(), QSize(FrameWidth, FrameHeight),
                videoItem("v", file, track, QRect(0, 0, FrameWidth, FrameHeight)));
    QVERIFY2(scene.error.isEmpty(), qPrintable(scene.error));
    Video *video = scene.video();
    QVERIFY(video);
    QCOMPARE(video->softwareRendering(), softwareExpected());

    QVERIFY(openPaused(video, 5000));
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::PausedState));
    QCOMPARE(video->videoFrameWidth(), FrameWidth);
    QCOMPARE(video->videoFrameHeight(), FrameHeight);

    for (const qint64 ms : {5000, 4500}) {
        if (ms != 5000)
            video->seek(ms);
        const QImage reference = ffmpegFrame(file, track, int(ms * 30 / 1000));
        QVERIFY2(!reference.isNull(), "ffmpeg gave no frame");
        QVERIFY(!scene.settledGrab().isNull());
        // The picture may still be on its way after a seek: take captures
        // until one matches or time is up.
        QImage frame;
        double quality = 0;
        QElapsedTimer timer;
        timer.start();
        while (quality < 30 && timer.elapsed() < 4000) {
            frame = captureFrame(video, m_dir.filePath("track"), "frame");
            quality = psnr(frame, reference);
            if (quality < 30)
                QTest::qWait(100);
        }
        QVERIFY2(!frame.isNull(), "no capture");
        QVERIFY2(quality >= 30, qPrintable(QString("%1 ms: PSNR %2 dB against ffmpeg's frame")
                                               .arg(ms)
                                               .arg(quality, 0, 'f', 1)));
        QCOMPARE(bandTrackOf(frame), track);
        QVERIFY(qAbs(video->position() - ms) <= 40);
    }
}

// ---- transport ----

void TestPlayer::transport() {
    Scene scene(m_engine.get(), QSize(FrameWidth, FrameHeight),
                videoItem("v", m_even, 0, QRect(0, 0, FrameWidth, FrameHeight)));
    QVERIFY2(scene.error.isEmpty(), qPrintable(scene.error));
    Video *video = scene.video();
    QVERIFY(video);
    QSignalSpy playing(video, &Video::playing);
    QSignalSpy paused(video, &Video::paused);
    QSignalSpy stopped(video, &Video::stopped);
    StateLog log(video);

    video->play();
    QVERIFY(playing.wait(10000));
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::PlayingState));
    QVERIFY2(qAbs(video->duration() - 6000) <= 100, qPrintable(QString::number(video->duration())));
    QTRY_VERIFY_WITH_TIMEOUT(video->position() >= 500, 5000);

    video->pause();
    QCOMPARE(paused.count(), 1);
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::PausedState));
    QTest::qWait(150); // the last position mpv reported on its way to the pause
    const qint64 held = video->position();
    QTest::qWait(600);
    QVERIFY2(qAbs(video->position() - held) <= 40,
             qPrintable(QString("%1 -> %2").arg(held).arg(video->position())));

    video->seek(2000);
    QTest::qWait(500);
    QVERIFY2(qAbs(video->position() - 2000) <= 40, qPrintable(QString::number(video->position())));
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::PausedState));

    video->play();
    QCOMPARE(playing.count(), 2);
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::PlayingState));
    QTRY_VERIFY_WITH_TIMEOUT(video->position() >= 2400, 5000);
    QVERIFY(video->position() < 5000);

    video->stop();
    QCOMPARE(stopped.count(), 1); // at once, not when mpv reports back
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::StoppedState));
    QTest::qWait(300);
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(playing.count(), 2);
    QCOMPARE(paused.count(), 1);
    QCOMPARE(log.states, (QVector<int>{1, 2, 1, 0}));

    // A pause() of a stopped element opens the file paused, never playing.
    log.states.clear();
    QVERIFY(openPaused(video, 3000));
    QCOMPARE(playing.count(), 2);
    QCOMPARE(log.states, QVector<int>{2});
    QTest::qWait(400);
    QVERIFY2(qAbs(video->position() - 3000) <= 40, qPrintable(QString::number(video->position())));
    video->stop();
    QCOMPARE(stopped.count(), 2);
}

void TestPlayer::endOfFileAndMissingFile() {
    Scene scene(m_engine.get(), QSize(FrameWidth, FrameHeight),
                videoItem("v", m_dir.filePath("R_20261206_000000_S_N.avi"), 0,
                          QRect(0, 0, FrameWidth, FrameHeight)));
    QVERIFY2(scene.error.isEmpty(), qPrintable(scene.error));
    Video *video = scene.video();
    QVERIFY(video);
    QSignalSpy playing(video, &Video::playing);
    QSignalSpy stopped(video, &Video::stopped);
    StateLog log(video);

    // A file that is not there: stopped, never playing.
    video->play();
    QVERIFY(stopped.wait(10000));
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::StoppedState));
    QCOMPARE(playing.count(), 0);
    QTest::qWait(200);
    QCOMPARE(stopped.count(), 1);

    // The same element then plays a good file to its end.
    video->setSource(QUrl::fromLocalFile(m_short));
    video->play();
    QVERIFY(playing.wait(10000));
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::PlayingState));
    QTRY_COMPARE_WITH_TIMEOUT(stopped.count(), 2, 8000);
    QCOMPARE(video->playbackState(), int(MediaPlayerEnums::StoppedState));
    QCOMPARE(playing.count(), 1);
    QCOMPARE(log.states, (QVector<int>{1, 0}));

    // And again, from the start.
    video->play();
    QVERIFY(playing.wait(10000));
    QVERIFY(video->position() < 1000);
    video->stop();
    QCOMPARE(stopped.count(), 3);
}

void TestPlayer::destroyWhilePlaying() {
    const QRect half(0, 0, FrameWidth / 2, FrameHeight / 2);
    auto scene =
        std::make_unique<Scene>(m_engine.get(), QSize(FrameWidth, FrameHeight),
                                videoItem("a", m_even, 0, half) +
                                    videoItem("b", m_even, 1, half.translated(FrameWidth / 2, 0)));
    QVERIFY2(scene->error.isEmpty(), qPrintable(scene->error));
    QPointer<Video> a = scene->video("a");
    Video *b = scene->video("b");
    QVERIFY(a && b);
    QSignalSpy aPlaying(a, &Video::playing);
    QSignalSpy bPlaying(b, &Video::playing);
    a->play();
    b->play();
    QVERIFY(aPlaying.count() == 1 || aPlaying.wait(10000));
    QVERIFY(bPlaying.count() == 1 || bPlaying.wait(10000));
    QTest::qWait(500);

    // One element goes while the window goes on drawing the other.
    delete a.data();
    QVERIFY(!a);
    QTest::qWait(500);
    const qint64 before = b->position();
    QVERIFY(!scene->grab().isNull());
    QTRY_VERIFY_WITH_TIMEOUT(b->position() > before + 200, 5000);
    QCOMPARE(b->playbackState(), int(MediaPlayerEnums::PlayingState));

    // Then the whole scene, with the other still playing.
    scene.reset();
    QTest::qWait(300);

    // And a window closed under a playing element.
    Scene closing(m_engine.get(), QSize(FrameWidth, FrameHeight),
                  videoItem("v", m_even, 2, QRect(0, 0, FrameWidth, FrameHeight)));
    QVERIFY2(closing.error.isEmpty(), qPrintable(closing.error));
    QSignalSpy playing(closing.video(), &Video::playing);
    closing.video()->play();
    QVERIFY(playing.wait(10000));
    QTest::qWait(500);
    closing.closeWindowFirst();
    QTest::qWait(300);
}

// ---- picture placement ----

void TestPlayer::picturePlacement_data() {
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("vflip");
    QTest::addColumn<QRectF>("region");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<QRectF>("band"); // where the band must be, as fractions of the view

    // The checked strips stop short of the band's edge, where scaling blurs.
    const QRectF right(0.8, 0, 0.2, 1), left(0, 0, 0.2, 1), top(0, 0, 1, 0.2),
        bottom(0, 0.8, 1, 0.2);
    const QRectF whole;
    // Blue (track 2): the test picture has no blue near its left edge, the
    // side a misplaced band would take.
    QTest::addRow("0") << 2 << 0 << false << whole << false << right;
    QTest::addRow("90") << 2 << 90 << false << whole << false << top;
    QTest::addRow("180") << 2 << 180 << false << whole << false << left;
    QTest::addRow("270") << 2 << 270 << false << whole << false << bottom;
    QTest::addRow("vflip") << 2 << 0 << true << whole << false << right;
    QTest::addRow("90 vflip") << 2 << 90 << true << whole << false << bottom;
    QTest::addRow("180 vflip (mirror)") << 2 << 180 << true << whole << false << left;
    QTest::addRow("270 vflip") << 2 << 270 << true << whole << false << top;
    // The right half of the frame: its right half is the band. Red, since the
    // frame's third quarter holds blue.
    QTest::addRow("zoom 2 on the right half")
        << 0 << 0 << false << QRectF(160, 0, 160, 180) << false << QRectF(0.55, 0, 0.45, 1);
    QTest::addRow("region, 90 vflip")
        << 2 << 90 << true << QRectF(60, 30, 160, 100) << false << QRectF();
    QTest::addRow("region, 270") << 2 << 270 << false << QRectF(120, 40, 200, 120) << false
                                 << QRectF(0, 0.8, 1, 0.2);
    QTest::addRow("fitted, 90") << 2 << 90 << false << whole << true << QRectF();
}

// The band lands where the orientation and flip put it, every view point
// shows the frame point worked out by hand, and mapPointToSource names the
// frame point that is drawn there.
void TestPlayer::picturePlacement() {
    QFETCH(int, track);
    QFETCH(int, orientation);
    QFETCH(bool, vflip);
    QFETCH(QRectF, region);
    QFETCH(bool, fit);
    QFETCH(QRectF, band);

    // Not the frame's aspect, so a lost stretch shows.
    const QSize viewSize(400, 260);
    Scene scene(m_engine.get(), viewSize, videoItem("v", m_even, track, QRect(QPoint(), viewSize)));
    QVERIFY2(scene.error.isEmpty(), qPrintable(scene.error));
    Video *video = scene.video();
    QVERIFY(video);
    QVERIFY(openPaused(video, 1000));

    // Changed on a paused picture, as the scene's buttons do.
    video->setOrientation(orientation);
    video->setVflip(vflip);
    video->setFillMode(fit ? VideoOutputEnums::PreserveAspectFit : VideoOutputEnums::Stretch);
    if (!region.isEmpty()) {
        video->setZoom(FrameWidth / region.width());
        video->setRoiX(region.x());
        video->setRoiY(region.y());
        video->setRoiWidth(region.width());
        video->setRoiHeight(region.height());
    }
    const Still s = still(scene, video, m_dir.filePath("placement"));
    QVERIFY2(!s.shown.isNull(), "the picture did not settle");
    QCOMPARE(s.frame.size(), QSize(FrameWidth, FrameHeight));

    if (!band.isEmpty()) {
        const QRectF opposite(1 - band.right(), 1 - band.bottom(), band.width(), band.height());
        const double inside = bandShare(s.shown, band, track);
        const double across = bandShare(s.shown, opposite, track);
        QVERIFY2(
            inside > 0.8 && across < 0.2,
            qPrintable(QString("band %1 where expected, %2 opposite").arg(inside).arg(across)));
    }

    Expected expected;
    expected.view = viewSize;
    if (!region.isEmpty())
        expected.region = region;
    expected.orientation = orientation;
    expected.vflip = vflip;
    expected.fit = fit;
    const double drawn =
        agreement(s.shown, s.frame, [&](const QPointF &p) { return expected.toFrame(p); });
    QVERIFY2(drawn > 0.9, qPrintable(QString("%1 of the view as worked out").arg(drawn)));

    const double mapped =
        agreement(s.shown, s.frame, [&](const QPointF &p) { return video->mapPointToSource(p); });
    QVERIFY2(mapped > 0.9, qPrintable(QString("%1 of the view as mapped").arg(mapped)));
}

// ---- adjustments and captures ----

void TestPlayer::brightnessAndContrast() {
    Scene scene(m_engine.get(), QSize(FrameWidth, FrameHeight),
                videoItem("v", m_even, 1, QRect(0, 0, FrameWidth, FrameHeight)));
    QVERIFY2(scene.error.isEmpty(), qPrintable(scene.error));
    Video *video = scene.video();
    QVERIFY(video);
    QVERIFY(openPaused(video, 1000));
    const QImage plain = scene.settledGrab();
    QVERIFY(!plain.isNull());
    const Spread base = lumaSpread(plain);

    struct Case {
        qreal brightness, contrast;
        std::function<bool(const Spread &)> holds;
        const char *what;
    };
    const Case cases[] = {
        {0.5, 0, [&](const Spread &s) { return s.mean > base.mean + 15; }, "brighter"},
        {-0.5, 0, [&](const Spread &s) { return s.mean < base.mean - 15; }, "darker"},
        {0, 0.5, [&](const Spread &s) { return s.deviation > base.deviation * 1.1; }, "wider"},
        {0, -0.5, [&](const Spread &s) { return s.deviation < base.deviation * 0.8; }, "narrower"},
        {0, 0,
         [&](const Spread &s) {
             return qAbs(s.mean - base.mean) < 3 && qAbs(s.deviation - base.deviation) < 3;
         },
         "as before"},
    };
    for (const Case &c : cases) {
        video->setBrightness(c.brightness);
        video->setContrast(c.contrast);
        // Adjustments apply to the paused picture; give it time to redraw.
        Spread now;
        QElapsedTimer timer;
        timer.start();
        do {
            QTest::qWait(100);
            now = lumaSpread(scene.grab());
        } while (!c.holds(now) && timer.elapsed() < 4000);
        QVERIFY2(c.holds(now), qPrintable(QString("brightness %1 contrast %2: not %3 (mean %4 -> "
                                                  "%5, deviation %6 -> %7)")
                                              .arg(c.brightness)
                                              .arg(c.contrast)
                                              .arg(c.what)
                                              .arg(base.mean)
                                              .arg(now.mean)
                                              .arg(base.deviation)
                                              .arg(now.deviation)));
    }
}

void TestPlayer::capture() {
    // A view larger than the frame: the capture is of the frame.
    Scene scene(m_engine.get(), QSize(480, 300), videoItem("v", m_even, 2, QRect(0, 0, 480, 300)));
    QVERIFY2(scene.error.isEmpty(), qPrintable(scene.error));
    Video *video = scene.video();
    QVERIFY(video);
    VideoCapture *capture = video->videoCapture();
    QSignalSpy saved(capture, &VideoCapture::saved);
    QSignalSpy failed(capture, &VideoCapture::failed);

    // Nothing open yet: a failure, and no file.
    capture->setCaptureDir(m_dir.filePath("captures/early"));
    capture->setCaptureName("none");
    capture->capture();
    QVERIFY(failed.wait(5000));
    QCOMPARE(saved.count(), 0);
    QVERIFY(!QFile::exists(m_dir.filePath("captures/early/none.png")));

    QVERIFY(openPaused(video, 2000));
    QVERIFY(!scene.settledGrab().isNull());
    // Missing folders are made, also when the folder comes as a file URL.
    const QStringList dirs = {m_dir.filePath("captures/a/b/c"),
                              QUrl::fromLocalFile(m_dir.filePath("captures/d/e")).toString()};
    const QStringList expected = {m_dir.filePath("captures/a/b/c/shot.png"),
                                  m_dir.filePath("captures/d/e/shot.png")};
    for (int i = 0; i < dirs.size(); ++i) {
        capture->setCaptureDir(dirs[i]);
        capture->setCaptureName("shot");
        capture->capture();
        QVERIFY(saved.wait(5000));
        QCOMPARE(QDir::cleanPath(saved.last().first().toString()), expected[i]);
        const QImage image(expected[i]);
        QCOMPARE(image.size(), QSize(FrameWidth, FrameHeight));
        QCOMPARE(bandTrackOf(image.convertToFormat(QImage::Format_RGB32)), 2);
    }
    QCOMPARE(failed.count(), 1);

    // No name, no file.
    capture->setCaptureName(QString());
    capture->capture();
    QVERIFY(failed.wait(5000));
    QCOMPARE(saved.count(), 2);
}

// ---- several elements ----

void TestPlayer::threeElementsStayTogether() {
    // When each began to play, for the message: an element that starts late
    // stays behind for good. Declared before the scene, so that they outlive
    // its elements and the connections to them.
    QElapsedTimer clock;
    QVector<qint64> started(3, -1);
    const QRect cell(0, 0, 200, 120);
    Scene scene(m_engine.get(), QSize(600, 120),
                videoItem("v0", m_long, 0, cell) +
                    videoItem("v1", m_long, 1, cell.translated(200, 0)) +
                    videoItem("v2", m_long, 2, cell.translated(400, 0)));
    QVERIFY2(scene.error.isEmpty(), qPrintable(scene.error));
    QVector<Video *> videos;
    std::vector<std::unique_ptr<QSignalSpy>> playing, stopped;
    for (const char *name : {"v0", "v1", "v2"}) {
        Video *video = scene.video(name);
        QVERIFY(video);
        videos.append(video);
        playing.push_back(std::make_unique<QSignalSpy>(video, &Video::playing));
        stopped.push_back(std::make_unique<QSignalSpy>(video, &Video::stopped));
    }
    for (int i = 0; i < 3; ++i)
        QObject::connect(videos[i], &Video::playing, videos[i],
                         [&clock, &started, i] { started[i] = clock.elapsed(); });
    clock.start();
    for (Video *video : videos)
        video->play();
    for (auto &spy : playing)
        QVERIFY(spy->count() == 1 || spy->wait(10000));
    QTest::qWait(5000);

    // Each shows its own track.
    const QImage shown = scene.grab();
    for (int i = 0; i < 3; ++i)
        QVERIFY2(bandShare(shown, QRectF((i + 0.85) / 3, 0.3, 0.1 / 3, 0.4), i) > 0.8,
                 qPrintable(QString("view %1").arg(i)));

    qint64 low = videos[0]->position(), high = low;
    for (Video *video : videos) {
        QCOMPARE(video->playbackState(), int(MediaPlayerEnums::PlayingState));
        low = qMin(low, video->position());
        high = qMax(high, video->position());
    }
    for (auto &spy : stopped)
        QCOMPARE(spy->count(), 0);
    QVERIFY2(low >= 4500, qPrintable(QString::number(low)));
    QVERIFY2(high - low <= 100,
             qPrintable(QString("positions %1, %2, %3 ms; playing %4, %5, %6 ms after play()")
                            .arg(videos[0]->position())
                            .arg(videos[1]->position())
                            .arg(videos[2]->position())
                            .arg(started[0])
                            .arg(started[1])
                            .arg(started[2])));
}

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
