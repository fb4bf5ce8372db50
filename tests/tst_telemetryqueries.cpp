// The telemetry queries over hand-built telemetry: text formats, units,
// rounding, the current GPS record, bounds, and the second index against a
// plain walk of the list.
#include "fileio.h"
#include "gpsrecord.h"
#include "recordingwriter.h"
#include "telemetryqueries.h"

#include <QRandomGenerator>
#include <QtTest>

using velmora::GioData;
using velmora::MagneticData;
using velmora::Telemetry;
using velmora::TelemetryQueries;
using velmora::testing::record;

namespace {

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

std::shared_ptr<const Telemetry> samples(int n) {
    auto t = std::make_shared<Telemetry>();
    for (int i = 0; i < n; ++i)
        t->magnetic.append(MagneticData{i / 1000.0f, -i / 1000.0f, 1.0f + i / 1000.0f});
    return t;
}

// The walk the lookups must match: first record of the second, from the start.
int scanSecond(const QVector<GioData> &gio, int second) {
    for (int i = 0; i < gio.size(); ++i) {
        if (gio[i].time == second)
            return i;
    }
    return -1;
}

// The latitude query as a walk that copies every visited record.
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
    void degrees_data();
    void degrees();
    void wholeDegreesStayWhole();
    void coordinatePairOfASecond();
    void defaultCoordinates_data();
    void defaultCoordinates();
    void currentRecordPastTheList();
    void currentRecordInAGap();
    void newSnapshotDropsCurrentRecord();
    void speedText_data();
    void speedText();
    void speedMissingSecond();
    void positionText();
    void positionIndexedAccessors();
    void sensorSamples();
    void sensorsWaitForTheExtraction();
    void indexMatchesScan();
    void fileIOWithoutTelemetry();
    void fileIOAnswersFromTheExtraction();
};

void TestTelemetryQueries::degrees_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("4807.038") << "4807.038" << 48.1173;
    QTest::newRow("3724.5000") << "3724.5000" << 37.408333;
    QTest::newRow("12652.2000") << "12652.2000" << 126.87;
    QTest::newRow("01131.000") << "01131.000" << 11.516667;
    QTest::newRow("leading zeros 00030.0") << "00030.0" << 0.5;
    QTest::newRow("59.99 minutes") << "0159.99" << 1.0 + 59.99 / 60.0;
}

void TestTelemetryQueries::degrees() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    GioData g = record(0, text, text, QStringLiteral("E"), QStringLiteral("0"));
    QVERIFY(qAbs(velmora::latitudeDegrees(g) - expected) < 1e-5);
    QVERIFY(qAbs(velmora::longitudeDegrees(g) - expected) < 1e-5);
    g.ew = QStringLiteral("W");
    QVERIFY(qAbs(velmora::longitudeDegrees(g) + expected) < 1e-5);
}

// dd00.0 must not fall to (dd-1) + 59.99.../60 through a rounded product.
void TestTelemetryQueries::wholeDegreesStayWhole() {
    for (int d = 1; d < 180; ++d) {
        const GioData g = record(0, QString::number(d * 100) + QStringLiteral(".0"),
                                 QString::number(d * 100), QStringLiteral("E"), QString());
        QCOMPARE(velmora::latitudeDegrees(g), float(d));
        QCOMPARE(velmora::longitudeDegrees(g), float(d));
    }
}

void TestTelemetryQueries::coordinatePairOfASecond() {
    auto t = std::make_shared<Telemetry>(*drive(10));
    t->gio[3] = record(3, QStringLiteral("3724.5000"), QStringLiteral("12652.2000"),
                       QStringLiteral("E"), QStringLiteral("0"));
    t->gio[4] = record(4, QStringLiteral("3724.5000"), QStringLiteral("12652.2000"),
                       QStringLiteral("W"), QStringLiteral("0"));
    TelemetryQueries q;
    q.follow(t);
    QVERIFY(qAbs(q.latitudeOfSecond(3) - 37.408333f) < 1e-5f);
    QVERIFY(qAbs(q.currentLongitude() - 126.87f) < 1e-4f);
    QCOMPARE(q.current().time, 3);
    QVERIFY(qAbs(q.latitudeOfSecond(4) - 37.408333f) < 1e-5f);
    QVERIFY(qAbs(q.currentLongitude() + 126.87f) < 1e-4f);
    // Only an exact "W" turns the sign.
    t->gio[5] = record(5, QStringLiteral("3724.5"), QStringLiteral("12652.2"), QStringLiteral("w"),
                       QStringLiteral("0"));
    TelemetryQueries lower;
    lower.follow(t);
    lower.latitudeOfSecond(5);
    QVERIFY(lower.currentLongitude() > 0.0f);
}

