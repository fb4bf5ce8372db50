// The channel export against ffmpeg, its refusals, CommonFunc and the tool.
#include "aviparse.h"
#include "channelexport.h"
#include "commonfunc.h"
#include "exportoutput.h"
#include "hevcclips.h"
#include "posixio.h"
#include "recordingwriter.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QtTest>
#include <condition_variable>
#include <mutex>
#include <unistd.h>

using namespace velmora;
using namespace velmora::demo;

namespace {

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

// Holds the first read made off the main thread until released.
struct ReadGate {
    static inline std::mutex mutex;
    static inline std::condition_variable changed;
    static inline bool held = false;
    static inline bool released = false;

    static ssize_t pread(int fd, void *data, size_t size, off_t offset) {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
            std::unique_lock<std::mutex> lock(mutex);
            if (!held) {
                held = true;
                changed.notify_all();
                changed.wait(lock, [] { return released; });
            }
        }
        return ::pread(fd, data, size, offset);
    }
    static bool waitUntilHeld() {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::minutes(1), [] { return held; });
    }
    static void release() {
        std::lock_guard<std::mutex> lock(mutex);
        released = true;
        changed.notify_all();
    }
    static void reset() {
        std::lock_guard<std::mutex> lock(mutex);
        held = released = false;
    }
};

} // namespace

Q_DECLARE_METATYPE(velmora::ExportOutput::BodyCopy)

class ChannelExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString record(const QString &name, const RecordingOptions &o) {
        return writeRecording(m_dir.filePath(name), o).ok ? m_dir.filePath(name) : QString();
    }

