// velmora-tool config: show and set, and refusing values the camera does not take.
#include "testfiles.h"
#include "toolrunner.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class ToolConfigTest : public QObject {
    Q_OBJECT

private slots:
    void showAndSet() {
        QTemporaryDir dir;
        QCOMPARE(runTool({"make-demo-card", dir.path()}).code, 0);
        const QString config = dir.filePath("config.txt");

        QVERIFY(
            runTool({"config", "set", dir.path(), "cut_volt=5", "secret=0907", "LANG=fr"}).code ==
            0);
        const ToolRun shown = runTool({"config", "show", dir.path()});
        QCOMPARE(shown.code, 0);
        const QJsonObject root = QJsonDocument::fromJson(shown.out).object();
        const QJsonObject keys = root.value("keys").toObject();
        QCOMPARE(keys.size(), 20);
        QCOMPARE(keys.value("cut_volt").toInt(), 5);
        QCOMPARE(keys.value("lang").toString(), QStringLiteral("fr"));
        QCOMPARE(root.value("securityCode").toString(), QStringLiteral("0907"));

        const QByteArray bytes = readAll(config);
        QVERIFY(bytes.startsWith("[config]\ncut_volt=5\n") || bytes.contains("\ncut_volt=5\n"));
        QVERIFY(!bytes.contains('\r'));
    }

    void outOfRangeValuesLeaveTheFileUntouched_data() {
        QTest::addColumn<QString>("assignment");
        QTest::newRow("above the range") << "cut_volt=6";
        QTest::newRow("below the range") << "time_zone=-1";
        QTest::newRow("not a number") << "vol_speaker=loud";
        QTest::newRow("unknown language") << "lang=de";
        QTest::newRow("three-digit code") << "secret=123";
        QTest::newRow("unknown key") << "colour=2";
        QTest::newRow("no value") << "cut_volt";
    }

    void outOfRangeValuesLeaveTheFileUntouched() {
        QFETCH(QString, assignment);
        QTemporaryDir dir;
        QCOMPARE(runTool({"make-demo-card", dir.path()}).code, 0);
        const QByteArray before = readAll(dir.filePath("config.txt"));
        // A valid change in the same call is not written either.
        const ToolRun r = runTool({"config", "set", dir.path(), "vol_speaker=1", assignment});
        QCOMPARE(r.code, 2);
        QVERIFY(!r.err.trimmed().isEmpty());
        QCOMPARE(r.err.trimmed().count('\n'), 0); // one clear line
        QCOMPARE(readAll(dir.filePath("config.txt")), before);
    }

    void noConfigFile() {
        QTemporaryDir dir;
        QCOMPARE(runTool({"config", "show", dir.path()}).code, 3);
        QCOMPARE(runTool({"config", "show"}).code, 2);
        QCOMPARE(runTool({"config", "dump", dir.path()}).code, 2);
    }
};

QTEST_GUILESS_MAIN(ToolConfigTest)
#include "tst_toolconfig.moc"
