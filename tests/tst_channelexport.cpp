// The channel export against ffprobe/ffmpeg, its refusals, CommonFunc and the tool.
#include "aviparse.h"
#include "channelexport.h"
#include "commonfunc.h"
#include "exportoutput.h"
#include "hevcclips.h"
#include "recordingwriter.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <fcntl.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::demo;

namespace {

// One probe packet: a longer probe takes the telemetry records for MP3.
QJsonArray probe(const QString &path) {
    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "quiet", "-max_probe_packets", "1", "-of", "json",
                              "-show_entries", "stream=codec_type,codec_name,nb_frames", path});
    ffprobe.waitForFinished(60000);
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object()["streams"].toArray();
}

QByteArray extractVideo(const QString &path, int stream) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", path, "-map", QString("0:v:%1").arg(stream), "-c",
                            "copy", "-f", "hevc", "-"});
    ffmpeg.waitForFinished(60000);
    return ffmpeg.readAllStandardOutput();
}

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

Q_DECLARE_METATYPE(velmora::ExportOutput::BodyCopy)

class ChannelExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString record(const QString &name, RecordingOptions o, RecordingResult *written = nullptr) {
        const RecordingResult r = writeRecording(m_dir.filePath(name), o);
        if (written)
            *written = r;
        return r.ok ? m_dir.filePath(name) : QString();
    }

