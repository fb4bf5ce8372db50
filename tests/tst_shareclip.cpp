// Shared clips checked by ffprobe and by ffmpeg's decode of the source: the
// layouts, the exact first picture, the caption, the sound, and that a
// failure or a cancel leaves nothing behind; the tool's exit codes.
#include "recordingwriter.h"
#include "sharecaption.h"
#include "shareclip.h"
#include "sharelayout.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <cmath>
#include <sys/stat.h>

using namespace velmora;
using namespace velmora::demo;
using media::ShareClipRequest;
using Status = media::ShareClipResult::Status;

namespace {

// ffprobe's streams of a file: codec, profile, pixel format, size, duration.
QJsonArray probe(const QString &file) {
    QProcess ffprobe;
    ffprobe.start("ffprobe",
                  {"-v", "error", "-show_entries",
                   "stream=codec_name,profile,pix_fmt,width,height,duration", "-of", "json", file});
    ffprobe.waitForFinished(30000);
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput())["streams"].toArray();
}

// Picture `frame` of a file's video stream `track` as gray bytes, decoded by ffmpeg.
QByteArray grayFrame(const QString &file, int track, int frame) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", file, "-map", QString("0:v:%1").arg(track), "-vf",
                            QString("select=eq(n\\,%1)").arg(frame), "-frames:v", "1", "-f",
                            "rawvideo", "-pix_fmt", "gray", "-"});
    return ffmpeg.waitForFinished(60000) ? ffmpeg.readAllStandardOutput() : QByteArray();
}

double psnr(const QByteArray &a, const QByteArray &b) {
    if (a.isEmpty() || a.size() != b.size())
        return 0;
    double squares = 0;
    for (int i = 0; i < a.size(); ++i)
        squares += std::pow(uchar(a[i]) - uchar(b[i]), 2);
    return squares == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 * a.size() / squares);
}

double mean(const QByteArray &gray, int fromRow, int toRow, int width) {
    double sum = 0;
    for (int i = fromRow * width; i < toRow * width; ++i)
        sum += uchar(gray[i]);
    return sum / ((toRow - fromRow) * width);
}

} // namespace

class ShareClipTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    // 6 s: key frames every second, so 4.5 s (picture 135) lies between them.
    const QString m_three = m_dir.filePath("R_20261206_235957_T_N.avi");
    const QString m_two = m_dir.filePath("R_20261206_101010_D_N.avi");
    const QString m_one = m_dir.filePath("R_20261206_101020_S_N.avi");

    QString out(const QString &name) { return m_dir.filePath("out/" + name); }

