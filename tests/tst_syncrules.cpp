// The small views follow the large one on simulated clocks: drift in,
// speed nudges and seeks out, applied back to the clocks tick after tick.
#include "syncrules.h"

#include <QtTest>
#include <cmath>

using namespace velmora;

namespace {

const double FrameMs = 1000.0 / 30;
const double TickMs = 250;

struct Runner {
    double rate;    // how fast it plays at a given speed: 0.97 is 3 % slow
    double startMs; // where it starts, against the master
    int seeks;      // how many seeks it should need
};

} // namespace

Q_DECLARE_METATYPE(QVector<Runner>)
Q_DECLARE_METATYPE(ViewClock)

class SyncRulesTest : public QObject {
    Q_OBJECT
private slots:
    // Every follower comes within half a frame in a few ticks and stays there;
    // one whose own rate is off drifts out again by at most a frame and a
    // tick's slip before it is pulled back. The speed never leaves ±10 %.
    void followersSettle_data() {
        QTest::addColumn<double>("masterSpeed");
        QTest::addColumn<QVector<Runner>>("runners");
        QTest::newRow("normal speed")
            << 1.0
            << QVector<Runner>{{0.97, -60, 0}, {1.0, -200, 0}, {1.0, 100, 0}, {1.0, -700, 1}};
        QTest::newRow("double speed")
            << 2.0 << QVector<Runner>{{1.03, 80, 0}, {1.0, -300, 0}, {1.0, 900, 1}};
        QTest::newRow("half speed") << 0.5 << QVector<Runner>{{0.97, -40, 0}, {1.0, -100, 0}};
        QTest::newRow("fastest speed") << 4.0 << QVector<Runner>{{1.0, -300, 0}, {0.97, 40, 0}};
    }
    void followersSettle() {
        QFETCH(double, masterSpeed);
        QFETCH(QVector<Runner>, runners);
        const int settleTicks = 24;

        struct Sim {
            double position, speed = 0;
            int seeks = 0;
        };
        double master = 10000;
        std::vector<Sim> sims;
        for (const Runner &r : runners)
            sims.push_back({master + r.startMs, masterSpeed});

        SyncController controller(FrameMs);
        for (int tick = 0; tick < 240; ++tick) {
            std::vector<ViewClock> clocks;
            for (const Sim &s : sims)
                clocks.push_back({qRound64(s.position)});
            const auto actions = controller.tick({qRound64(master)}, masterSpeed, false, clocks);
            QCOMPARE(actions.size(), sims.size());

            for (std::size_t i = 0; i < sims.size(); ++i) {
                Sim &s = sims[i];
                const Runner &r = runners[int(i)];
                const double drift = std::abs(master - s.position);
                const double held = r.rate == 1.0
                                        ? FrameMs / 2
                                        : FrameMs + std::abs(1 - r.rate) * TickMs * masterSpeed + 1;
                QVERIFY2(tick < settleTicks || drift <= held,
                         qPrintable(QString("follower %1 at tick %2 is %3 ms away")
                                        .arg(i)
                                        .arg(tick)
                                        .arg(drift)));
                if (actions[i].seekTo) {
                    s.position = double(*actions[i].seekTo);
                    ++s.seeks;
                }
                if (actions[i].speed)
                    s.speed = *actions[i].speed;
                QVERIFY(std::abs(s.speed / masterSpeed - 1) <= SyncController::MaxNudge + 1e-9);
                s.position += TickMs * s.speed * r.rate;
            }
            master += TickMs * masterSpeed;
        }
        for (std::size_t i = 0; i < sims.size(); ++i)
            QCOMPARE(sims[i].seeks, runners[int(i)].seeks);
    }

    // Once nudged, a follower is nudged until it is within half a frame,
    // then set back to the master's speed; between half and one frame, a
    // follower at the master's speed is left as it is.
    void nudgeHysteresis() {
        SyncController controller(FrameMs);
        const auto at = [&](qint64 drift) {
            return controller.tick({5000}, 1.0, false, {{5000 - drift}})[0];
        };
        QVERIFY(at(25).none());
        const FollowerAction pulled = at(40);
        QVERIFY(pulled.speed && *pulled.speed > 1.0);
        const FollowerAction still = at(25);
        QVERIFY(still.speed && *still.speed > 1.0 && *still.speed < *pulled.speed);
        QCOMPARE(at(10).speed, std::optional<double>(1.0));
        QVERIFY(at(25).none());
        // Ahead of the master, it is slowed down.
        const FollowerAction ahead = at(-40);
        QVERIFY(ahead.speed && *ahead.speed < 1.0);
        // A seek also ends the nudge.
        const FollowerAction sought = at(-600);
        QCOMPARE(sought.seekTo, std::optional<qint64>(5000));
        QCOMPARE(sought.speed, std::optional<double>(1.0));
        QVERIFY(at(0).none());
    }

    // Nothing is done while the views are paused or seeking, while a
    // position is unknown, or to a follower whose track has ended.
    void holdsOff_data() {
        QTest::addColumn<bool>("paused");
        QTest::addColumn<ViewClock>("master");
        QTest::addColumn<ViewClock>("follower");
        // A follower at 0 is placed behind the master (which is at 5000 when known).
        const ViewClock playing{5000}, follower{0};
        QTest::newRow("paused") << true << playing << follower;
        QTest::newRow("master seeking") << false << ViewClock{5000, true} << follower;
        QTest::newRow("master unknown") << false << ViewClock{-1} << follower;
        QTest::newRow("master ended") << false << ViewClock{5000, false, true} << follower;
        QTest::newRow("follower unknown") << false << playing << ViewClock{-1};
        QTest::newRow("follower seeking") << false << playing << ViewClock{0, true};
        QTest::newRow("follower ended") << false << playing << ViewClock{0, false, true};
    }
    void holdsOff() {
        QFETCH(bool, paused);
        QFETCH(ViewClock, master);
        QFETCH(ViewClock, follower);
        // Far enough behind for a seek, then for a nudge.
        for (qint64 drift : {1000, 50}) {
            ViewClock f = follower;
            if (f.position == 0)
                f.position = 5000 - drift;
            SyncController controller(FrameMs);
            QVERIFY(controller.tick(master, 1.0, paused, {f})[0].none());
        }
    }
};

QTEST_APPLESS_MAIN(SyncRulesTest)
#include "tst_syncrules.moc"
