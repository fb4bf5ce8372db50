// The frame reader against the ffmpeg program's decode of the same picture,
// on recordings whose data list has an odd size (FFmpeg loses their index
// without the correction) and an even one; times and files it must refuse.
#include "framereader.h"
#include "recordingwriter.h"
#include "testfiles.h"

#include <QtTest>
#include <cmath>

using namespace velmora;
using namespace velmora::demo;

namespace {

// Peak signal-to-noise ratio of an RGB888 picture against packed RGB bytes;
// 0 when the sizes differ, 99 when they are equal.
double psnr(const QImage &picture, const QByteArray &rgb) {
    const int row = picture.width() * 3;
    if (picture.isNull() || rgb.size() != row * picture.height())
        return 0;
    double squares = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < row; ++x)
            squares += std::pow(picture.constScanLine(y)[x] - uchar(rgb[y * row + x]), 2);
    const double mse = squares / rgb.size();
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// ffmpeg's picture number `frame` of video track `track` in packed RGB,
// decoded from the start: its own seek in an odd-sized data list is the
// fault we avoid.
QByteArray ffmpegFrame(const QString &file, int track, int frame) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg",
                 {"-v", "error", "-max_probe_packets", "1", "-i", file, "-map",
                  QString("0:v:%1").arg(track), "-vf", QString("select=eq(n\\,%1)").arg(frame),
                  "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    return ffmpeg.waitForFinished(60000) ? ffmpeg.readAllStandardOutput() : QByteArray();
}

} // namespace

class FrameReaderTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_odd = m_dir.filePath("R_20261206_101010_T_N.avi");
    const QString m_even = m_dir.filePath("R_20261206_101110_T_N.avi");
    const QString m_cut = m_dir.filePath("cut.avi"), m_garbage = m_dir.filePath("garbage.avi"),
                  m_empty = m_dir.filePath("empty.avi");

private slots:
    void initTestCase() {
        RecordingOptions options; // 2 s, key frames at pictures 0 and 30
        options.channels = 3;
        options.seconds = 2;
        options.payload = Payload::Hevc;
        options.oddBodies = true;
        options.moviParity = MoviParity::Even;
        QVERIFY(writeRecording(m_even, options).ok);
        options.moviParity = MoviParity::Odd;
        const RecordingResult written = writeRecording(m_odd, options);
        QVERIFY2(written.ok, qPrintable(written.error));
        // Cut in the middle of the data list (at about 1 s), and pure noise.
        writeAll(m_cut, readAll(m_odd).left(int(written.moviOffset + written.moviSize / 2)));
        QByteArray noise(65536, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        writeAll(m_garbage, noise);
        writeAll(m_empty, QByteArray());
    }

    // Picture 47 starts at 1566.7 ms, 17 after a key frame: an exact seek to
    // 1566 ms shows it, and so does the player's position of it (1567).
    // Picture 46 (1533.3 ms, position 1533) is the neighbour that must differ.
    void showsThePlayersPicture_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("track");
        for (int track = 0; track < 3; ++track) {
            QTest::addRow("odd list, track %d", track) << m_odd << track;
            QTest::addRow("even list, track %d", track) << m_even << track;
        }
    }

    void showsThePlayersPicture() {
        if (!ffmpegAvailable())
            QSKIP("the reference pictures need the ffmpeg program (Debian package ffmpeg)");
        QFETCH(QString, file);
        QFETCH(int, track);
        const QByteArray ffmpeg[] = {ffmpegFrame(file, track, 46), ffmpegFrame(file, track, 47)};
        for (const auto &[ms, number] : {std::pair(1566, 47), {1567, 47}, {1533, 46}}) {
            const CapturedDebug log;
            const media::Frame frame = media::readFrame(file, track, ms);
            const double same = psnr(frame.image, ffmpeg[number - 46]),
                         other = psnr(frame.image, ffmpeg[47 - number]);
            QVERIFY2(same > 40 && other < 30,
                     qPrintable(QString::asprintf("%d ms: %.1f dB against ffmpeg's picture %d, "
                                                  "%.1f dB against its neighbour ",
                                                  ms, same, number, other) +
                                frame.error));
            // Sought through the index to the key frame before it, not decoded from the start.
            const QString route =
                QString("decoded %1 pictures from the key frame at 1000 ms").arg(number - 29);
            QVERIFY2(log.lines().join('\n').contains(route), qPrintable(log.lines().join('\n')));
        }
    }

    void refusesWhatItCannotShow_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("track");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("reason"); // in the error
        QTest::newRow("past the end") << m_odd << 0 << qint64(2000) << "past the end";
        QTest::newRow("before the start") << m_odd << 0 << qint64(-1) << "outside";
        QTest::newRow("no such track") << m_even << 3 << qint64(0) << "no video track 3";
        QTest::newRow("cut in the data list") << m_cut << 1 << qint64(1900) << "past the end";
        QTest::newRow("garbage") << m_garbage << 0 << qint64(0) << "not a readable recording";
        QTest::newRow("empty") << m_empty << 0 << qint64(0) << "not a readable recording";
        QTest::newRow("missing") << m_dir.filePath("none.avi") << 0 << qint64(0) << "";
    }

    void refusesWhatItCannotShow() {
        QFETCH(QString, file);
        QFETCH(int, track);
        QFETCH(qint64, ms);
        QFETCH(QString, reason);
        const media::Frame frame = media::readFrame(file, track, ms);
        QVERIFY(frame.image.isNull());
        QVERIFY2(frame.error.startsWith(file) && frame.error.contains(reason),
                 qPrintable(frame.error));
    }

    // Cut and scribbled copies give a picture or an error, never both or
    // neither; what a cut recording still holds reads as before the cut.
    void survivesDamagedCopies() {
        const QByteArray whole = readAll(m_odd);
        const QString copy = m_dir.filePath("damaged.avi");
        QRandomGenerator random(15);
        for (int round = 0; round < 24; ++round) {
            QByteArray bytes = whole.left(1 + random.bounded(whole.size()));
            for (int i = 0; i < round % 4 * 8; ++i)
                bytes[random.bounded(bytes.size())] = char(random.generate());
            writeAll(copy, bytes);
            const media::Frame frame = media::readFrame(copy, round % 3, random.bounded(2100));
            QVERIFY2(frame.image.isNull() != frame.error.isEmpty(), qPrintable(frame.error));
        }
        const QImage early = media::readFrame(m_cut, 1, 500).image;
        QVERIFY(!early.isNull());
        QCOMPARE(early, media::readFrame(m_odd, 1, 500).image);
    }
};

QTEST_GUILESS_MAIN(FrameReaderTest)
#include "tst_framereader.moc"