void TestTelemetryQueries::defaultCoordinates_data() {
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<QString>("ew");
    QTest::newRow("no GPS at second 0") << "0"
                                        << "0"
                                        << "0";
    QTest::newRow("empty texts") << ""
                                 << ""
                                 << "";
    QTest::newRow("zero with W") << "0000.000"
                                 << "00000.000"
                                 << "W";
    QTest::newRow("not a number") << "48x7"
                                  << "lon"
                                  << "E";
    QTest::newRow("nan and inf") << "nan"
                                 << "inf"
                                 << "W";
    QTest::newRow("overflow") << "1e50"
                              << "-1e50"
                              << "E";
}

void TestTelemetryQueries::defaultCoordinates() {
    QFETCH(QString, lat);
    QFETCH(QString, lon);
    QFETCH(QString, ew);
    auto t = std::make_shared<Telemetry>();
    t->gio.append(record(0, lat, lon, ew, QStringLiteral("0")));
    TelemetryQueries q;
    q.follow(t);
    QCOMPARE(q.latitudeOfSecond(0), 47.406055f);
    QCOMPARE(q.currentLongitude(), -122.250023f);
}

void TestTelemetryQueries::currentRecordPastTheList() {
    TelemetryQueries q;
    // Nothing visited yet: the default position.
    QCOMPARE(q.latitudeOfSecond(75), 47.406055f);
    QCOMPARE(q.currentLongitude(), -122.250023f);

    q.follow(drive(60));
    const float at10 = q.latitudeOfSecond(10);
    QVERIFY(qAbs(at10 - (48.0f + 10.0f / 60.0f)) < 1e-5f);
    QCOMPARE(q.speedText(75, 1), QString());
    QCOMPARE(q.positionText(75, 1), QString());
    QCOMPARE(q.latitudeOfSecond(75), at10);
    QCOMPARE(q.latitudeOfSecond(60), at10);
    QCOMPARE(q.current().time, 10);
}

void TestTelemetryQueries::currentRecordInAGap() {
    // Seconds 10 to 12 without a fix: 57 records, seconds 0..9 and 13..59.
    TelemetryQueries q;
    q.follow(drive(60, {10, 11, 12}));
    QCOMPARE(q.gioCount(), 57);
    // Below the count, no record: the walk ends on the last record.
    q.latitudeOfSecond(11);
    QCOMPARE(q.current().time, 59);
    q.latitudeOfSecond(13);
    QCOMPARE(q.current().time, 13);
    // At or past the count the current record stays, even where a record
    // for the second exists.
    q.latitudeOfSecond(58);
    QCOMPARE(q.current().time, 13);
    // Below 0 the walk finds nothing either.
    q.latitudeOfSecond(-1);
    QCOMPARE(q.current().time, 59);
}

void TestTelemetryQueries::newSnapshotDropsCurrentRecord() {
    TelemetryQueries q;
    auto first = drive(60);
    q.follow(first);
    q.latitudeOfSecond(20);
    q.follow(first); // the same snapshot again: nothing changes
    QCOMPARE(q.current().time, 20);
    QCOMPARE(q.current().lat, QStringLiteral("4820.0000"));

    q.follow(drive(5)); // another recording
    QCOMPARE(q.current().lat, QString());
    QCOMPARE(q.latitudeOfSecond(30), 47.406055f);
    QCOMPARE(q.currentLongitude(), -122.250023f);
    QCOMPARE(q.speedText(20, 1), QString());

    q.latitudeOfSecond(2);
    q.follow(nullptr); // nothing published: empty lists, no current record
    QCOMPARE(q.gioCount(), 0);
    QCOMPARE(q.current().lat, QString());
}

