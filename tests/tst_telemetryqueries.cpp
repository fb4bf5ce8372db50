// The telemetry queries over hand-built telemetry (FileIO's use of them: tst_telemetry).
#include "gpsrecord.h"
#include "telemetryqueries.h"

#include <QtTest>

using velmora::GioData;
using velmora::Telemetry;
using velmora::TelemetryQueries;
using velmora::testing::record;

namespace {

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

// Seconds 0..n-1 but `missing`; second s at 48 degrees s minutes, s knots.
std::shared_ptr<const Telemetry> drive(int n, const QSet<int> &missing = {}) {
    auto t = std::make_shared<Telemetry>();
    for (int s = 0; s < n; ++s) {
        if (!missing.contains(s))
            t->gio.append(
                record(s, QString::number(4800 + s, 'f', 4), "01131.000", "E", QString::number(s)));
    }
    return t;
}

std::shared_ptr<const Telemetry> oneRecord(const QString &lat, const QString &lon,
                                           const QString &ew, const QString &speed) {
    return std::make_shared<Telemetry>(Telemetry{{}, {record(0, lat, lon, ew, speed)}});
}

} // namespace

class TestTelemetryQueries : public QObject {
    Q_OBJECT

private slots:
    // Degrees of a second's position; the default position where there is none.
    void coordinates() {
        const double lat = velmora::DefaultLatitude;
        const double lon = velmora::DefaultLongitude;
        const struct {
            const char *lat, *lon, *ew;
            double latitude, longitude;
        } cases[] = {
            {"4807.038", "01131.000", "E", 48.1173, 11.516667},
            {"3724.5000", "12652.2000", "W", 37.408333, -126.87},
            {"0", "0", "0", lat, lon},
            {"48x7", "lon", "E", lat, lon},
            {"nan", "inf", "W", lat, lon},
        };
        for (const auto &c : cases) {
            TelemetryQueries q;
            q.follow(oneRecord(c.lat, c.lon, c.ew, "0"));
            QVERIFY2(qAbs(q.latitudeOfSecond(0) - c.latitude) < 1e-5, c.lat);
            QVERIFY2(qAbs(q.currentLongitude() - c.longitude) < 1e-4, c.lon);
        }
    }

    // dd00.0 must not fall to (dd-1) + 59.99.../60 through a rounded product.
    void wholeDegreesStayWhole() {
        for (int d = 1; d < 180; ++d) {
            const GioData g = record(0, QString::number(d * 100) + ".0", QString::number(d * 100),
                                     "E", QString());
            QCOMPARE(velmora::latitudeDegrees(g), float(d));
            QCOMPARE(velmora::longitudeDegrees(g), float(d));
        }
    }

    // Speed and position texts: units, half-up rounding, no "-0".
    void texts() {
        const struct {
            const char *speed;
            int unit;
            const char *speedText, *positionSpeed;
        } cases[] = {
            {"022.4", 1, "41 Km/h", "41.48km/h"}, {"022.4", 0, "26 Mi/h", "25.78mi/h"},
            {"", 1, "0 Km/h", "0.00km/h"},        {"-0.001", 1, "0 Km/h", "0.00km/h"},
            {"0.27", 1, "1 Km/h", "0.50km/h"}, // 0.50004 km/h
        };
        for (const auto &c : cases) {
            TelemetryQueries q;
            q.follow(oneRecord("4807.038", "01131.000", "W", c.speed));
            QCOMPARE(q.speedText(0, c.unit) + " | " + q.positionText(0, c.unit),
                     QString(c.speedText) + " | 4807.038(N) 01131.000(E) Speed " + c.positionSpeed);
            QCOMPARE(q.speedText(1, c.unit) + q.positionText(-1, c.unit), QString());
        }
    }

    // The current record is kept past the list, dropped only by another snapshot.
    void currentRecord() {
        TelemetryQueries q;
        QCOMPARE(q.latitudeOfSecond(75), velmora::DefaultLatitude);
        const auto minute = drive(60);
        q.follow(minute);
        const float at10 = q.latitudeOfSecond(10);
        QVERIFY(qAbs(at10 - (48.0f + 10.0f / 60.0f)) < 1e-5f);
        QCOMPARE(q.latitudeOfSecond(75), at10);
        q.follow(minute); // the same snapshot again
        QCOMPARE(q.current().lat, QStringLiteral("4810.0000"));
        q.follow(drive(5));
        QCOMPARE(q.latitudeOfSecond(30), velmora::DefaultLatitude);
        q.follow(nullptr); // nothing published: empty lists, no current record
        QCOMPARE(q.gioCount(), 0);
        QCOMPARE(q.current().lat, QString());
    }

    // Out-of-range positions and samples never read outside the lists; a second
    // without a fix below the count shows the list's last record.
    void bounds() {
        TelemetryQueries q;
        q.follow(drive(60, {10, 11, 12}));
        QCOMPARE(q.gioCount(), 57);
        QCOMPARE(q.latitudeOfSecond(11), 48.0f + 59.0f / 60.0f); // a void second: the last record
        QCOMPARE(
            QStringList({QString::number(q.gioTime(10)), q.gioLat(10), q.gioLon(10), q.gioEw(10)}),
            QStringList({"13", "4813.0000", "01131.000", "E"}));
        for (int pos : {-1, 57, IntMin, IntMax}) {
            QCOMPARE(q.gioLat(pos) + q.gioLon(pos) + q.gioEw(pos), QString());
            QCOMPARE(q.gioTime(pos), -1);
        }
        q.follow(std::make_shared<Telemetry>(
            Telemetry{{{0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, {0.7f, 0.8f, 0.9f}}, {}}));
        // Past either end the nearest sample; nothing before the lists are published.
        QCOMPARE(QVector<float>({q.sampleX(1, 1), q.sampleY(5000, 1), q.sampleZ(IntMax, 1),
                                 q.sampleX(-1, 1), q.sampleZ(IntMin, 1), q.sampleY(1, 0)}),
                 QVector<float>({0.4f, 0.8f, 0.9f, 0.1f, 0.3f, 0.0f}));
        q.follow(std::make_shared<Telemetry>());
        QCOMPARE(q.sampleX(0, 1) + q.sampleZ(5000, 1), 0.0f);
    }
};

QTEST_GUILESS_MAIN(TestTelemetryQueries)
#include "tst_telemetryqueries.moc"
