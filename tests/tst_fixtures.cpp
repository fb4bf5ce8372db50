// The recording writer, checked against an independent reading of the file
// and against ffprobe, and velmora-tool's make-recording and demo card.
#include "avilayout.h"
#include "hevcclips.h"
#include "recordingwriter.h"
#include "toolrunner.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace velmora::fixtures;

namespace {

struct Chunk {
    QByteArray id;
    quint32 size = 0;
    qint64 offset = 0; // of the id
};

// A plain reading of the layout: the header list, the data chunks one after
// the other (no pad bytes) and the index.
struct ParsedFile {
    QByteArray error;
    quint32 riffSize = 0, hdrlSize = 0, moviSize = 0, streams = 0;
    qint64 moviOffset = 0; // of the list type
    QVector<Chunk> chunks;
    QVector<Chunk> index; // offset from "movi"
};

ParsedFile parse(const QString &path) {
    ParsedFile p;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        p.error = "cannot open";
        return p;
    }
    const QByteArray b = f.readAll();
    auto u32 = [&](qint64 at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    if (b.left(4) != "RIFF" || b.mid(8, 4) != "AVI " || b.mid(12, 4) != "LIST" ||
        b.mid(20, 4) != "hdrl") {
        p.error = "no RIFF/AVI/hdrl";
        return p;
    }
    p.riffSize = u32(4);
    p.hdrlSize = u32(16);
    p.streams = u32(24 + 8 + 24);
    const qint64 movi = 20 + p.hdrlSize;
    if (b.mid(movi, 4) != "LIST" || b.mid(movi + 8, 4) != "movi") {
        p.error = "no movi list after hdrl";
        return p;
    }
    p.moviSize = u32(movi + 4);
    p.moviOffset = movi + 8;
    qint64 at = p.moviOffset + 4;
    const qint64 end = p.moviOffset + p.moviSize;
    while (at + 8 <= end) {
        p.chunks.append({b.mid(at, 4), u32(at + 4), at});
        at += 8 + u32(at + 4);
    }
    if (at != end) {
        p.error = "data chunks do not fill the movi list";
        return p;
    }
    if (b.mid(end, 4) == "idx1") {
        const quint32 size = u32(end + 4);
        for (qint64 e = end + 8; e + 16 <= end + 8 + size && e + 16 <= b.size(); e += 16)
            p.index.append({b.mid(e, 4), u32(e + 12), u32(e + 8)});
    }
    return p;
}

QByteArray body(const QString &path, const Chunk &chunk) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(chunk.offset + 8))
        return {};
    return f.read(chunk.size);
}

QByteArray probe(const QStringList &arguments) {
    QProcess ffprobe;
    ffprobe.start("ffprobe", QStringList{"-v", "quiet", "-of", "json"} + arguments);
    if (!ffprobe.waitForFinished(120000))
        return {};
    return ffprobe.readAllStandardOutput();
}

// Writing recordings takes a while.
ToolRun runSlowTool(const QStringList &arguments) {
    return runTool(arguments, 120000);
}

bool checksumValid(const QByteArray &sentence) {
    const int star = sentence.lastIndexOf('*');
    if (!sentence.startsWith('$') || star < 0)
        return false;
    unsigned char sum = 0;
    for (int i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    return sentence.mid(star + 1).toUInt(nullptr, 16) == sum;
}

} // namespace

class FixturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void theLayoutHoldsEveryBlockAtItsPlace_data() {
        QTest::addColumn<int>("channels");
        QTest::newRow("S") << 1;
        QTest::newRow("D") << 2;
        QTest::newRow("T") << 3;
    }
    void theLayoutHoldsEveryBlockAtItsPlace() {
        QFETCH(int, channels);
        const QString path = m_dir.filePath(QString("R_1_%1.avi").arg(channels));
        RecordingOptions o;
        o.channels = channels;
        o.seconds = 2;
        o.videoChunkSize = 500;
        const RecordingResult r = writeRecording(path, o);
        QVERIFY2(r.ok, qPrintable(r.error));
        const ParsedFile p = parse(path);
        QVERIFY2(p.error.isEmpty(), p.error.constData());
        QCOMPARE(qint64(p.riffSize) + 8, QFileInfo(path).size());
        QCOMPARE(p.hdrlSize, quint32(254 + 124 * channels));
        QCOMPARE(p.streams, quint32(channels + 2));
        QCOMPARE(p.moviOffset, qint64(282 + 124 * channels));
        QCOMPARE(r.moviOffset, p.moviOffset);
        QCOMPARE(p.moviSize, r.moviSize);

        // Per frame: each channel's video, the telemetry record, and an
        // audio block every 15 frames.
        const velmora::avi::ChannelLayout layout{channels};
        int i = 0;
        for (int frame = 0; frame < 60; ++frame) {
            for (int c = 0; c < channels; ++c)
                QCOMPARE(p.chunks.value(i++).id, layout.videoId(c));
            QCOMPARE(p.chunks.value(i).id, layout.textId());
            QCOMPARE(p.chunks.value(i++).size, 400u);
            if (frame % 15 == 0) {
                QCOMPARE(p.chunks.value(i).id, layout.audioId());
                QCOMPARE(p.chunks.value(i++).size, 16000u); // 0.5 s of 16 kHz mono s16
            }
        }
        QCOMPARE(i, p.chunks.size());

        // The index names every chunk, offsets counted from "movi".
        QCOMPARE(p.index.size(), p.chunks.size());
        for (int k = 0; k < p.chunks.size(); ++k) {
            QCOMPARE(p.index[k].id, p.chunks[k].id);
            QCOMPARE(p.index[k].size, p.chunks[k].size);
            QCOMPARE(p.index[k].offset + p.moviOffset, p.chunks[k].offset);
        }
        QCOMPARE(p.index.first().offset, qint64(4));
    }

    void telemetryRecordsFollowTheScript() {
        const QString path = m_dir.filePath("R_1_S_N.avi");
        RecordingOptions o;
        o.seconds = 20;
        o.videoChunkSize = 32;
        o.drive.voidSeconds = {10, 11, 12};
        o.drive.nonRmcSeconds = {15};
        o.drive.gnrmcSeconds = {16};
        QVERIFY(writeRecording(path, o).ok);
        const ParsedFile p = parse(path);
        QVector<QByteArray> records;
        for (const Chunk &c : p.chunks) {
            if (c.id == "02tx")
                records.append(body(path, c));
        }
        QCOMPARE(records.size(), 600);
        QSet<QByteArray> positions;
        for (int frame = 0; frame < 600; ++frame) {
            const QByteArray &rec = records[frame];
            QCOMPARE(rec.size(), 400);
            const int nul = rec.indexOf('\0', 34);
            QVERIFY(nul > 34 && nul < 290);
            const QByteArray sentence = rec.mid(34, nul - 34);
            QCOMPARE(sentence, o.drive.sentence(frame));
            QVERIFY2(checksumValid(sentence), sentence.constData());
            const SensorSample s = o.drive.sensor(frame);
            QCOMPARE(qFromLittleEndian<qint32>(rec.constData() + 290), s.x);
            QCOMPARE(qFromLittleEndian<qint32>(rec.constData() + 294), s.y);
            QCOMPARE(qFromLittleEndian<qint32>(rec.constData() + 298), s.z);
            QVERIFY(qAbs(s.z - 1000) < 100);

            if (frame % 30 != 0)
                continue;
            const int second = frame / 30;
            const GpsFixTexts fix = o.drive.fix(second);
            const QList<QByteArray> fields = sentence.split(',');
            if (second >= 10 && second <= 12) {
                QVERIFY(sentence.startsWith("$GPRMC"));
                QCOMPARE(fields.value(2), QByteArray("V"));
                QVERIFY(!sentence.contains("A,"));
                QVERIFY(!fix.valid);
            } else if (second == 15) {
                QVERIFY(sentence.startsWith("$GPGGA"));
                QVERIFY(!fix.valid);
            } else {
                QVERIFY(sentence.startsWith(second == 16 ? "$GNRMC" : "$GPRMC"));
                QCOMPARE(fields.value(2), QByteArray("A"));
                QVERIFY(fix.valid);
                QCOMPARE(QString(fields.value(3)), fix.lat);
                QCOMPARE(QString(fields.value(5)), fix.lon);
                QCOMPARE(QString(fields.value(6)), fix.ew);
                QCOMPARE(QString(fields.value(7)), fix.speed);
                positions.insert(fields.value(3) + fields.value(5));
            }
        }
        // The car starts after two seconds and then moves every second.
        QCOMPARE(o.drive.fix(0).speed, QString("000.0"));
        QVERIFY(o.drive.fix(19).speed.toDouble() > 20.0);
        QCOMPARE(positions.size(), 13); // seconds 0 to 3 share the parked position
        QCOMPARE(o.drive.fix(0).lat, QString("4807.0380"));
        QCOMPARE(o.drive.fix(0).lon, QString("01131.0020"));
    }

    void westernLongitudesCarryW() {
        DriveScript west;
        west.startLongitude = -0.5;
        QCOMPARE(west.fix(0).ew, QString("W"));
        QCOMPARE(west.fix(0).lon, QString("00030.0000"));
        QVERIFY(west.sentence(0).contains(",00030.0000,W,"));
    }

    void faultOptionsChangeOnlyWhatTheySay() {
        const QString path = m_dir.filePath("R_2_D_N.avi");
        RecordingOptions o;
        o.channels = 2;
        o.seconds = 2;
        o.videoChunkSize = 300;

        // Odd bodies, unpadded, with either parity of the data list.
        o.oddBodies = true;
        for (MoviParity parity : {MoviParity::Odd, MoviParity::Even}) {
            o.moviParity = parity;
            const RecordingResult r = writeRecording(path, o);
            QVERIFY(r.ok);
            const ParsedFile p = parse(path);
            QVERIFY2(p.error.isEmpty(), p.error.constData());
            QCOMPARE(p.moviSize % 2, parity == MoviParity::Odd ? 1u : 0u);
            QVERIFY(p.chunks.first().size % 2 == 1);
            QCOMPARE(p.chunks.value(1).offset, p.chunks.first().offset + 8 + p.chunks.first().size);
        }
        o.oddBodies = false;
        o.moviParity = MoviParity::Natural;

        // A false text id inside the front camera's payload.
        o.falseTextIdEvery = 10;
        QVERIFY(writeRecording(path, o).ok);
        ParsedFile p = parse(path);
        int traps = 0;
        for (const Chunk &c : p.chunks) {
            const QByteArray b = body(path, c);
            const int at = b.indexOf("03tx");
            if (c.id == "03tx")
                continue;
            if (at >= 0) {
                QCOMPARE(c.id, QByteArray("00dc"));
                QVERIFY(qFromLittleEndian<quint32>(b.constData() + at + 4) != 400u);
                ++traps;
            }
        }
        QCOMPARE(traps, 6);
        o.falseTextIdEvery = 0;

        // No index, a cut, a header chunk, a lying dwStreams.
        o.writeIndex = false;
        RecordingResult r = writeRecording(path, o);
        QCOMPARE(QFileInfo(path).size(), r.moviOffset + qint64(r.moviSize));
        QVERIFY(parse(path).index.isEmpty());
        o.writeIndex = true;
        o.truncateAt = 1000;
        r = writeRecording(path, o);
        QCOMPARE(r.fileSize, qint64(1000));
        QCOMPARE(QFileInfo(path).size(), qint64(1000));
        o.truncateAt = -1;
        o.extraHeaderChunk = ExtraHeaderChunk::AfterMainHeader;
        QVERIFY(writeRecording(path, o).ok);
        p = parse(path);
        QCOMPARE(p.hdrlSize, quint32(254 + 124 * 2 + 24));
        o.extraHeaderChunk = ExtraHeaderChunk::None;
        o.dwStreamsOverride = 7;
        QVERIFY(writeRecording(path, o).ok);
        QCOMPARE(parse(path).streams, 7u);
    }

    void badOptionsAreRefused() {
        RecordingOptions o;
        o.channels = 4;
        RecordingResult r = writeRecording(m_dir.filePath("x.avi"), o);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        o.channels = 1;
        r = writeRecording(m_dir.filePath("no/such/folder/x.avi"), o);
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains("cannot write"));
    }

    void namesFollowTheCamera() {
        const QDateTime t(QDate(2026, 12, 6), QTime(8, 15, 12), Qt::UTC);
        QCOMPARE(cameraFileName(t, 3), QString("R_20261206_081512_T_N.avi"));
        QCOMPARE(cameraFileName(t, 2, 'E'), QString("R_20261206_081512_D_E.avi"));
        QCOMPARE(cameraFileName(t, 1, 'P', 'T'), QString("T_20261206_081512_S_P.avi"));
    }

    void accessUnitsAreSplitAtTheirDelimiters() {
        // AUD (type 35), a slice; AUD with a 3-byte start code, a slice.
        const QByteArray stream = QByteArray::fromHex("00000001460150"
                                                      "0000000126010203"
                                                      "000001460150"
                                                      "00000102010405");
        const QVector<QByteArray> units = splitAtAccessUnitDelimiters(stream);
        QCOMPARE(units.size(), 2);
        QCOMPARE(units[0], QByteArray::fromHex("000000014601500000000126010203"));
        QCOMPARE(units[1], QByteArray::fromHex("00000146015000000102010405"));
        QVERIFY(splitAtAccessUnitDelimiters(QByteArray::fromHex("0000000126010203")).isEmpty());
    }

    void ffprobeSeesTheStreams() {
        if (!ffprobeAvailable())
            QSKIP("ffprobe is not installed (Debian package ffmpeg)");
        const QString path = m_dir.filePath("R_3_T_N.avi");
        RecordingOptions o;
        o.channels = 3;
        o.seconds = 2;
        o.videoChunkSize = 2000;
        QVERIFY(writeRecording(path, o).ok);
        const QJsonArray streams =
            QJsonDocument::fromJson(probe({"-show_entries", "stream=codec_name,codec_type", path}))
                .object()["streams"]
                .toArray();
        QCOMPARE(streams.size(), 5);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(streams[i].toObject()["codec_name"].toString(), QString("hevc"));
        QCOMPARE(streams[3].toObject()["codec_name"].toString(), QString("pcm_s16le"));
    }

    void ffprobeDecodesTheHevcFramesWithEitherMoviParity_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("falseTextIdEvery");
        QTest::newRow("3 channels, odd movi") << 3 << int(MoviParity::Odd) << 0;
        QTest::newRow("3 channels, even movi") << 3 << int(MoviParity::Even) << 0;
        QTest::newRow("1 channel, false text ids, odd movi") << 1 << int(MoviParity::Odd) << 5;
    }
    void ffprobeDecodesTheHevcFramesWithEitherMoviParity() {
        if (!ffmpegAvailable() || !ffprobeAvailable())
            QSKIP("ffmpeg/ffprobe is not installed (Debian package ffmpeg)");
        QFETCH(int, channels);
        QFETCH(int, parity);
        QFETCH(int, falseTextIdEvery);
        const QString path = m_dir.filePath(QString("R_hevc_%1_%2.avi").arg(channels).arg(parity));
        RecordingOptions o;
        o.channels = channels;
        o.seconds = 6; // longer than the 5 s clip: the loop must decode too
        o.payload = Payload::Hevc;
        o.moviParity = MoviParity(parity);
        o.falseTextIdEvery = falseTextIdEvery;
        const RecordingResult r = writeRecording(path, o);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.moviSize % 2, parity == int(MoviParity::Odd) ? 1u : 0u);
        const QJsonArray streams =
            QJsonDocument::fromJson(probe({"-count_frames", "-select_streams", "v", "-show_entries",
                                           "stream=codec_name,width,height,nb_read_frames", path}))
                .object()["streams"]
                .toArray();
        QCOMPARE(streams.size(), channels);
        for (const QJsonValue &stream : streams) {
            const QJsonObject s = stream.toObject();
            QCOMPARE(s["codec_name"].toString(), QString("hevc"));
            QCOMPARE(s["width"].toInt(), 320);
            QCOMPARE(s["nb_read_frames"].toString(), QString("180"));
        }
    }

    void theToolWritesRecordingsAndRefusesBadOptions() {
        const QString path = m_dir.filePath("R_tool_D_N.avi");
        const ToolRun made = runSlowTool({"make-recording", path, "--channels", "2", "--seconds",
                                          "3", "--void-seconds", "1-2", "--extra-chunk", "04dc@45",
                                          "--movi-parity", "odd", "--odd-bodies"});
        QCOMPARE(made.code, 0);
        const QJsonObject summary = QJsonDocument::fromJson(made.out).object();
        QCOMPARE(summary["frames"].toInt(), 90);
        QCOMPARE(summary["bytes"].toDouble(), double(QFileInfo(path).size()));
        const ParsedFile p = parse(path);
        QVERIFY2(p.error.isEmpty(), p.error.constData());
        QCOMPARE(p.moviSize % 2, 1u);
        QCOMPARE(p.chunks.value(45 * 3 + 3).id, QByteArray("04dc")); // 45 frames, 3 audio blocks

        QCOMPARE(runSlowTool({"make-recording", path, "--channels", "2", "--seconds", "1",
                              "--truncate", "777", "--no-index", "--text-handler", "XBLC"})
                     .code,
                 0);
        QCOMPARE(QFileInfo(path).size(), qint64(777));

        QCOMPARE(runSlowTool({"make-recording", path, "--channels", "4", "--seconds", "1"}).code,
                 2);
        QCOMPARE(runSlowTool({"make-recording", path, "--seconds", "1"}).code, 2);
        QCOMPARE(runSlowTool({"make-recording", "--channels", "1", "--seconds", "1"}).code, 2);
        QCOMPARE(runSlowTool({"make-recording", path, "--channels", "1", "--seconds", "1",
                              "--void-seconds", "x"})
                     .code,
                 2);
        QCOMPARE(runSlowTool({"make-recording", path, "--channels", "1", "--seconds", "1",
                              "--video-handler", "hev"})
                     .code,
                 2);
        QCOMPARE(runSlowTool({"make-recording", m_dir.filePath("no/dir/x.avi"), "--channels", "1",
                              "--seconds", "1"})
                     .code,
                 1);
    }

    void theDemoCardHoldsPlayableRecordings() {
        if (!ffmpegAvailable() || !ffprobeAvailable())
            QSKIP("ffmpeg/ffprobe is not installed (Debian package ffmpeg)");
        const QString card = m_dir.filePath("card");
        QCOMPARE(runSlowTool({"make-demo-card", card}).code, 0);
        QStringList names;
        QDirIterator it(card, {"*.avi"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            names << it.filePath().mid(card.size() + 1);
        }
        names.sort();
        QCOMPARE(
            names,
            QStringList({"Drive/R_20261206_081512_T_N.avi", "Drive/R_20261206_081518_D_N.avi",
                         "DriveEvent/R_20261206_081740_T_E.avi", "Manual/T_20261206_090133_T_M.avi",
                         "Parking/R_20261206_120205_S_P.avi",
                         "ParkingEvent/R_20261206_124051_D_S.avi"}));
        const QString front = card + "/Drive/R_20261206_081512_T_N.avi";
        const QJsonArray streams =
            QJsonDocument::fromJson(probe({"-count_frames", "-select_streams", "v", "-show_entries",
                                           "stream=codec_name,nb_read_frames", front}))
                .object()["streams"]
                .toArray();
        QCOMPARE(streams.size(), 3);
        QCOMPARE(streams[2].toObject()["nb_read_frames"].toString(), QString("150"));

        // Existing recordings are kept as they are.
        QFile mine(front);
        QVERIFY(mine.open(QIODevice::WriteOnly | QIODevice::Truncate));
        mine.write("mine");
        mine.close();
        QCOMPARE(runSlowTool({"make-demo-card", card}).code, 0);
        QCOMPARE(QFileInfo(front).size(), qint64(4));
    }
};

QTEST_GUILESS_MAIN(FixturesTest)
#include "tst_fixtures.moc"
