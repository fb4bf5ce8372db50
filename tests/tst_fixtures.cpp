// The recording writer as the other tests rely on it, the HEVC clips and the demo card.
#include "avilayout.h"
#include "aviparse.h"
#include "hevcclips.h"
#include "recordingwriter.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QtTest>

using namespace velmora::demo;

namespace {

QByteArray run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    return process.readAllStandardOutput();
}

// The types of the NAL units of an Annex-B access unit, in order.
QVector<int> nalTypes(const QByteArray &unit) {
    QVector<int> types;
    for (int i = unit.indexOf(QByteArray("\0\0\1", 3)); i >= 0 && i + 3 < unit.size();
         i = unit.indexOf(QByteArray("\0\0\1", 3), i + 3))
        types << ((uchar(unit[i + 3]) >> 1) & 0x3f);
    return types;
}

} // namespace

class FixturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // Each channel's video, the text record and every 15th frame an audio block,
    // in frame order, and an index of them all.
    void layout() {
        const QString path = m_dir.filePath("R_1_T.avi");
        RecordingOptions o;
        o.channels = 3;
        o.seconds = 2;
        o.videoChunkSize = 100;
        o.oddBodies = true;
        const RecordingResult r = writeRecording(path, o);
        QVERIFY2(r.ok, qPrintable(r.error));
        const ParsedAvi p = parseAvi(readAll(path));
        QVERIFY2(p.error.isEmpty(), p.error.constData());
        QCOMPARE(r.moviOffset, p.moviOffset);
        const velmora::avi::ChannelLayout layout{3};
        QStringList expected, written;
        for (int frame = 0; frame < 60; ++frame) {
            for (int c = 0; c < 3; ++c)
                expected << layout.videoId(c);
            expected << layout.textId() + "400";
            if (frame % 15 == 0)
                expected << layout.audioId() + "16000";
        }
        for (const AviChunk &c : p.chunks)
            written << c.id + (c.id.endsWith("dc") ? QByteArray() : QByteArray::number(c.size));
        QCOMPARE(written, expected);
        QCOMPARE(p.chunks.first().size % 2, 1u); // odd and unpadded
        QCOMPARE(p.index, p.chunks);
    }

    // A clip encoded into an empty cache: an IDR every 30 frames with the
    // parameter sets before it, P frames between.
    void freshClipKeepsItsGop() {
        QTemporaryDir cache;
        QString error;
        QVERIFY(hevcAccessUnits(1, 320, 180, &error, cache.path()).size() == HevcClipFrames);
        // A clip cut short in the cache is encoded again.
        const QString cached = QDir(cache.path()).entryInfoList(QDir::Files).value(0).filePath();
        QVERIFY(QFile::resize(cached, QFileInfo(cached).size() / 2));
        const QVector<QByteArray> units = hevcAccessUnits(1, 320, 180, &error, cache.path());
        QVERIFY2(units.size() == HevcClipFrames, qPrintable(error));
        for (int i = 0; i < units.size(); ++i) {
            const QVector<int> types = nalTypes(units[i]);
            const int idr = std::max(types.indexOf(19), types.indexOf(20)); // IDR_W_RADL, IDR_N_LP
            QVERIFY2((idr >= 0) == (i % 30 == 0), qPrintable(QString("access unit %1").arg(i)));
            for (const int parameterSet : {32, 33, 34}) // VPS, SPS, PPS
                QVERIFY(idr < 0 || types.mid(0, idr).contains(parameterSet));
        }
        if (!ffprobeAvailable())
            QSKIP("ffprobe is not installed (Debian package ffmpeg)");
        writeAll(m_dir.filePath("clip.hevc"), units.toList().join());
        const QByteArray types = run("ffprobe", {"-v", "error", "-show_entries", "frame=pict_type",
                                                 "-of", "csv=p=0", m_dir.filePath("clip.hevc")});
        QCOMPARE(QString(types).remove(QRegularExpression("[^IPB]")),
                 ("I" + QString(29, 'P')).repeated(5));
    }

    // Recordings in every category, each picture decoded by ffprobe; what is on
    // the card already is kept.
    void theDemoCardHoldsPlayableRecordings() {
        const QString card = m_dir.filePath("card");
        QCOMPARE(runTool({"make-demo-card", card}, 120000).code, 0);
        QStringList names;
        for (QDirIterator it(card, {"*.avi"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            names << it.next().mid(card.size() + 1).section('/', 0, 0);
        names.sort();
        QCOMPARE(names, QStringList(
                            {"Drive", "Drive", "DriveEvent", "Manual", "Parking", "ParkingEvent"}));
        const QString front = card + "/Drive/R_20261206_081512_T_N.avi";
        if (ffprobeAvailable()) // the third camera's pictures, counted by decoding
            QCOMPARE(
                run("ffprobe", {"-v", "quiet", "-count_frames", "-select_streams", "v:2",
                                "-show_entries", "stream=nb_read_frames", "-of", "csv=p=0", front})
                    .trimmed(),
                QByteArray("150"));
        for (const QString &mine : {front, card + "/config.txt"})
            writeAll(mine, "mine");
        QCOMPARE(runTool({"make-demo-card", card}, 120000).code, 0);
        QCOMPARE(readAll(front) + readAll(card + "/config.txt"), QByteArray("minemine"));
    }
};

QTEST_GUILESS_MAIN(FixturesTest)
#include "tst_fixtures.moc"