void TestTelemetryQueries::speedText_data() {
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("expected");
    QTest::newRow("022.4 km/h") << "022.4" << 1 << "41 Km/h";
    QTest::newRow("022.4 mi/h") << "022.4" << 0 << "26 Mi/h";
    QTest::newRow("any unit but 1 is mi/h") << "022.4" << 2 << "26 Mi/h";
    QTest::newRow("negative unit") << "022.4" << -1 << "26 Mi/h";
    QTest::newRow("zero") << "0" << 1 << "0 Km/h";
    QTest::newRow("empty") << "" << 1 << "0 Km/h";
    QTest::newRow("not a number") << "abc" << 1 << "0 Km/h";
    QTest::newRow("not a number mi/h") << "12,5" << 0 << "0 Mi/h";
    QTest::newRow("inf") << "inf" << 1 << "0 Km/h";
    // 0.27 kn = 0.50004 km/h, 0.26 kn = 0.48152 km/h
    QTest::newRow("just over half") << "0.27" << 1 << "1 Km/h";
    QTest::newRow("just under half") << "0.26" << 1 << "0 Km/h";
    // 0.4345 kn = 0.500033 mi/h, 0.4344 kn = 0.499918 mi/h
    QTest::newRow("just over half mi/h") << "0.4345" << 0 << "1 Mi/h";
    QTest::newRow("just under half mi/h") << "0.4344" << 0 << "0 Mi/h";
    QTest::newRow("tiny negative") << "-0.1" << 1 << "0 Km/h";
    QTest::newRow("fast") << "150.0" << 1 << "278 Km/h";
}

void TestTelemetryQueries::speedText() {
    QFETCH(QString, speed);
    QFETCH(int, unit);
    QFETCH(QString, expected);
    auto t = std::make_shared<Telemetry>();
    t->gio.append(record(0, QStringLiteral("4807.038"), QStringLiteral("01131.000"),
                         QStringLiteral("E"), speed));
    TelemetryQueries q;
    q.follow(t);
    QCOMPARE(q.speedText(0, unit), expected);
}

void TestTelemetryQueries::speedMissingSecond() {
    TelemetryQueries q;
    q.follow(drive(60, {10, 11, 12}));
    QCOMPARE(q.speedText(11, 1), QString());
    QCOMPARE(q.positionText(11, 1), QString());
    QCOMPARE(q.speedText(-1, 1), QString());
    QCOMPARE(q.speedText(13, 1), QStringLiteral("24 Km/h")); // 13 kn
    // Seconds past the record count still find their record.
    QCOMPARE(q.speedText(59, 1), QStringLiteral("109 Km/h")); // 59 kn
}

void TestTelemetryQueries::positionText() {
    auto t = std::make_shared<Telemetry>();
    t->gio.append(record(0, QStringLiteral("4807.038"), QStringLiteral("01131.000"),
                         QStringLiteral("E"), QStringLiteral("022.4")));
    t->gio.append(record(1, QStringLiteral("3724.5000"), QStringLiteral("12652.2000"),
                         QStringLiteral("W"), QStringLiteral("-0.001")));
    t->gio.append(record(2, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                         QStringLiteral("0")));
    t->gio.append(record(3, QString(), QString(), QString(), QStringLiteral("x")));
    TelemetryQueries q;
    q.follow(t);
    QCOMPARE(q.positionText(0, 1), QStringLiteral("4807.038(N) 01131.000(E) Speed 41.48km/h"));
    QCOMPARE(q.positionText(0, 0), QStringLiteral("4807.038(N) 01131.000(E) Speed 25.78mi/h"));
    // The labels are fixed whatever the hemisphere; no "-0.00".
    QCOMPARE(q.positionText(1, 1), QStringLiteral("3724.5000(N) 12652.2000(E) Speed 0.00km/h"));
    QCOMPARE(q.positionText(2, 1), QStringLiteral("0(N) 0(E) Speed 0.00km/h"));
    QCOMPARE(q.positionText(3, 5), QStringLiteral("(N) (E) Speed 0.00mi/h"));
}

