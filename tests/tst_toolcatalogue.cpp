// velmora-tool catalogue: a card folder's recordings as JSON.
#include "testfiles.h"
#include "toolrunner.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

// The modification time of every file the tests make.
const QDateTime Modified(QDate(2021, 3, 4), QTime(5, 6));

// An error is one line on stderr and nothing on stdout.
void checkOneErrorLine(const ToolRun &run) {
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1, run.err.constData());
}

} // namespace

class ToolCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheFiveCategories() {
        QTemporaryDir card;
        touch(card.filePath("Drive/R_20210101_100000_N.avi"), Modified);
        touch(card.filePath("Drive/sub/T_20210102_100000_N.avi"), Modified);
        touch(card.filePath("Drive/notes.txt"), Modified);
        touch(card.filePath("Manual/R_20210103_100000_M.avi"), Modified);

        const ToolRun run = runTool({"catalogue", card.path()});
        QCOMPARE(run.code, 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
        QVERIFY2(error.error == QJsonParseError::NoError, run.out.constData());
        const QJsonObject lists = doc.object();
        QCOMPARE(lists.keys(),
                 QStringList({"Drive", "DriveEvent", "Manual", "Parking", "ParkingEvent"}));

        const QJsonArray drive = lists["Drive"].toArray();
        QCOMPARE(drive.size(), 2);
        const QJsonObject newest = drive[0].toObject();
        QCOMPARE(newest["name"].toString(), QStringLiteral("T_20210102_100000_N.avi"));
        QCOMPARE(newest["info"].toString(), QStringLiteral("2021-03-04 05:06"));
        // The folder is taken as the card root, so a "/" separates it from "Drive".
        QCOMPARE(newest["path"].toString(),
                 card.path() + QStringLiteral("/Drive/sub/T_20210102_100000_N.avi"));
        QCOMPARE(drive[1].toObject()["name"].toString(), QStringLiteral("R_20210101_100000_N.avi"));
        QCOMPARE(lists["Manual"].toArray().size(), 1);
        QCOMPARE(lists["DriveEvent"].toArray().size(), 0);
        QCOMPARE(lists["Parking"].toArray().size(), 0);

        // With the trailing "/" given, the same answer.
        QCOMPARE(runTool({"catalogue", card.path() + "/"}).out, run.out);
    }

    void badArgumentsAndFolders() {
        for (const QStringList &args : {QStringList{"catalogue"}, QStringList{"catalogue", ""},
                                        QStringList{"catalogue", "a", "b"}}) {
            const ToolRun run = runTool(args);
            QCOMPARE(run.code, 2);
            checkOneErrorLine(run);
        }

        QTemporaryDir dir;
        touch(dir.filePath("file"), Modified);
        for (const QString &path : {dir.filePath("missing"), dir.filePath("file")}) {
            const ToolRun run = runTool({"catalogue", path});
            QCOMPARE(run.code, 3);
            checkOneErrorLine(run);
        }
    }

    void unreadableFolderIsRefused() {
        if (geteuid() == 0)
            QSKIP("root reads every folder");
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("card")));
        QVERIFY(QFile::setPermissions(dir.filePath("card"), QFileDevice::WriteOwner));
        const ToolRun run = runTool({"catalogue", dir.filePath("card")});
        QFile::setPermissions(dir.filePath("card"), QFileDevice::ReadOwner |
                                                        QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
        QCOMPARE(run.code, 3);
        checkOneErrorLine(run);
    }
};

QTEST_GUILESS_MAIN(ToolCatalogueTest)
#include "tst_toolcatalogue.moc"
