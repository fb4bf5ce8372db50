// The telemetry queries over hand-built telemetry: degrees and the default
// position, the speed and position texts, the current GPS record, bounds, the
// second index against a plain walk of the list, and FileIO over a real
// extraction.
#include "fileio.h"
#include "gpsrecord.h"
#include "recordingwriter.h"
#include "telemetryqueries.h"

#include <QRandomGenerator>
#include <QtTest>

using velmora::GioData;
using velmora::Telemetry;
using velmora::TelemetryQueries;
using velmora::testing::record;

namespace {

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

// Seconds 0..n-1 except `missing`; second s has latitude 48 degrees plus s
// minutes, and speed s knots.
std::shared_ptr<const Telemetry> drive(int n, const QSet<int> &missing = {}) {
    auto t = std::make_shared<Telemetry>();
    for (int s = 0; s < n; ++s) {
        if (!missing.contains(s))
            t->gio.append(record(s, QString::number(4800 + s, 'f', 4), QStringLiteral("01131.000"),
                                 QStringLiteral("E"), QString::number(s)));
    }
    return t;
}

std::shared_ptr<const Telemetry> oneRecord(const QString &lat, const QString &lon,
                                           const QString &ew, const QString &speed) {
    auto t = std::make_shared<Telemetry>();
    t->gio.append(record(0, lat, lon, ew, speed));
    return t;
}

// The latitude query as the plain walk: from the start, copying every visited
// record, up to the first of the second; nothing when the second is at or past
// the record count.
float scanLatitude(const QVector<GioData> &gio, int second, GioData &current) {
    if (second < gio.size()) {
        for (const GioData &g : gio) {
            current = g;
            if (g.time == second)
                break;
        }
    }
    return velmora::latitudeDegrees(current);
}

} // namespace

class TestTelemetryQueries : public QObject {
    Q_OBJECT

private slots:
    // The coordinate pair of a second: latitudeOfSecond, then currentLongitude.
    void coordinates_data() {
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("ew");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        auto row = [](const char *lat, const char *lon, const char *ew, double latitude,
                      double longitude) {
            QTest::addRow("%s %s %s", lat, lon, ew)
                << QString(lat) << QString(lon) << QString(ew) << latitude << longitude;
        };
        row("4807.038", "01131.000", "E", 48.1173, 11.516667);
        row("3724.5000", "12652.2000", "E", 37.408333, 126.87);
        row("3724.5000", "12652.2000", "W", 37.408333, -126.87);
        row("3724.5", "12652.2", "w", 37.408333, 126.87); // only "W" turns the sign
        row("00030.0", "00030.0", "E", 0.5, 0.5);
        row("0159.99", "0159.99", "W", 1.0 + 59.99 / 60.0, -1.0 - 59.99 / 60.0);
        // No position: the default.
        const double lat = velmora::DefaultLatitude;
        const double lon = velmora::DefaultLongitude;
        row("0", "0", "0", lat, lon);
        row("", "", "", lat, lon);
        row("0000.000", "00000.000", "W", lat, lon);
        row("48x7", "lon", "E", lat, lon);
        row("nan", "inf", "W", lat, lon);
        row("1e50", "-1e50", "E", lat, lon);
    }
    void coordinates() {
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        QFETCH(QString, ew);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        TelemetryQueries q;
        q.follow(oneRecord(lat, lon, ew, QStringLiteral("0")));
        QVERIFY(qAbs(q.latitudeOfSecond(0) - latitude) < 1e-5);
        QVERIFY(qAbs(q.currentLongitude() - longitude) < 1e-4);
    }

    // dd00.0 must not fall to (dd-1) + 59.99.../60 through a rounded product.
    void wholeDegreesStayWhole() {
        for (int d = 1; d < 180; ++d) {
            const GioData g = record(0, QString::number(d * 100) + QStringLiteral(".0"),
                                     QString::number(d * 100), QStringLiteral("E"), QString());
            QCOMPARE(velmora::latitudeDegrees(g), float(d));
            QCOMPARE(velmora::longitudeDegrees(g), float(d));
        }
    }

