// velmora-tool on the command line: the demo card and the card listing.
#include "toolrunner.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class ToolTest : public QObject {
    Q_OBJECT

private slots:
    void demoCardHasTheCategoriesAndAValidConfig() {
        QTemporaryDir dir;
        const QString card = dir.filePath("card");
        QCOMPARE(runTool({"make-demo-card", card}).code, 0);
        for (const char *folder : {"Drive", "DriveEvent", "Parking", "ParkingEvent", "Manual"})
            QVERIFY2(QDir(card).exists(folder), folder);

        QFile config(card + "/config.txt");
        QVERIFY(config.open(QIODevice::ReadOnly));
        const QByteArray bytes = config.readAll();
        QVERIFY(bytes.startsWith("[config]\n"));
        QVERIFY(!bytes.contains('\r'));
        QCOMPARE(bytes.count('\n'), 21); // the group line and twenty keys
        QCOMPARE(bytes.at(bytes.size() - 2), '\n');
        unsigned char sum = 0;
        for (int i = 0; i < bytes.size() - 1; ++i)
            sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(bytes[i]));
        QCOMPARE(static_cast<unsigned char>(bytes.back()), sum);

        // A second run keeps a config the user may have changed.
        config.close();
        QVERIFY(QFile::remove(card + "/config.txt"));
        QFile edited(card + "/config.txt");
        QVERIFY(edited.open(QIODevice::WriteOnly));
        edited.write("edited");
        edited.close();
        QCOMPARE(runTool({"make-demo-card", card}).code, 0);
        QVERIFY(edited.open(QIODevice::ReadOnly));
        QCOMPARE(edited.readAll(), QByteArray("edited"));
    }

    void demoCardInAPlaceThatCannotBeWrittenFails() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(runTool({"make-demo-card", dir.filePath("file/card")}).code, 1);
    }

    void cardsListsAFolderGivenAsCard() {
        QTemporaryDir dir;
        const ToolRun run = runTool({"cards", "--card", dir.path()});
        QCOMPARE(run.code, 0);
        QVERIFY2(run.out.contains("DASHCAM\t" + dir.path().toUtf8() + "/\n"), run.out.constData());
    }

    void usageErrorsExitWithTwo() {
        QCOMPARE(runTool({}).code, 2);
        QCOMPARE(runTool({"no-such-command"}).code, 2);
        QCOMPARE(runTool({"make-demo-card"}).code, 2);
        QCOMPARE(runTool({"cards", "--card"}).code, 2);
    }
};

QTEST_GUILESS_MAIN(ToolTest)
#include "tst_tool.moc"