private slots:
    // The chosen camera's chunks with the audio and text in recording order,
    // index entry i for chunk i; ffmpeg finds the camera's pictures.
    void exportsTheChosenChannel() {
        const struct {
            int channels, channel;
            MoviParity parity;
            bool index, hevc;
        } cases[] = {
            {1, 0, MoviParity::Even, true, false},     // the front of _S_: as it went in
            {2, 1, MoviParity::Natural, false, false}, // CAM1 of _D_ without idx1
            {3, 2, MoviParity::Odd, true, true},       // CAM2 of _T_, a data list of odd size
        };
        for (const auto &c : cases) {
            if (c.hevc && !ffmpegAvailable())
                QSKIP("ffmpeg is not installed (Debian package ffmpeg)");
            RecordingOptions o;
            o.channels = c.channels;
            o.frames = c.hevc ? 75 : 6;
            o.payload = c.hevc ? Payload::Hevc : Payload::Synthetic;
            o.moviParity = c.parity;
            o.writeIndex = c.index;
            const QString source = m_dir.filePath(cameraFileName(
                QDateTime(QDate(2026, 12, 7), QTime(8, 15, c.channels)), c.channels));
            const RecordingResult r = writeRecording(source, o);
            QVERIFY2(r.ok, qPrintable(r.error));
            const QString out = m_dir.filePath(QString("export%1.avi").arg(c.channels));
            const ChannelExportResult result = ChannelExport::run(source, out, c.channel);
            QVERIFY2(result.ok(), qPrintable(result.error));
            const ParsedAvi p = parseAvi(readAll(out));
            QVERIFY2(p.error.isEmpty(), p.error.constData());
            QCOMPARE(p.u32(56), 3u); // dwStreams: video, audio, text
            QByteArray ids;
            for (const AviChunk &chunk : p.chunks)
                ids += chunk.id;
            QCOMPARE(
                QVector<int>(
                    {ids.count("00dc"), ids.count("02tx"), ids.count("01wb"), p.chunks.size()}),
                QVector<int>({r.frames, r.frames, r.audioBlocks, 2 * r.frames + r.audioBlocks}));
            QVERIFY(c.index ? p.index == p.chunks : p.index.isEmpty());
            QVERIFY(c.channels > 1 || p.bytes == readAll(source));
            QVERIFY(!c.hevc || (!extractVideo(out, 0).isEmpty() &&
                                extractVideo(out, 0) == extractVideo(source, c.channel)));
        }
    }

    // No file and no temporary stays when the export cannot be done, the disk
    // being full included.
    void failuresLeaveNothing() {
        const QString single = record("R_20261206_081512_S_N.avi", RecordingOptions());
        const QString notRecording = m_dir.filePath("R_20261206_081513_D_N.avi");
        writeAll(notRecording, QByteArray(2000, 'x'));
        RecordingOptions o;
        o.seconds = 2;
        o.videoChunkSize = 20000;
        const QString large = record("R_20261206_081516_S_N.avi", o); // over 1 MiB
        const QString locked = m_dir.filePath("locked"), empty = m_dir.filePath("empty"),
                      small = m_dir.filePath("small");
        QVERIFY(QDir().mkpath(locked) && QDir().mkpath(empty) && QDir().mkpath(small));
        ReadOnlyFolder readOnly(locked, [] {});
        QVERIFY(readOnly.ready());
        SmallFileSystem full(small, "256k");
        using S = ChannelExportResult::Status;
        const struct {
            QString source, folder;
            int channel;
            S status;
            int stopAt = 0; // from this ask of the stop check on, it says stop
        } cases[] = {
            {large, empty, 0, S::Cancelled, 5},
            {single, empty, 2, S::MissingChannel},
            {notRecording, empty, 0, S::NotARecording},
            {m_dir.filePath("R_gone_S_N.avi"), empty, 0, S::SourceUnreadable},
            {single, locked, 0, S::WriteFailed},
            {large, small, 0, full.mounted() ? S::WriteFailed : S::Done},
        };
        for (const auto &c : cases) {
            const QString out = ChannelExport::destinationPath(c.folder, "N", c.channel);
            int asks = 0;
            const ChannelExportResult result = ChannelExport::run(
                c.source, out, c.channel, [&] { return c.stopAt > 0 && ++asks >= c.stopAt; });
            QCOMPARE(int(result.status), int(c.status));
            QVERIFY(c.status == S::Done ||
                    (!result.error.isEmpty() && filesIn(c.folder).isEmpty()));
        }
        if (!full.mounted())
            QSKIP("the full disk needs root, to mount a small file system");
    }

    // Exact bytes either way, for pieces beyond the pipe and buffer and runs of
    // tiny ones; a source that ends too early leaves no file.
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
        QFile in(sourcePath);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const int fd = in.handle();

        const QString out = m_dir.filePath("pieces.out");
        QByteArray expected;
        {
            ExportOutput output(copy);
            QVERIFY(output.open(QFile::encodeName(out)));
            const auto piece = [&](qint64 at, qint64 length) {
                output.append("head", 4);
                expected += "head" + source.mid(at, length);
                return output.copyFrom(fd, at, length);
            };
            QVERIFY(piece(13, 3 << 20));
            for (int i = 0; i < 3000; ++i)
                QVERIFY(piece(i * 1531 % (4 << 20), 1 + i % 700));
            QVERIFY(output.commit());
        }
        QVERIFY(readAll(out) == expected);
        {
            ExportOutput output(copy);
            QVERIFY(output.open(QFile::encodeName(m_dir.filePath("cut.out"))));
            QVERIFY(!output.copyFrom(fd, source.size() - 100, 200));
            QVERIFY2(output.readError().contains("ended"), qPrintable(output.readError()));
        }
        QCOMPARE(filesIn(m_dir.path()).filter("cut.out"), QStringList());
    }

    // Two exports at once from the report screen, each equal to a lone export;
    // a screen closed while it exports waits for the file.
    void commonFuncRunsExportsAtOnce() {
        RecordingOptions o;
        o.channels = 2;
        o.seconds = 20;
        o.videoChunkSize = 20000;
        const QString source = record("R_20261206_081514_D_N.avi", o);
        QVERIFY(!source.isEmpty());
        const auto start = [&](CommonFunc &func, int channel, const QString &folder) {
            QVERIFY(QDir().mkpath(folder));
            func.setProperty("videoChannel", channel);
            func.setProperty("disFilePath", folder);
            func.setProperty("disFileName", "R_20261206_081514_D_N");
            func.setProperty("runMake", source);
        };
        const QString folder = m_dir.filePath("exports");
        CommonFunc func;
        QSignalSpy finished(&func, &CommonFunc::exportFinished);
        for (int channel : {0, 1, 2}) // no third camera in a _D_ recording
            start(func, channel, folder);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 3, 60000);
        for (const QList<QVariant> &signal : finished)
            QCOMPARE(signal[1].toBool(), !signal[0].toString().endsWith("_CAM2.avi"));
        QCOMPARE(filesIn(folder), QStringList({"R_20261206_081514_D_N_CAM1.avi",
                                               "R_20261206_081514_D_N_front.avi"}));
        {
            CommonFunc closing;
            start(closing, 1, m_dir.filePath("closing"));
        }
        QCOMPARE(filesIn(m_dir.filePath("closing")),
                 QStringList({"R_20261206_081514_D_N_CAM1.avi"}));
        // The export made beside the others equals the one made alone.
        QVERIFY(readAll(folder + "/R_20261206_081514_D_N_CAM1.avi") ==
                readAll(m_dir.filePath("closing/R_20261206_081514_D_N_CAM1.avi")));

        // An export from a card that went away stops and leaves nothing; one
        // from a name that merely begins like the card's folder goes on. Each
        // export's first read is held until the cancel is asked.
        posixio::Calls held = posixio::systemCalls();
        held.pread = ReadGate::pread;
        const posixio::Calls before = posixio::replaceCalls(held);
        for (const bool below : {false, true}) {
            ReadGate::reset();
            finished.clear();
            const QString to = m_dir.filePath(below ? "pulled" : "kept");
            start(func, 0, to);
            QVERIFY(ReadGate::waitUntilHeld());
            func.cancelExports(below ? m_dir.path() : m_dir.filePath("R_20261206"));
            ReadGate::release();
            QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 60000);
            QCOMPARE(finished[0][1].toBool(), !below);
            QCOMPARE(filesIn(to).size(), below ? 0 : 1);
        }
        posixio::replaceCalls(before);
    }

    // The tool writes what a direct export writes, and names the file.
    void theToolExports() {
        RecordingOptions o;
        o.channels = 3;
        const QString source = record("R_20261206_081515_T_N.avi", o);
        const ToolRun run =
            runTool({"export-channel", source, "--channel", "2", "--out", m_dir.path()});
        QCOMPARE(run.code, 0);
        QVERIFY(ChannelExport::run(source, m_dir.filePath("direct.avi"), 2).ok());
        QVERIFY(readAll(QFile::decodeName(run.out.trimmed())) ==
                readAll(m_dir.filePath("direct.avi")));
    }
};

QTEST_GUILESS_MAIN(ChannelExportTest)
#include "tst_channelexport.moc"