    // Speed text with the caller's unit, position text with the camera's;
    // whole numbers rounded half up, no "-0", the labels fixed.
    void texts_data() {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("speedText");
        QTest::addColumn<QString>("positionSpeed");
        auto row = [](const char *speed, int unit, const char *speedText, const char *position) {
            QTest::addRow("%s %d", speed, unit)
                << QString(speed) << unit << QString(speedText) << QString(position);
        };
        row("022.4", 1, "41 Km/h", "41.48km/h");
        row("022.4", 0, "26 Mi/h", "25.78mi/h");
        row("022.4", 2, "26 Mi/h", "25.78mi/h"); // any unit but 1
        row("", 1, "0 Km/h", "0.00km/h");
        row("12,5", 0, "0 Mi/h", "0.00mi/h");
        row("-0.001", 1, "0 Km/h", "0.00km/h");
        row("0.27", 1, "1 Km/h", "0.50km/h");   // 0.50004 km/h
        row("0.26", 1, "0 Km/h", "0.48km/h");   // 0.48152 km/h
        row("0.4345", 0, "1 Mi/h", "0.50mi/h"); // 0.500033 mi/h
        row("0.4344", 0, "0 Mi/h", "0.50mi/h"); // 0.499918 mi/h
    }
    void texts() {
        QFETCH(QString, speed);
        QFETCH(int, unit);
        QFETCH(QString, speedText);
        QFETCH(QString, positionSpeed);
        TelemetryQueries q;
        q.follow(oneRecord(QStringLiteral("4807.038"), QStringLiteral("01131.000"),
                           QStringLiteral("W"), speed));
        QCOMPARE(q.speedText(0, unit), speedText);
        QCOMPARE(q.positionText(0, unit),
                 QStringLiteral("4807.038(N) 01131.000(E) Speed ") + positionSpeed);
        QCOMPARE(q.speedText(1, unit), QString());
        QCOMPARE(q.positionText(-1, unit), QString());
    }

    // The current record: the default position before any, kept for seconds
    // past the list, dropped by another snapshot but not by the same one.
    void currentRecord() {
        TelemetryQueries q;
        QCOMPARE(q.latitudeOfSecond(75), velmora::DefaultLatitude);
        QCOMPARE(q.currentLongitude(), velmora::DefaultLongitude);
        const auto minute = drive(60);
        q.follow(minute);
        const float at10 = q.latitudeOfSecond(10);
        QVERIFY(qAbs(at10 - (48.0f + 10.0f / 60.0f)) < 1e-5f);
        QCOMPARE(q.speedText(75, 1), QString());
        QCOMPARE(q.latitudeOfSecond(75), at10);
        QCOMPARE(q.latitudeOfSecond(60), at10);
        q.follow(minute);
        QCOMPARE(q.current().lat, QStringLiteral("4810.0000"));
        q.follow(drive(5));
        QCOMPARE(q.latitudeOfSecond(30), velmora::DefaultLatitude);
        QCOMPARE(q.currentLongitude(), velmora::DefaultLongitude);
        q.latitudeOfSecond(2);
        q.follow(nullptr); // nothing published: empty lists, no current record
        QCOMPARE(q.gioCount(), 0);
        QCOMPARE(q.current().lat, QString());
    }

    // By list position, not by second; outside the list empty texts and -1.
    void positionIndexedAccessors() {
        TelemetryQueries q;
        q.follow(drive(60, {10, 11, 12}));
        QCOMPARE(q.gioCount(), 57);
        QCOMPARE(q.gioTime(10), 13);
        QCOMPARE(QStringList({q.gioLat(10), q.gioLon(10), q.gioEw(10)}),
                 QStringList({"4813.0000", "01131.000", "E"}));
        for (int pos : {-1, 57, IntMin, IntMax}) {
            QCOMPARE(q.gioLat(pos) + q.gioLon(pos) + q.gioEw(pos), QString());
            QCOMPARE(q.gioTime(pos), -1);
        }
    }

    // Past the end the last sample, below 0 the first; 0 until the extraction
    // is done or when there is no sample.
    void sensorSamples() {
        auto t = std::make_shared<Telemetry>();
        for (int i = 0; i < 1800; ++i)
            t->magnetic.append(
                velmora::MagneticData{i / 1000.0f, -i / 1000.0f, 1.0f + i / 1000.0f});
        TelemetryQueries q;
        q.follow(t);
        QCOMPARE(q.sampleCount(), 1800);
        QCOMPARE(q.sampleX(7, 1), 0.007f);
        QCOMPARE(q.sampleY(7, 1), -0.007f);
        QCOMPARE(q.sampleZ(7, 1), 1.007f);
        QCOMPARE(q.sampleX(5000, 1), 1.799f);
        QCOMPARE(q.sampleY(1800, 1), -1.799f);
        QCOMPARE(q.sampleZ(IntMax, 1), 2.799f);
        QCOMPARE(q.sampleX(-1, 1), 0.0f);
        QCOMPARE(q.sampleZ(IntMin, 1), 1.0f);
        for (int state : {0, -1})
            QCOMPARE(q.sampleY(0, state) + q.sampleX(100, state) + q.sampleZ(5000, state), 0.0f);
        q.follow(std::make_shared<Telemetry>());
        QCOMPARE(q.sampleX(0, 1) + q.sampleZ(5000, 1), 0.0f);
    }

