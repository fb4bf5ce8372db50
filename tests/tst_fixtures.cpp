// The recording writer as the other tests rely on it, the HEVC clips and the demo card.
#include "avilayout.h"
#include "aviparse.h"
#include "hevcclips.h"
#include "recordingwriter.h"
#include "telemetryextraction.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QtTest>
#include <algorithm>
#include <cmath>

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

// A recording's bytes as text, for its NMEA sentences.
QString sentenceText(const QString &path) {
    const QByteArray bytes = readAll(path);
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

// Metres between two GPS records a few metres apart.
double metresBetween(const velmora::GioData &a, const velmora::GioData &b) {
    const auto degrees = [](const QString &text, int degreeDigits) {
        return text.left(degreeDigits).toDouble() + text.mid(degreeDigits).toDouble() / 60.0;
    };
    const double north = (degrees(b.lat, 2) - degrees(a.lat, 2)) * 111320.0;
    const double east = (degrees(b.lon, 3) - degrees(a.lon, 3)) * 111320.0 *
                        std::cos(qDegreesToRadians(degrees(a.lat, 2)));
    return std::hypot(north, east);
}

} // namespace

class FixturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_card;

    // The demo card, written once per run.
    QString demoCard() {
        if (m_card.isEmpty() &&
            runTool({"make-demo-card", m_dir.filePath("card")}, 120000).code == 0)
            m_card = m_dir.filePath("card");
        return m_card;
    }

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

    // The morning's Drive clips and the impact after them are one trip: each
    // starts one second of driving after the last fix of the one before, 20 s
    // later by its name and its first sentence. The impact is the strongest shock, in mid-clip; the
    // drive in Buenos Aires writes southern latitudes as the camera does.
    void theDemoCardDrivesOneTrip() {
        const QString card = demoCard();
        QVERIFY(!card.isEmpty());
        QStringList trip;
        for (const QString folder : {"Drive", "DriveEvent"}) {
            for (const QString &name : QDir(card + '/' + folder).entryList({"R_20261206_*"}))
                trip << card + '/' + folder + '/' + name;
        }
        QCOMPARE(trip.size(), 6);
        QVector<velmora::Telemetry> telemetry;
        for (const QString &path : trip)
            telemetry << velmora::extractTelemetry(path).telemetry;
        for (int k = 1; k < trip.size(); ++k) {
            const auto startOf = [&](int clip) {
                return QDateTime::fromString(QFileInfo(trip[clip]).fileName().mid(2, 15),
                                             "yyyyMMdd_hhmmss");
            };
            QCOMPARE(startOf(k), startOf(k - 1).addSecs(20));
            const QString text = sentenceText(trip[k]);
            QCOMPARE(text.mid(text.indexOf("RMC,") + 4, 6), startOf(k).toString("hhmmss"));
            const velmora::GioData &last = telemetry[k - 1].gio.last(),
                                   &first = telemetry[k].gio[0];
            QCOMPARE(telemetry[k - 1].gio.size(), 20);
            QVERIFY2(std::abs(metresBetween(last, first) - last.speed.toDouble() * 0.514444) < 0.5,
                     qPrintable(trip[k]));
        }
        const QVector<velmora::MagneticData> &impact = telemetry.last().magnetic;
        const auto shock = [](const velmora::MagneticData &m) {
            return std::abs(std::hypot(m.x, m.y, m.z) - 1.0f);
        };
        const auto strongest =
            std::max_element(impact.begin(), impact.end(),
                             [&](const auto &a, const auto &b) { return shock(a) < shock(b); });
        QCOMPARE(int(strongest - impact.begin()), impact.size() / 2);

        const QString south = card + "/Drive/R_20261121_190530_D_N.avi";
        const velmora::GioData fix = velmora::extractTelemetry(south).telemetry.gio.value(0);
        QCOMPARE(fix.lat.left(2) + fix.lon.left(3) + fix.ew, QString("34058W"));
        const QRegularExpression rmc(R"(RMC,[0-9.]+,A,[0-9.]+,([NS]),)");
        QSet<QString> hemispheres;
        for (auto it = rmc.globalMatch(sentenceText(south)); it.hasNext();)
            hemispheres << it.next().captured(1);
        QCOMPARE(hemispheres, QSet<QString>{"S"});
    }

    // Recordings in every category, each picture decoded by ffprobe; what is on
    // the card already is kept.
    void theDemoCardHoldsPlayableRecordings() {
        const QString card = demoCard();
        QVERIFY(!card.isEmpty());
        QStringList names;
        for (QDirIterator it(card, {"*.avi"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            names << it.next().mid(card.size() + 1).section('/', 0, 0);
        names.sort();
        QCOMPARE(names, QStringList({"Drive", "Drive", "Drive", "Drive", "Drive", "Drive",
                                     "DriveEvent", "Manual", "Parking", "ParkingEvent"}));
        const QString front = card + "/Drive/R_20261206_081512_T_N.avi";
        if (ffprobeAvailable()) // the third camera's pictures, counted by decoding
            QCOMPARE(
                run("ffprobe", {"-v", "quiet", "-count_frames", "-select_streams", "v:2",
                                "-show_entries", "stream=nb_read_frames", "-of", "csv=p=0", front})
                    .trimmed(),
                QByteArray("600"));
        for (const QString &mine : {front, card + "/config.txt"})
            writeAll(mine, "mine");
        QCOMPARE(runTool({"make-demo-card", card}, 120000).code, 0);
        QCOMPARE(readAll(front) + readAll(card + "/config.txt"), QByteArray("minemine"));
    }
};

QTEST_GUILESS_MAIN(FixturesTest)
#include "tst_fixtures.moc"
