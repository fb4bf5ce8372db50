// The recording writer as the other tests rely on it, make-recording and the demo card.
#include "avilayout.h"
#include "aviparse.h"
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

using namespace velmora::demo;

using Opts = RecordingOptions;
using Tweak = std::function<void(Opts &)>;
Q_DECLARE_METATYPE(Tweak)

namespace {

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

ParsedAvi parse(const QString &path) {
    return parseAvi(readAll(path));
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
    // Every block at its place, records and audio included, and an index of them all.
    void layout() {
        for (int channels = 1; channels <= 3; ++channels) {
            const QString path = m_dir.filePath(QString("R_1_%1.avi").arg(channels));
            RecordingOptions o;
            o.channels = channels;
            o.seconds = 2;
            o.videoChunkSize = 100;
            const RecordingResult r = writeRecording(path, o);
            QVERIFY2(r.ok, qPrintable(r.error));
            const ParsedAvi p = parse(path);
            QVERIFY2(p.error.isEmpty(), p.error.constData());
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
                const AviChunk text = p.chunks.value(i++);
                QCOMPARE(text.id + QByteArray::number(text.size), layout.textId() + "400");
                const QByteArray rec = p.bytes.mid(text.offset + 8, 400);
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
    }

    // Each fault writes its bytes at `at` and changes nothing else (data list at 406).
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

    // ffprobe decodes every picture of a looped clip, with false text ids or either parity.
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

    // The options reach the file; bad arguments give 2, an unwritable place 1.
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
        const ParsedAvi p = parse(path);
        QVERIFY2(p.error.isEmpty(), p.error.constData());
        QCOMPARE(p.u32(p.moviOffset - 4) % 2, 1u);
        QCOMPARE(p.chunks.first().size % 2, 1u);                     // odd and unpadded
        QCOMPARE(p.chunks.value(45 * 3 + 3).id, QByteArray("04dc")); // 45 frames, 3 audio blocks
        QCOMPARE(make("OUT --channels 2 --seconds 1 --truncate 777 --no-index").code, 0);
        QCOMPARE(QFileInfo(path).size(), qint64(777));
        for (const char *args :
             {"OUT --channels 4 --seconds 1", "OUT --seconds 1", "--channels 1 --seconds 1",
              "OUT --channels 1 --seconds 1 --void-seconds x",
              "OUT --channels 1 --seconds 1 --video-handler hev"})
            QVERIFY2(make(args).code == 2, args);
        QCOMPARE(make("OUT/x.avi --channels 1 --seconds 1").code, 1);
    }

    // Playable recordings in every category; existing ones are kept as they are.
    void theDemoCardHoldsPlayableRecordings() {
        if (!ffmpegAvailable() || !ffprobeAvailable())
            QSKIP("ffmpeg/ffprobe is not installed (Debian package ffmpeg)");
        const QString card = m_dir.filePath("card");
        QCOMPARE(runTool({"make-demo-card", card}, 120000).code, 0);
        QStringList names;
        for (QDirIterator it(card, {"*.avi"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            names << it.next().mid(card.size() + 1);
        QCOMPARE(names.size(), 6);
        const QString front = card + "/Drive/R_20261206_081512_T_N.avi";
        QCOMPARE(probeStreams(front)[2].toObject()["nb_read_frames"].toString(), QString("150"));
        writeAll(front, "mine");
        QCOMPARE(runTool({"make-demo-card", card}, 120000).code, 0);
        QCOMPARE(readAll(front), QByteArray("mine"));
    }
};

QTEST_GUILESS_MAIN(FixturesTest)
#include "tst_fixtures.moc"