    // Lists with gaps (and, beyond what the extraction makes, repeated and
    // unordered seconds): every lookup equals the walk of the list.
    void indexMatchesScan() {
        QRandomGenerator random(20261206);
        for (int round = 0; round < 200; ++round) {
            auto t = std::make_shared<Telemetry>();
            const int seconds = random.bounded(0, 120);
            const bool ordered = round % 4 != 3;
            for (int s = 0; s < seconds; ++s) {
                if (random.bounded(5) == 0)
                    continue; // a void fix
                const int time = ordered ? s : random.bounded(-2, seconds + 5);
                for (int copies = random.bounded(10) == 0 ? 2 : 1; copies > 0; --copies) {
                    const int n = t->gio.size(); // texts unique to the list position
                    t->gio.append(record(time, QString::number(4800 + n), QString::number(1100 + n),
                                         n % 2 ? QStringLiteral("W") : QStringLiteral("E"),
                                         QString::number(n % 90)));
                }
            }
            TelemetryQueries q;
            q.follow(t);
            GioData current;
            for (int step = 0; step < 300; ++step) {
                const int second = random.bounded(-3, seconds + 10);
                int pos = 0;
                while (pos < t->gio.size() && t->gio[pos].time != second)
                    ++pos;
                const GioData *found = pos < t->gio.size() ? &t->gio[pos] : nullptr;
                QCOMPARE(q.findSecond(second), found ? pos : -1);
                QCOMPARE(q.positionText(second, 1).section(QStringLiteral(" Speed"), 0, 0),
                         found ? found->lat + QStringLiteral("(N) ") + found->lon +
                                     QStringLiteral("(E)")
                               : QString());
                QCOMPARE(q.speedText(second, 1).isEmpty(), !found);
                QCOMPARE(q.latitudeOfSecond(second), scanLatitude(t->gio, second, current));
                QCOMPARE(q.current().time, current.time);
                QCOMPARE(q.current().lat, current.lat);
                QCOMPARE(q.currentLongitude(), velmora::longitudeDegrees(current));
            }
        }
    }

    // FileIO before any extraction, then over real ones: the queries read the
    // published lists, the position text takes the camera's unit, and a newly
    // published recording starts without a current record.
    void fileIO() {
        FileIO file;
        QCOMPARE(file.readMagneticDataY(0), 0.0f);
        QCOMPARE(file.readGioDataLat1(0), velmora::DefaultLatitude);
        QCOMPARE(file.readGioDataLon1(), velmora::DefaultLongitude);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        velmora::fixtures::RecordingOptions options;
        options.drive.voidSeconds = {2};
        auto request = [&](int seconds) {
            options.seconds = seconds;
            options.drive.start = options.drive.start.addSecs(60);
            const QString path =
                dir.filePath(velmora::fixtures::cameraFileName(options.drive.start, 1));
            QVERIFY(velmora::fixtures::writeRecording(path, options).ok);
            QCOMPARE(file.readfilepath(path), path);
            QTRY_COMPARE(file.readProcessState(), 1);
        };
        request(6);
        QCOMPARE(file.readPOICnt(), 180);
        QCOMPARE(file.readGioDataCnt(), 5);
        QCOMPARE(file.readGioDataTime(2), 3);
        const velmora::fixtures::GpsFixTexts fix = options.drive.fix(3);
        QCOMPARE(
            QStringList({file.readGioDataLat(2), file.readGioDataLon(2), file.readGiolongitude(2)}),
            QStringList({fix.lat, fix.lon, fix.ew}));
        QCOMPARE(file.readCurrentSpeed(2, 1), QString());
        file.setGps_speed(1);
        QVERIFY(file.readCurrentSpeed(3, 0).endsWith(QStringLiteral(" Mi/h")));
        QVERIFY(file.readGioDataInfo(3).startsWith(fix.lat + QStringLiteral("(N) ")));
        QVERIFY(file.readGioDataInfo(3).endsWith(QStringLiteral("km/h")));
        file.setGps_speed(0);
        QVERIFY(file.readGioDataInfo(3).endsWith(QStringLiteral("mi/h")));
        QVERIFY(qAbs(file.readGioDataLat1(3) - options.drive.latitude(3)) < 1e-4);
        QVERIFY(qAbs(file.readGioDataLon1() - options.drive.longitude(3)) < 1e-4);
        const velmora::fixtures::SensorSample last = options.drive.sensor(179);
        QCOMPARE(file.readMagneticDataX(5000), last.x / 1000.0f);
        QCOMPARE(file.readMagneticDataY(180), last.y / 1000.0f);
        QCOMPARE(file.readMagneticDataZ(179), last.z / 1000.0f);
        QVERIFY(qAbs(file.readGioDataLat1(75) - options.drive.latitude(3)) < 1e-4);

        request(2);
        QCOMPARE(file.readPOICnt(), 60);
        QCOMPARE(file.readGioDataLat1(75), velmora::DefaultLatitude);
    }
};

QTEST_GUILESS_MAIN(TestTelemetryQueries)
#include "tst_telemetryqueries.moc"
