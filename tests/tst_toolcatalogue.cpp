// velmora-tool catalogue: a card folder's recordings as JSON.
#include "testfiles.h"
#include "toolrunner.h"

#include <QTemporaryDir>
#include <QtTest>

class ToolCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    // Five lists by category, newest first; the folder is the card root.
    void listsTheFiveCategories() {
        QTemporaryDir card;
        const QDateTime modified(QDate(2021, 3, 4), QTime(5, 6));
        for (const char *name :
             {"Drive/R_20210101_100000_N.avi", "Drive/sub/T_20210102_100000_N.avi",
              "Manual/R_20210103_100000_M.avi"})
            touch(card.filePath(name), modified);
        const ToolRun run = runTool({"catalogue", card.path()});
        QCOMPARE(run.code, 0);
        const QString entry = R"({"info":"2021-03-04 05:06","name":"%2","path":"%1/%3/%2"})";
        QCOMPARE(QString(run.out),
                 QString(R"({"Drive":[%1,%2],"DriveEvent":[],"Manual":[%3],"Parking":[],)"
                         R"("ParkingEvent":[]})"
                         "\n")
                     .arg(entry.arg(card.path(), "T_20210102_100000_N.avi", "Drive/sub"),
                          entry.arg(card.path(), "R_20210101_100000_N.avi", "Drive"),
                          entry.arg(card.path(), "R_20210103_100000_M.avi", "Manual")));
        // With the trailing "/" given, the same answer.
        QCOMPARE(runTool({"catalogue", card.path() + "/"}).out, run.out);
    }

    // Bad arguments give 2, a folder that cannot be listed 3: one line on
    // stderr, nothing on stdout.
    void refusals() {
        auto refused = [](const QStringList &args, int code) {
            const ToolRun run = runTool(QStringList{"catalogue"} + args);
            QCOMPARE(run.code, code);
            QVERIFY2(run.out.isEmpty() && run.err.endsWith('\n') && run.err.count('\n') == 1,
                     run.err.constData());
        };
        refused({}, 2);
        refused({""}, 2);
        refused({"a", "b"}, 2);
        QTemporaryDir dir;
        touch(dir.filePath("file"));
        refused({dir.filePath("file")}, 3);
        refused({dir.filePath("missing")}, 3);
        QVERIFY(QDir().mkdir(dir.filePath("locked")));
        QVERIFY(QFile::setPermissions(dir.filePath("locked"), QFileDevice::WriteOwner));
        if (geteuid() != 0) // root reads every folder
            refused({dir.filePath("locked")}, 3);
    }
};

QTEST_GUILESS_MAIN(ToolCatalogueTest)
#include "tst_toolcatalogue.moc"