private slots:
    void exportsTheChosenChannel_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("parity");
        QTest::addColumn<bool>("index");
        QTest::addColumn<int>("videoSize"); // synthetic payload; 0 = real HEVC
        QTest::newRow("CAM1 of _D_") << 2 << 1 << int(MoviParity::Even) << true << 0;
        QTest::newRow("front of _S_") << 1 << 0 << int(MoviParity::Even) << true << 0;
        QTest::newRow("CAM2 of _T_") << 3 << 2 << int(MoviParity::Even) << true << 0;
        QTest::newRow("odd movi size") << 3 << 1 << int(MoviParity::Odd) << true << 0;
        QTest::newRow("no idx1") << 2 << 0 << int(MoviParity::Natural) << false << 0;
        // Bodies larger than the copy buffer pass through it in pieces.
        QTest::newRow("large bodies") << 1 << 0 << int(MoviParity::Odd) << true << 2'500'001;
    }
    void exportsTheChosenChannel() {
        QFETCH(int, channels);
        QFETCH(int, channel);
        QFETCH(int, parity);
        QFETCH(bool, index);
        QFETCH(int, videoSize);
        const bool hevc = videoSize == 0;
        if (hevc && (!ffmpegAvailable() || !ffprobeAvailable()))
            QSKIP("ffmpeg/ffprobe is not installed (Debian package ffmpeg)");
        RecordingOptions o;
        o.channels = channels;
        o.frames = hevc ? 75 : 6;
        o.payload = hevc ? Payload::Hevc : Payload::Synthetic;
        o.videoChunkSize = hevc ? o.videoChunkSize : videoSize;
        o.moviParity = MoviParity(parity);
        o.writeIndex = index;
        RecordingResult r;
        static int row = 0;
        const QString source = record(
            cameraFileName(QDateTime(QDate(2026, 12, 7), QTime(8, 15, row++)), channels), o, &r);
        QVERIFY2(!source.isEmpty(), qPrintable(r.error));
        const QString out = m_dir.filePath(QTest::currentDataTag() + QString(".avi"));

        const ChannelExportResult result = ChannelExport::run(source, out, channel);
        QVERIFY2(result.ok(), qPrintable(result.error));
        const QByteArray bytes = readAll(out);
        QCOMPARE(result.bytes, qint64(bytes.size()));
        QCOMPARE(result.chunks, qint64(2 * r.frames + r.audioBlocks));
        QCOMPARE(result.indexEntries, index ? result.chunks : 0);

        // The one stream's chunks, in recording order; entry i indexes chunk i.
        const ParsedAvi p = parseAvi(bytes);
        QVERIFY2(p.error.isEmpty(), p.error.constData());
        QCOMPARE(p.u32(56), 3u); // dwStreams: video, audio, text
        QStringList ids;
        for (const AviChunk &c : p.chunks)
            ids << c.id;
        QCOMPARE(QVector<int>({ids.count("00dc"), ids.count("02tx"), ids.count("01wb")}),
                 QVector<int>({r.frames, r.frames, r.audioBlocks}));
        QCOMPARE(ids.size(), int(result.chunks));
        QVERIFY(index ? p.index == p.chunks : p.index.isEmpty());
        // A single-channel source comes out as it went in.
        QVERIFY(channels > 1 || bytes == readAll(source));
        if (!hevc)
            return;
        const QJsonArray streams = probe(out);
        QCOMPARE(streams.size(), 3);
        QCOMPARE(streams[0]["codec_type"].toString() + streams[0]["nb_frames"].toString(),
                 "video" + QString::number(r.frames));
        QCOMPARE(streams[1]["codec_type"].toString(), QString("audio"));
        QVERIFY2(QStringList({"subtitle", "data"}).contains(streams[2]["codec_type"].toString()),
                 qPrintable(streams[2]["codec_type"].toString()));
        const QByteArray video = extractVideo(out, 0);
        QVERIFY(!video.isEmpty() && video == extractVideo(source, channel));
    }

    // No file and no temporary stays when the export cannot be done.
    void refusalsLeaveNothing() {
        const QString single = record("R_20261206_081512_S_N.avi", RecordingOptions());
        const QString notRecording = m_dir.filePath("R_20261206_081513_D_N.avi");
        writeAll(notRecording, QByteArray(2000, 'x'));
        const QString locked = m_dir.filePath("locked");
        const QString empty = m_dir.filePath("empty");
        QVERIFY(QDir().mkpath(locked) && QDir().mkpath(empty));
        ReadOnlyFolder readOnly(locked, [] {});
        QVERIFY(readOnly.ready());

        using S = ChannelExportResult::Status;
        const struct {
            QString source, folder;
            int channel;
            S status;
        } cases[] = {
            {single, empty, 2, S::MissingChannel},
            {single, empty, -1, S::MissingChannel},
            {notRecording, empty, 0, S::NotARecording},
            {m_dir.filePath("R_gone_S_N.avi"), empty, 0, S::SourceUnreadable},
            {single, locked, 0, S::WriteFailed},
            {single, m_dir.filePath("missing"), 0, S::WriteFailed},
        };
        for (const auto &c : cases) {
            const QString out = ChannelExport::destinationPath(c.folder, "N", c.channel);
            const ChannelExportResult result = ChannelExport::run(c.source, out, c.channel);
            QCOMPARE(int(result.status), int(c.status));
            QVERIFY(!result.error.isEmpty());
            QCOMPARE(filesIn(c.folder), QStringList());
        }
        QVERIFY(QDir().mkpath(empty + "/N_front.avi"));
        QCOMPARE(int(ChannelExport::run(single, empty + "/N_front.avi", 0).status),
                 int(S::WriteFailed));
        QCOMPARE(filesIn(empty), QStringList());
    }

    // A full destination leaves neither the file nor its temporary.
    void fullDiskLeavesNothing() {
        RecordingOptions o;
        o.seconds = 2;
        o.videoChunkSize = 20000;
        const QString source = record("R_20261206_081516_S_N.avi", o);
        QVERIFY(QFileInfo(source).size() > 1 << 20);
        const QString folder = m_dir.filePath("small");
        QVERIFY(QDir().mkpath(folder));
        SmallFileSystem small(folder, "256k");
        if (!small.mounted())
            QSKIP("cannot mount a small file system here (needs root)");
        const ChannelExportResult result =
            ChannelExport::run(source, ChannelExport::destinationPath(folder, "N", 0), 0);
        QCOMPARE(int(result.status), int(ChannelExportResult::Status::WriteFailed));
        QVERIFY2(result.error.contains(QString::fromLocal8Bit(strerror(ENOSPC))),
                 qPrintable(result.error));
        QCOMPARE(filesIn(folder), QStringList());
    }

    // Exact bytes either way, for pieces beyond the pipe and buffer and runs of tiny ones.
    void outputCopiesBodiesEitherWay_data() {
        QTest::addColumn<ExportOutput::BodyCopy>("copy");
        QTest::newRow("kernel") << ExportOutput::BodyCopy::Kernel;
        QTest::newRow("buffered") << ExportOutput::BodyCopy::Buffered;
    }
    void outputCopiesBodiesEitherWay() {
        QFETCH(ExportOutput::BodyCopy, copy);
        QByteArray source(5 << 20, '\0');
        for (int i = 0; i < source.size(); ++i)
            source[i] = char(i * 7 + (i >> 13));
        const QString sourcePath = m_dir.filePath("pieces.bin");
        writeAll(sourcePath, source);
        const int fd = ::open(QFile::encodeName(sourcePath).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0);
        const auto closeSource = qScopeGuard([fd] { ::close(fd); });

        const QString out = m_dir.filePath("pieces.out");
        QByteArray expected(4, '\0');
        {
            ExportOutput output(copy);
            QVERIFY(output.open(QFile::encodeName(out)));
            output.appendLE32(0);
            const auto piece = [&](qint64 at, qint64 length) {
                output.append("head", 4);
                expected += "head" + source.mid(at, length);
                return output.copyFrom(fd, at, length);
            };
            QVERIFY(piece(13, 3 << 20));
            for (int i = 0; i < 3000; ++i)
                QVERIFY(piece(i * 1531 % (4 << 20), 1 + i % 700));
            QVERIFY(piece(source.size() - 5, 5));
            output.append("tail", 4);
            expected += "tail";
            QCOMPARE(output.position(), qint64(expected.size()));
            QVERIFY(output.flush());
            QVERIFY(output.patchLE32(0, quint32(expected.size())));
            QVERIFY(output.commit());
        }
        qToLittleEndian(quint32(expected.size()), expected.data());
        QVERIFY(readAll(out) == expected);

        const QString cut = m_dir.filePath("cut.out");
        {
            ExportOutput output(copy);
            QVERIFY(output.open(QFile::encodeName(cut)));
            QVERIFY(!output.copyFrom(fd, source.size() - 100, 200));
            QVERIFY2(output.readError().contains("ended"), qPrintable(output.readError()));
            QVERIFY(output.error().isEmpty());
        }
        QCOMPARE(filesIn(m_dir.path()).filter("cut.out"), QStringList());
    }

    // Two exports at once from the report screen, each equal to a lone export.
    void commonFuncRunsExportsAtOnce() {
        RecordingOptions o;
        o.channels = 2;
        o.seconds = 20;
        o.videoChunkSize = 20000;
        const QString source = record("R_20261206_081514_D_N.avi", o);
        QVERIFY(!source.isEmpty());
        const QString folder = m_dir.filePath("exports");
        QVERIFY(QDir().mkpath(folder));

        CommonFunc func;
        QSignalSpy finished(&func, &CommonFunc::exportFinished);
        for (int channel : {0, 1}) {
            func.setProperty("videoChannel", channel);
            func.setProperty("disFilePath", folder);
            const QString expected =
                folder + "/R_20261206_081514_D_N_" + ChannelExport::channelWord(channel) + ".avi";
            func.setProperty("disFileName", "R_20261206_081514_D_N");
            QCOMPARE(func.property("disFileName").toString(), expected);
            func.setProperty("runMake", source);
        }
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 60000);
        for (const QList<QVariant> &signal : finished) {
            QVERIFY(signal[1].toBool());
            const QString out = signal[0].toString();
            const QString alone = m_dir.filePath("alone.avi");
            QVERIFY(ChannelExport::run(source, alone, out.endsWith("_front.avi") ? 0 : 1).ok());
            QVERIFY2(readAll(out) == readAll(alone), qPrintable(out));
        }
        QCOMPARE(filesIn(folder), QStringList({"R_20261206_081514_D_N_CAM1.avi",
                                               "R_20261206_081514_D_N_front.avi"}));
        func.setProperty("videoChannel", 2);
        func.setProperty("disFileName", "R_20261206_081514_D_N");
        func.setProperty("runMake", source);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 3, 60000);
        QCOMPARE(finished.last()[1].toBool(), false);
        QCOMPARE(filesIn(folder).size(), 2);

        // Closed while it exports: the export ends before the object goes.
        const QString closing = m_dir.filePath("closing");
        QVERIFY(QDir().mkpath(closing));
        {
            CommonFunc screen;
            screen.setProperty("videoChannel", 1);
            screen.setProperty("disFilePath", closing);
            screen.setProperty("disFileName", "R_20261206_081514_D_N");
            screen.setProperty("runMake", source);
        }
        QCOMPARE(filesIn(closing), QStringList({"R_20261206_081514_D_N_CAM1.avi"}));
    }

    // The tool writes what a direct export writes; failures leave nothing.
    void theToolExportsAndReports() {
        RecordingOptions o;
        o.channels = 3;
        const QString source = record("R_20261206_081515_T_N.avi", o);
        const QString folder = m_dir.filePath("tool");
        QVERIFY(QDir().mkpath(folder));
        const QString out = folder + "/R_20261206_081515_T_N_CAM2.avi";
        const ToolRun run = runTool({"export-channel", source, "--channel", "2", "--out", folder});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out.trimmed(), QFile::encodeName(out));
        const QString direct = m_dir.filePath("direct.avi");
        QVERIFY(ChannelExport::run(source, direct, 2).ok());
        QVERIFY(readAll(out) == readAll(direct));

        const QString single = record("R_20261206_081516_S_N.avi", RecordingOptions());
        const struct {
            QStringList args;
            int code;
        } cases[] = {
            {{source, "--channel", "2"}, 2},
            {{source, "--channel", "3", "--out", folder}, 2},
            {{source, "--channel", "x", "--out", folder}, 2},
            {{"--channel", "0", "--out", folder}, 2},
            {{single, "--channel", "1", "--out", folder}, 3},
            {{m_dir.filePath("none_S_.avi"), "--channel", "0", "--out", folder}, 3},
            {{single, "--channel", "0", "--out", m_dir.filePath("missing")}, 1},
        };
        for (const auto &c : cases)
            QVERIFY2(runTool(QStringList("export-channel") + c.args).code == c.code,
                     qPrintable(c.args.join(' ')));
        QCOMPARE(filesIn(folder), QStringList({"R_20261206_081515_T_N_CAM2.avi"}));
    }
};

QTEST_GUILESS_MAIN(ChannelExportTest)
#include "tst_channelexport.moc"
