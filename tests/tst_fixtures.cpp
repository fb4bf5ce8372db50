// The recording writer, checked against an independent reading of the file
// and against ffprobe, and velmora-tool's make-recording and demo card.
#include "avilayout.h"
#include "hevcclips.h"
#include "recordingwriter.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <functional>

using namespace velmora::fixtures;

using Opts = RecordingOptions;
using Tweak = std::function<void(Opts &)>;
Q_DECLARE_METATYPE(Tweak)

namespace {

struct Chunk {
    QByteArray id;
    quint32 size = 0;
    qint64 offset = 0; // of the id
    bool operator==(const Chunk &o) const {
        return id == o.id && size == o.size && offset == o.offset;
    }
};

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A plain reading of the layout: the header list, the data chunks one after
// the other (no pad bytes) and the index (its offsets count from "movi").
struct ParsedFile {
    QByteArray bytes, error;
    qint64 moviOffset = 0; // of the list type
    QVector<Chunk> chunks, index;
    quint32 u32(qint64 at) const { return qFromLittleEndian<quint32>(bytes.constData() + at); }
    QByteArray body(const Chunk &c) const { return bytes.mid(c.offset + 8, c.size); }
};

ParsedFile parse(const QString &path) {
    ParsedFile p;
    p.bytes = readAll(path);
    const QByteArray &b = p.bytes;
    const qint64 movi = b.size() < 24 ? 0 : 20 + p.u32(16);
    if (b.left(4) != "RIFF" || b.mid(8, 4) != "AVI " || b.mid(12, 4) != "LIST" ||
        b.mid(20, 4) != "hdrl" || b.mid(movi, 4) != "LIST" || b.mid(movi + 8, 4) != "movi") {
        p.error = "no RIFF/AVI/hdrl/movi";
        return p;
    }
    p.moviOffset = movi + 8;
    const qint64 end = p.moviOffset + p.u32(movi + 4);
    qint64 at = p.moviOffset + 4;
    for (; at + 8 <= end; at += 8 + p.u32(at + 4))
        p.chunks.append({b.mid(at, 4), p.u32(at + 4), at});
    if (at != end)
        p.error = "data chunks do not fill the movi list";
    else if (b.mid(end, 4) == "idx1")
        for (qint64 e = end + 8; e + 16 <= end + 8 + p.u32(end + 4) && e + 16 <= b.size(); e += 16)
            p.index.append({b.mid(e, 4), p.u32(e + 12), p.moviOffset + p.u32(e + 8)});
    return p;
}

// ffprobe's view of every stream, frames counted by decoding.
QJsonArray probeStreams(const QString &path) {
    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "quiet", "-of", "json", "-count_frames", "-show_entries",
                              "stream=codec_name,width,nb_read_frames", path});
    ffprobe.waitForFinished(120000);
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object()["streams"].toArray();
}

} // namespace

class FixturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_base; // the file the fault table starts from
    RecordingOptions m_baseOptions;