private slots:
    void initTestCase() {
        if (!ffprobeAvailable() || !ffmpegAvailable())
            QSKIP("ffmpeg and ffprobe check the clips");
        QVERIFY(QDir().mkpath(m_dir.filePath("out")));
        RecordingOptions o;
        o.payload = Payload::Hevc;
        o.channels = 3;
        o.seconds = 6;
        o.hevcOtherWidth = 320;
        o.hevcOtherHeight = 240; // another aspect than the front's
        o.drive.voidSeconds = {2};
        o.drive.startLatitude = -34.6;
        o.drive.startLongitude = -58.4;
        QVERIFY(writeRecording(m_three, o).ok);
        o.channels = 2;
        o.seconds = 3;
        o.writeAudio = false;
        QVERIFY(writeRecording(m_two, o).ok);
        o.channels = 1;
        o.moviParity = MoviParity::Odd;
        QVERIFY(writeRecording(m_one, o).ok);
    }

    void layouts() {
        using media::shareLayout;
        const QSize hd(1920, 1080), mid(1280, 720);
        QCOMPARE(shareLayout({hd, mid, mid}, true).output, QSize(1920, 1620));
        QCOMPARE(shareLayout({hd, mid}, true).output, QSize(1920, 2160));
        QCOMPARE(shareLayout({hd, mid, mid}, false).output, hd);
        QCOMPARE(shareLayout({QSize(1281, 721)}, true).output, QSize(1280, 720));
        // Half of 1282 is odd: the cameras below get 640 each, padded to 1282.
        const media::ShareLayout odd = shareLayout({QSize(1282, 720), mid, QSize(640, 480)}, true);
        QCOMPARE(odd.output, QSize(1282, 720 + 480));
        QVERIFY(odd.graph.contains("pad=1282:480"));
        QCOMPARE(odd.inputs, 3);
        QVERIFY(shareLayout({hd, QSize(0, 720)}, true).graph.isEmpty());
    }

    void captionTexts() {
        Telemetry t;
        t.magnetic = {{0.0f, -0.004f, 1.0f}, {0.5f, -1.25f, 0.98f}};
        t.gio = {{0, "W", "3436.0000", "05824.0000", "010.0", "S", "", ""},
                 {1, "E", "0", "0", "0", "0", "", ""}};
        const ShareCaption km(t, startTimeFromName("/x/R_20261231_235959_T_N.avi"), SpeedUnitKmh);
        QCOMPARE(km.text(1), QString("2026-12-31 23:59:59   19 Km/h   34.60000 S  58.40000 W   "
                                     "X:0.50  Y:-1.25  Z:0.98"));
        QCOMPARE(km.text(30, true),
                 QString("2027-01-01 00:00:00   No GPS\nX:0.50  Y:-1.25  Z:0.98"));
        const ShareCaption mi(t, startTimeFromName("clip.avi"), 0);
        QCOMPARE(mi.text(0), QString("12 Mi/h   34.60000 S  58.40000 W   X:0.00  Y:0.00  Z:1.00"));
    }

    void probedOutputs_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("sound");
        QTest::newRow("three") << m_three << QSize(320, 180 + 120) << true;
        QTest::newRow("two") << m_two << QSize(320, 180 + 240) << false;
        QTest::newRow("one, odd data list") << m_one << QSize(320, 180) << false;
    }
    void probedOutputs() {
        QFETCH(QString, source);
        QFETCH(QSize, size);
        QFETCH(bool, sound);
        const QString file = out(QFileInfo(source).baseName() + ".mp4");
        const auto result = media::shareClip({source, file, 500, 2500, true, true, 1});
        QCOMPARE(int(result.status), int(Status::Written));
        QCOMPARE(result.size, size);
        const QJsonArray streams = probe(file);
        QCOMPARE(streams.size(), sound ? 2 : 1);
        const QJsonObject video = streams[0].toObject();
        QCOMPARE(video["codec_name"].toString(), QString("h264"));
        QCOMPARE(video["profile"].toString(), QString("High"));
        QCOMPARE(video["pix_fmt"].toString(), QString("yuv420p"));
        QCOMPARE(QSize(video["width"].toInt(), video["height"].toInt()), size);
        QVERIFY(std::abs(video["duration"].toString().toDouble() - 2.0) <= 1.0 / 30);
        if (sound) { // the whole stretch of sound, to an AAC frame (64 ms)
            QCOMPARE(streams[1].toObject()["codec_name"].toString(), QString("aac"));
            QVERIFY(std::abs(streams[1].toObject()["duration"].toString().toDouble() - 2.0) < 0.07);
        }
        // The index comes before the pictures, for playing while downloading.
        const QByteArray bytes = readAll(file);
        QVERIFY(bytes.indexOf("moov") >= 0 && bytes.indexOf("moov") < bytes.indexOf("mdat"));
    }

    // "front only" without the caption: picture k is the source's picture
    // 135 + k, though 135 is no key frame; its neighbour is a worse match.
    void frontOnlyStartsAtTheExactPicture() {
        const QString file = out("front.mp4");
        const auto result = media::shareClip({m_three, file, 4500, 5000, false, false, 1});
        QCOMPARE(int(result.status), int(Status::Written));
        QCOMPARE(result.frames, qint64(15));
        for (int k : {0, 1, 14}) {
            const QByteArray shared = grayFrame(file, 0, k);
            const double match = psnr(shared, grayFrame(m_three, 0, 135 + k));
            QVERIFY2(match > 35, qPrintable(QString("picture %1: %2 dB").arg(k).arg(match)));
            QVERIFY(match > psnr(shared, grayFrame(m_three, 0, 134 + k)) + 3);
        }
    }

    // The bar darkens the bottom rows and carries bright text; above it the
    // picture is the bare one.
    void captionIsDrawnAlongTheBottom() {
        const QString bare = out("bare.mp4"), captioned = out("captioned.mp4");
        QCOMPARE(int(media::shareClip({m_one, bare, 1000, 1100, true, false, 1}).status),
                 int(Status::Written));
        QCOMPARE(int(media::shareClip({m_one, captioned, 1000, 1100, true, true, 1}).status),
                 int(Status::Written));
        const QByteArray a = grayFrame(bare, 0, 0), b = grayFrame(captioned, 0, 0);
        const int bar = media::captionBar(QSize(320, 180)).height;
        QVERIFY(mean(b, 180 - bar, 180, 320) < mean(a, 180 - bar, 180, 320) - 20);
        QVERIFY(std::count_if(b.end() - bar * 320, b.end(), [](char c) { return uchar(c) > 200; }) >
                50);
        QVERIFY(psnr(a.left((180 - bar) * 320), b.left((180 - bar) * 320)) > 35);
    }

    // A camera and the sound that stop early, a font folder whose path needs
    // escaping, the recording named as the output, and the file's mode.
    void awkwardInputs() {
        RecordingOptions o;
        o.payload = Payload::Hevc;
        o.channels = 3;
        o.seconds = 14; // long enough that reading CAM1's rest would pile up the others
        o.channelFrames = {420, 30, 420}; // CAM1 stops after 1 s
        o.soundFrames = 30;
        const QString cut = m_dir.filePath("R_20261206_101030_T_N.avi");
        QVERIFY(writeRecording(cut, o).ok);
        QTemporaryDir odd(m_dir.filePath("it's:a,dir;[x]-XXXXXX"));
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(odd.path()));
        const QString file = out("cut.mp4");
        const mode_t mask = umask(022);
        const auto result = media::shareClip({cut, file, 2000, 3000, true, true, 1});
        umask(mask);
        qputenv("TMPDIR", oldTemp);
        QCOMPARE(int(result.status), int(Status::Written));
        QCOMPARE(result.frames, qint64(30));
        QVERIFY(QFileInfo(file).permissions() & QFileDevice::ReadOther);
        const QJsonArray streams = probe(file); // the sound padded with silence to the end
        QCOMPARE(streams.size(), 2);
        QVERIFY(std::abs(streams[1].toObject()["duration"].toString().toDouble() - 1.0) < 0.07);

        const QByteArray before = readAll(cut);
        QCOMPARE(int(media::shareClip({cut, cut}).status), int(Status::CannotWrite));
        QCOMPARE(readAll(cut), before);
    }

    // Nothing stays behind, in the output's folder least of all.
    void failuresLeaveNothing() {
        const QString empty = m_dir.filePath("empty"), locked = m_dir.filePath("locked"),
                      small = m_dir.filePath("small");
        QVERIFY(QDir().mkpath(empty) && QDir().mkpath(locked) && QDir().mkpath(small));
        int calls = 0;
        const auto cancelled = media::shareClip(
            {m_three, empty + "/c.mp4", 0, 3000, true, true, 1},
            [&](qint64 done, qint64 total) { return ++calls < 10 && done < total; });
        QCOMPARE(int(cancelled.status), int(Status::Cancelled));
        QCOMPARE(calls, 10);
        QCOMPARE(int(media::shareClip({m_three, empty + "/r.mp4", 5000, 7000}).status),
                 int(Status::CannotRead));
        ReadOnlyFolder readOnly(locked, [] {});
        if (readOnly.ready())
            QCOMPARE(int(media::shareClip({m_three, locked + "/w.mp4"}).status),
                     int(Status::CannotWrite));
        SmallFileSystem full(small, "64k");
        if (full.mounted())
            QCOMPARE(int(media::shareClip({m_three, small + "/f.mp4"}).status),
                     int(Status::CannotWrite));
        for (const QString &folder : {empty, locked, small})
            QVERIFY2(QDir(folder)
                         .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                         .isEmpty(),
                     qPrintable(folder));
    }

    void toolExitCodes() {
        const QString file = out("tool.mp4");
        const ToolRun ok = runTool({"share-clip", m_two, "--out", file, "--from", "0.5", "--to",
                                    "1", "--layout", "front", "--unit", "mi"});
        QCOMPARE(ok.code, 0);
        QVERIFY(ok.out.contains(file.toUtf8()));
        QCOMPARE(runTool({"share-clip", m_two, "--out", file, "--layout", "side"}).code, 2);
        QCOMPARE(runTool({"share-clip", m_two, "--out", file, "--from", "9"}).code, 3);
        QCOMPARE(runTool({"share-clip", m_two, "--out", "/proc/x/y.mp4"}).code, 4);
    }
};

QTEST_GUILESS_MAIN(ShareClipTest)
#include "tst_shareclip.moc"