void TestTelemetryQueries::positionIndexedAccessors() {
    TelemetryQueries q;
    q.follow(drive(60, {10, 11, 12}));
    QCOMPARE(q.gioTime(9), 9);
    QCOMPARE(q.gioTime(10), 13); // positions, not seconds
    QCOMPARE(q.gioLat(10), QStringLiteral("4813.0000"));
    QCOMPARE(q.gioLon(10), QStringLiteral("01131.000"));
    QCOMPARE(q.gioEw(10), QStringLiteral("E"));
    for (int pos :
         {-1, 57, 1000, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        QCOMPARE(q.gioLat(pos), QString());
        QCOMPARE(q.gioLon(pos), QString());
        QCOMPARE(q.gioEw(pos), QString());
        QCOMPARE(q.gioTime(pos), -1);
    }
}

void TestTelemetryQueries::sensorSamples() {
    TelemetryQueries q;
    q.follow(samples(1800));
    QCOMPARE(q.sampleCount(), 1800);
    QCOMPARE(q.sampleX(7, 1), 0.007f);
    QCOMPARE(q.sampleY(7, 1), -0.007f);
    QCOMPARE(q.sampleZ(7, 1), 1.007f);
    // Past the end: the last sample; below 0: the first.
    QCOMPARE(q.sampleX(5000, 1), 1.799f);
    QCOMPARE(q.sampleY(1800, 1), -1.799f);
    QCOMPARE(q.sampleZ(std::numeric_limits<int>::max(), 1), 2.799f);
    QCOMPARE(q.sampleX(-1, 1), 0.0f);
    QCOMPARE(q.sampleZ(std::numeric_limits<int>::min(), 1), 1.0f);
}

void TestTelemetryQueries::sensorsWaitForTheExtraction() {
    TelemetryQueries q;
    q.follow(samples(1800));
    for (int state : {0, -1}) {
        QCOMPARE(q.sampleX(100, state), 0.0f);
        QCOMPARE(q.sampleY(0, state), 0.0f);
        QCOMPARE(q.sampleZ(5000, state), 0.0f);
    }
    q.follow(samples(0));
    QCOMPARE(q.sampleX(0, 1), 0.0f);
    QCOMPARE(q.sampleZ(5000, 1), 0.0f);
}

// Lists with gaps (and, beyond what the extraction makes, repeated and
// unordered seconds): every lookup equals the walk of the list.
void TestTelemetryQueries::indexMatchesScan() {
    QRandomGenerator random(20261206);
    for (int round = 0; round < 200; ++round) {
        auto t = std::make_shared<Telemetry>();
        const int seconds = random.bounded(0, 120);
        const bool ordered = round % 4 != 3;
        for (int s = 0; s < seconds; ++s) {
            if (random.bounded(5) == 0)
                continue; // a void fix
            const int time = ordered ? s : random.bounded(-2, seconds + 5);
            t->gio.append(record(time, QString::number(4800 + random.bounded(6000) / 100.0, 'f', 4),
                                 QString::number(1100 + random.bounded(6000) / 100.0, 'f', 4),
                                 random.bounded(2) ? QStringLiteral("E") : QStringLiteral("W"),
                                 QString::number(random.bounded(10000) / 100.0, 'f', 1)));
            if (random.bounded(10) == 0)
                t->gio.append(record(time, QStringLiteral("1234.5"), QStringLiteral("0"),
                                     QStringLiteral("W"), QStringLiteral("1")));
        }
        TelemetryQueries q;
        q.follow(t);
        GioData current;
        for (int step = 0; step < 300; ++step) {
            const int second = random.bounded(-3, seconds + 10);
            const int pos = scanSecond(t->gio, second);
            QCOMPARE(q.findSecond(second), pos);
            if (pos < 0) {
                QCOMPARE(q.speedText(second, 1), QString());
                QCOMPARE(q.positionText(second, 1), QString());
            } else {
                const GioData &g = t->gio[pos];
                QVERIFY(q.speedText(second, 1).endsWith(QStringLiteral(" Km/h")));
                QVERIFY(q.positionText(second, 1).startsWith(g.lat + QStringLiteral("(N) ") +
                                                             g.lon + QStringLiteral("(E) Speed ")));
            }
            const float expected = scanLatitude(t->gio, second, current);
            QCOMPARE(q.latitudeOfSecond(second), expected);
            QCOMPARE(q.current().time, current.time);
            QCOMPARE(q.current().lat, current.lat);
            QCOMPARE(q.currentLongitude(), velmora::longitudeDegrees(current));
        }
    }
}

// The facade before any extraction: neutral answers and the default position.
void TestTelemetryQueries::fileIOWithoutTelemetry() {
    FileIO file;
    QCOMPARE(file.readProcessState(), 0);
    QCOMPARE(file.readPOICnt(), 0);
    QCOMPARE(file.readGioDataCnt(), 0);
    QCOMPARE(file.readMagneticDataX(0), 0.0f);
    QCOMPARE(file.readMagneticDataY(5000), 0.0f);
    QCOMPARE(file.readMagneticDataZ(-1), 0.0f);
    QCOMPARE(file.readGioDataLat(0), QString());
    QCOMPARE(file.readGioDataLon(0), QString());
    QCOMPARE(file.readGiolongitude(0), QString());
    QCOMPARE(file.readGioDataTime(0), -1);
    QCOMPARE(file.readGioDataLat1(0), 47.406055f);
    QCOMPARE(file.readGioDataLon1(), -122.250023f);
    QCOMPARE(file.readGioDataInfo(0), QString());
    QCOMPARE(file.readCurrentSpeed(0, 1), QString());
}

// The facade over real extractions: the queries read the published lists,
// and a newly published recording starts without a current record.
void TestTelemetryQueries::fileIOAnswersFromTheExtraction() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    velmora::fixtures::RecordingOptions options;
    options.seconds = 6;
    options.drive.voidSeconds = {2};
    const QString first = dir.filePath(velmora::fixtures::cameraFileName(options.drive.start, 1));
    auto written = velmora::fixtures::writeRecording(first, options);
    QVERIFY2(written.ok, qPrintable(written.error));
    velmora::fixtures::RecordingOptions other = options;
    other.drive.start = options.drive.start.addSecs(60);
    other.seconds = 2;
    const QString second = dir.filePath(velmora::fixtures::cameraFileName(other.drive.start, 1));
    written = velmora::fixtures::writeRecording(second, other);
    QVERIFY2(written.ok, qPrintable(written.error));

    FileIO file;
    QCOMPARE(file.readfilepath(first), first);
    QTRY_COMPARE(file.readProcessState(), 1);
    QCOMPARE(file.readPOICnt(), 180);
    QCOMPARE(file.readGioDataCnt(), 5);
    QCOMPARE(file.readGioDataTime(2), 3);
    const velmora::fixtures::GpsFixTexts fix3 = options.drive.fix(3);
    QCOMPARE(file.readGioDataLat(2), fix3.lat);
    QCOMPARE(file.readGioDataLon(2), fix3.lon);
    QCOMPARE(file.readGiolongitude(2), fix3.ew);
    QCOMPARE(file.readCurrentSpeed(2, 1), QString());
    QVERIFY(file.readCurrentSpeed(3, 1).endsWith(QStringLiteral(" Km/h")));
    QVERIFY(file.readCurrentSpeed(3, 0).endsWith(QStringLiteral(" Mi/h")));
    // The position text follows the camera's unit, not the caller's.
    file.setGps_speed(1);
    QVERIFY(file.readGioDataInfo(3).startsWith(fix3.lat + QStringLiteral("(N) ") + fix3.lon +
                                               QStringLiteral("(E) Speed ")));
    QVERIFY(file.readGioDataInfo(3).endsWith(QStringLiteral("km/h")));
    file.setGps_speed(0);
    QVERIFY(file.readGioDataInfo(3).endsWith(QStringLiteral("mi/h")));
    QVERIFY(qAbs(file.readGioDataLat1(3) - options.drive.latitude(3)) < 1e-4);
    QVERIFY(qAbs(file.readGioDataLon1() - options.drive.longitude(3)) < 1e-4);
    const velmora::fixtures::SensorSample last = options.drive.sensor(179);
    QCOMPARE(file.readMagneticDataX(5000), last.x / 1000.0f);
    QCOMPARE(file.readMagneticDataY(180), last.y / 1000.0f);
    QCOMPARE(file.readMagneticDataZ(179), last.z / 1000.0f);
    // Past the list the current record stays.
    QVERIFY(qAbs(file.readGioDataLat1(75) - options.drive.latitude(3)) < 1e-4);

    QCOMPARE(file.readfilepath(second), second);
    QTRY_COMPARE(file.readProcessState(), 1);
    QCOMPARE(file.readPOICnt(), 60);
    QCOMPARE(file.readGioDataLat1(75), velmora::DefaultLatitude);
    QCOMPARE(file.readGioDataLon1(), velmora::DefaultLongitude);
}

QTEST_GUILESS_MAIN(TestTelemetryQueries)
#include "tst_telemetryqueries.moc"