private slots:
    // Every sentence has a valid checksum and carries its second's fix; the car
    // parks for seconds 0 to 3, then moves. Void, GGA, GNRMC and W as asked.
    void theScriptDrives() {
        DriveScript drive;
        drive.voidSeconds = {10};
        drive.nonRmcSeconds = {15};
        drive.gnrmcSeconds = {16};
        QSet<QString> positions;
        for (int frame = 0; frame < 600; ++frame) {
            const QByteArray sentence = drive.sentence(frame);
            const int star = sentence.lastIndexOf('*');
            unsigned char sum = 0;
            for (int i = 1; i < star; ++i)
                sum ^= static_cast<unsigned char>(sentence[i]);
            QVERIFY2(sentence.startsWith('$') && star > 0 &&
                         sentence.mid(star + 1).toUInt(nullptr, 16) == sum,
                     sentence.constData());
            const GpsFixTexts fix = drive.fix(frame / 30);
            const QList<QByteArray> f = sentence.split(',');
            if (frame % 30 == 0 && fix.valid) {
                QCOMPARE(QStringList({f.value(3), f.value(5), f.value(6), f.value(7)}),
                         QStringList({fix.lat, fix.lon, fix.ew, fix.speed}));
                positions.insert(fix.lat + fix.lon);
            }
        }
        QCOMPARE(positions.size(), 15);
        const QList<QByteArray> voidFix = drive.sentence(10 * 30).split(',');
        QVERIFY(!drive.fix(10).valid && voidFix.value(0) == "$GPRMC" && voidFix.value(2) == "V");
        QVERIFY(!drive.fix(15).valid && drive.sentence(15 * 30).startsWith("$GPGGA,"));
        QVERIFY(drive.fix(16).valid && drive.sentence(16 * 30).startsWith("$GNRMC,"));
        DriveScript west;
        west.startLongitude = -0.5;
        QCOMPARE(west.fix(0).ew, QString("W"));
        QVERIFY(west.sentence(0).contains(",00030.0000,W,"));
    }

    // Every block at its place: per frame each channel's video, the telemetry
    // record, 0.5 s of 16 kHz mono audio every 15 frames; then the index.
    void layout_data() {
        QTest::addColumn<int>("channels");
        QTest::newRow("S") << 1;
        QTest::newRow("D") << 2;
        QTest::newRow("T") << 3;
    }
    void layout() {
        QFETCH(int, channels);
        const QString path = m_dir.filePath(QString("R_1_%1.avi").arg(channels));
        RecordingOptions o;
        o.channels = channels;
        o.seconds = 2;
        o.videoChunkSize = 100;
        const RecordingResult r = writeRecording(path, o);
        QVERIFY2(r.ok, qPrintable(r.error));
        const ParsedFile p = parse(path);
        QVERIFY2(p.error.isEmpty(), p.error.constData());
        QCOMPARE(p.u32(4) + 8, quint32(p.bytes.size()));
        QCOMPARE(p.u32(16), quint32(254 + 124 * channels)); // the header list
        QCOMPARE(p.u32(56), quint32(channels + 2));         // dwStreams
        QCOMPARE(p.moviOffset, qint64(282 + 124 * channels));
        QCOMPARE(r.moviOffset, p.moviOffset);
        QCOMPARE(r.moviSize, p.u32(p.moviOffset - 4));

        const velmora::avi::ChannelLayout layout{channels};
        int i = 0;
        for (int frame = 0; frame < 60; ++frame) {
            for (int c = 0; c < channels; ++c)
                QCOMPARE(p.chunks.value(i++).id, layout.videoId(c));
            QCOMPARE(p.chunks.value(i).id, layout.textId());
            QCOMPARE(p.chunks.value(i).size, 400u);
            const QByteArray rec = p.body(p.chunks.value(i++));
            QCOMPARE(rec, o.drive.record(frame));
            // The sentence at 34, ended by a NUL; the sensors at 290.
            QCOMPARE(rec.mid(34, rec.indexOf('\0', 34) - 34), o.drive.sentence(frame));
            const SensorSample s = o.drive.sensor(frame);
            QCOMPARE(rec.mid(290, 12), le32(s.x) + le32(s.y) + le32(s.z));
            if (frame % 15 == 0) {
                QCOMPARE(p.chunks.value(i).id, layout.audioId());
                QCOMPARE(p.chunks.value(i++).size, 16000u);
            }
        }
        QCOMPARE(i, p.chunks.size());
        QCOMPARE(p.index, p.chunks);
    }

    // Each fault once, on a one-channel file (data list at 406): the bytes it
    // claims at their offset. A fault of the same size changes nothing else;
    // no index and a cut end the file at `at`, the data before unchanged.
    void faultOptions_data() {
        m_baseOptions.seconds = 2;
        m_baseOptions.videoChunkSize = 300;
        const RecordingResult base = writeRecording(m_dir.filePath("base.avi"), m_baseOptions);
        QVERIFY(base.ok);
        m_base = readAll(m_dir.filePath("base.avi"));

        QTest::addColumn<Tweak>("tweak");
        QTest::addColumn<qint64>("at");
        QTest::addColumn<QByteArray>("bytes");
        auto row = [](const char *name, qint64 at, const QByteArray &bytes, Tweak tweak) {
            QTest::newRow(name) << tweak << at << bytes;
        };
        row("video handler", 112, "hvc1", [](Opts &o) { o.videoHandler = "hvc1"; });
        row("compression", 188, "H265", [](Opts &o) { o.videoCompression = "H265"; });
        row("audio handler", 236, "abcd", [](Opts &o) { o.audioHandler = "abcd"; });
        row("text handler", 338, "XBLC", [](Opts &o) { o.textHandler = "XBLC"; });
        row("dwStreams", 56, le32(7), [](Opts &o) { o.dwStreamsOverride = 7; });
        row("text strf body", 394, le32(4), [](Opts &o) { o.textFormatSize = 4; });
        row("chunk after avih", 88, "JUNK",
            [](Opts &o) { o.extraHeaderChunk = ExtraHeaderChunk::AfterMainHeader; });
        row("chunk before movi", 398, "JUNK",
            [](Opts &o) { o.extraHeaderChunk = ExtraHeaderChunk::BeforeMovi; });
        row("extra data chunk, lying size", 410, "04dc" + le32(0x7ffffff0u), [](Opts &o) {
            o.extraDataChunks = {{0, "04dc", 16, 0x7ffffff0u}};
        });
        // Frame 0 only: the text id and a size other than 400 at body offset 16.
        row("false text id", 410 + 8 + 16, "02tx" + le32(1234),
            [](Opts &o) { o.falseTextIdEvery = 60; });
        row("odd bodies", 414, le32(269), [](Opts &o) { o.oddBodies = true; });
        row("odd movi", 402, le32(base.moviSize + 1),
            [](Opts &o) { o.moviParity = MoviParity::Odd; });
        row("no index", base.indexOffset, {}, [](Opts &o) { o.writeIndex = false; });
        row("cut", 1000, {}, [](Opts &o) { o.truncateAt = 1000; });
    }
    void faultOptions() {
        QFETCH(Tweak, tweak);
        QFETCH(qint64, at);
        QFETCH(QByteArray, bytes);
        RecordingOptions o = m_baseOptions;
        tweak(o);
        const QString path = m_dir.filePath("fault.avi");
        const RecordingResult r = writeRecording(path, o);
        QVERIFY2(r.ok, qPrintable(r.error));
        const QByteArray file = readAll(path);
        QCOMPARE(r.fileSize, qint64(file.size()));
        if (bytes.isEmpty()) {
            QCOMPARE(qint64(file.size()), at);
            QCOMPARE(file.mid(406), m_base.mid(406, at - 406));
        } else {
            QCOMPARE(file.mid(at, bytes.size()), bytes);
        }
        if (file.size() == m_base.size())
            QCOMPARE(file, QByteArray(m_base).replace(at, bytes.size(), bytes));
    }

    void badOptionsAreRefused() {
        RecordingOptions o;
        o.channels = 4;
        RecordingResult r = writeRecording(m_dir.filePath("x.avi"), o);
        QVERIFY(!r.ok && !r.error.isEmpty());
        o.channels = 1;
        r = writeRecording(m_dir.filePath("no/such/folder/x.avi"), o);
        QVERIFY(!r.ok && r.error.contains("cannot write"));
    }

    void namesAndAccessUnits() {
        const QDateTime t(QDate(2026, 12, 6), QTime(8, 15, 12), Qt::UTC);
        QCOMPARE(cameraFileName(t, 3), QString("R_20261206_081512_T_N.avi"));
        QCOMPARE(cameraFileName(t, 2, 'E'), QString("R_20261206_081512_D_E.avi"));
        QCOMPARE(cameraFileName(t, 1, 'P', 'T'), QString("T_20261206_081512_S_P.avi"));

        // AUD (NAL type 35) and a slice, twice; the second AUD has a 3-byte start code.
        const QByteArray first = QByteArray::fromHex("000000014601500000000126010203");
        const QByteArray second = QByteArray::fromHex("00000146015000000102010405");
        QCOMPARE(splitAtAccessUnitDelimiters(first + second), QVector<QByteArray>({first, second}));
        QVERIFY(splitAtAccessUnitDelimiters(QByteArray::fromHex("0000000126010203")).isEmpty());
    }

    // ffprobe recognises every stream and decodes every picture, looped clip
    // (6 s of a 5 s clip) and false text ids included, with either movi parity.
    void ffprobeDecodesTheHevcFrames() {
        if (!ffmpegAvailable() || !ffprobeAvailable())
            QSKIP("ffmpeg/ffprobe is not installed (Debian package ffmpeg)");
        const struct {
            int channels;
            MoviParity parity;
            int falseTextIdEvery;
        } cases[] = {{3, MoviParity::Odd, 0}, {3, MoviParity::Even, 0}, {1, MoviParity::Odd, 5}};
        for (const auto &c : cases) {
            const QString path = m_dir.filePath(QString("R_hevc_%1.avi").arg(int(c.parity)));
            Opts o;
            o.channels = c.channels;
            o.seconds = 6;
            o.payload = Payload::Hevc;
            o.moviParity = c.parity;
            o.falseTextIdEvery = c.falseTextIdEvery;
            const RecordingResult r = writeRecording(path, o);
            QVERIFY2(r.ok, qPrintable(r.error));
            QCOMPARE(r.moviSize % 2, c.parity == MoviParity::Odd ? 1u : 0u);
            const QJsonArray streams = probeStreams(path);
            QCOMPARE(streams.size(), c.channels + 2);
            for (int i = 0; i < c.channels; ++i) {
                const QJsonObject s = streams[i].toObject();
                QCOMPARE(QString("%1 %2 %3")
                             .arg(s["codec_name"].toString(), s["nb_read_frames"].toString())
                             .arg(s["width"].toInt()),
                         QString("hevc 180 320"));
            }
            QCOMPARE(streams[c.channels].toObject()["codec_name"].toString(), QString("pcm_s16le"));
        }
    }

    void theToolWritesRecordingsAndRefusesBadOptions() {
        const QString path = m_dir.filePath("R_tool_D_N.avi");
        auto make = [&](const char *args) {
            return runTool(("make-recording " + QString(args).replace("OUT", path)).split(' '),
                           120000);
        };
        const ToolRun made = make("OUT --channels 2 --seconds 3 --void-seconds 1-2 "
                                  "--extra-chunk 04dc@45 --movi-parity odd --odd-bodies");
        QCOMPARE(made.code, 0);
        const QJsonObject summary = QJsonDocument::fromJson(made.out).object();
        QCOMPARE(summary["frames"].toInt(), 90);
        QCOMPARE(summary["bytes"].toDouble(), double(QFileInfo(path).size()));
        const ParsedFile p = parse(path);
        QVERIFY2(p.error.isEmpty(), p.error.constData());
        QCOMPARE(p.u32(p.moviOffset - 4) % 2, 1u);
        QCOMPARE(p.chunks.first().size % 2, 1u);                     // odd and unpadded
        QCOMPARE(p.chunks.value(45 * 3 + 3).id, QByteArray("04dc")); // 45 frames, 3 audio blocks
        QCOMPARE(
            make("OUT --channels 2 --seconds 1 --truncate 777 --no-index --text-handler XBLC").code,
            0);
        QCOMPARE(QFileInfo(path).size(), qint64(777));
        for (const char *args :
             {"OUT --channels 4 --seconds 1", "OUT --seconds 1", "--channels 1 --seconds 1",
              "OUT --channels 1 --seconds 1 --void-seconds x",
              "OUT --channels 1 --seconds 1 --video-handler hev"})
            QVERIFY2(make(args).code == 2, args);
        QCOMPARE(make("OUT/x.avi --channels 1 --seconds 1").code, 1); // cannot write
    }

    void theDemoCardHoldsPlayableRecordings() {
        if (!ffmpegAvailable() || !ffprobeAvailable())
            QSKIP("ffmpeg/ffprobe is not installed (Debian package ffmpeg)");
        const QString card = m_dir.filePath("card");
        QCOMPARE(runTool({"make-demo-card", card}, 120000).code, 0);
        QStringList names;
        for (QDirIterator it(card, {"*.avi"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            names << it.next().mid(card.size() + 1);
        names.sort();
        QCOMPARE(
            names,
            QStringList({"Drive/R_20261206_081512_T_N.avi", "Drive/R_20261206_081518_D_N.avi",
                         "DriveEvent/R_20261206_081740_T_E.avi", "Manual/T_20261206_090133_T_M.avi",
                         "Parking/R_20261206_120205_S_P.avi",
                         "ParkingEvent/R_20261206_124051_D_S.avi"}));
        const QString front = card + "/Drive/R_20261206_081512_T_N.avi";
        QCOMPARE(probeStreams(front)[2].toObject()["nb_read_frames"].toString(), QString("150"));

        // Existing recordings are kept as they are.
        writeAll(front, "mine");
        QCOMPARE(runTool({"make-demo-card", card}, 120000).code, 0);
        QCOMPARE(readAll(front), QByteArray("mine"));
    }
};

QTEST_GUILESS_MAIN(FixturesTest)
#include "tst_fixtures.moc"
