// The recording catalogue: the folder search of a card, the intake of picked
// files, the order of the lists, the lookups and the name and path helpers.
#include "catalogue.h"
#include "fileio.h"
#include "fileurl.h"
#include "testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <climits>

namespace {

// Recordings here are empty files (touch): the catalogue never reads them.

QStringList namesOf(FileIO &file, int kind) {
    QStringList names;
    for (int i = 0; i < file.readfileCnt(kind); ++i)
        names << file.readfilename(kind, i);
    return names;
}

int total(FileIO &file) {
    int n = 0;
    for (int kind = 0; kind < velmora::Catalogue::CategoryCount; ++kind)
        n += file.readfileCnt(kind);
    return n;
}

// Collects the debug lines written while it lives.
class DebugLog {
public:
    DebugLog() {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&DebugLog::handle);
    }
    ~DebugLog() { qInstallMessageHandler(m_previous); }
    QStringList lines() const { return s_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtDebugMsg)
            s_lines << text;
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

// Runs the rest of a test from another working folder.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString &path)
        : m_previous(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~WorkingFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void folderSearchListsNewestFirstAcrossSubfolders() {
        QTemporaryDir card;
        const QString root = card.path() + "/";
        const QDateTime modified(QDate(2021, 1, 2), QTime(10, 7, 59));
        touch(root + "Drive/R_20210101_100000_N.avi");
        touch(root + "Drive/R_20210102_100000_N.avi", modified);
        touch(root + "Drive/sub/T_20210103_100000_N.AVI");
        touch(root + "Drive/sub/deeper/r_20210104_100000_n.avi");
        touch(root + "Drive/readme.txt");
        touch(root + "Drive/X_20210105_100000_N.avi");
        touch(root + "Drive/R_20210105_100000_N.avi.part");
        QVERIFY(QDir().mkpath(root + "Drive/R_20210106_100000_N.avi")); // a folder
        QVERIFY(QFile::link(root + "Drive/R_20210101_100000_N.avi",
                            root + "Drive/R_20210107_100000_N.avi"));
        QVERIFY(QFile::link(root + "Drive/sub", root + "Drive/linkedsub"));
        touch(root + "DriveEvent/T_20210201_100000_E.avi");
        QVERIFY(QDir().mkpath(root + "ParkingEvent"));
        touch(root + "Manual/R_20210301_100000_M.avi");
        touch(root + "Manual/R_20210302_100000_M.avi");

        FileIO file;
        file.setSource(root);
        file.fileSearch();

        // Lower-cased comparison: "t_" sorts above "r_" although "T" < "r".
        QCOMPARE(namesOf(file, 0),
                 QStringList({"T_20210103_100000_N.AVI", "r_20210104_100000_n.avi",
                              "R_20210102_100000_N.avi", "R_20210101_100000_N.avi"}));
        QCOMPARE(file.readfilepath(0, 0), root + "Drive/sub/T_20210103_100000_N.AVI");
        QCOMPARE(file.readfilepath(0, 1), root + "Drive/sub/deeper/r_20210104_100000_n.avi");
        QCOMPARE(file.readfileinfo(0, 2), QStringLiteral("2021-01-02 10:07"));
        QCOMPARE(namesOf(file, 1), QStringList({"T_20210201_100000_E.avi"}));
        QCOMPARE(file.readfileCnt(2), 0); // no such folder
        QCOMPARE(file.readfileCnt(3), 0);
        QCOMPARE(namesOf(file, 4),
                 QStringList({"R_20210302_100000_M.avi", "R_20210301_100000_M.avi"}));

        // A second search replaces every list.
        QVERIFY(QDir(root + "Manual").removeRecursively());
        touch(root + "Parking/R_20210401_100000_P.avi");
        file.fileSearch();
        QCOMPARE(file.readfileCnt(0), 4);
        QCOMPARE(file.readfileCnt(2), 1);
        QCOMPARE(file.readfileCnt(4), 0);
    }

    void pickedFileGoesToItsCategory_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("listedAs");

        QTest::newRow("driving") << "R_1_N.avi" << 0 << "R_1_N.avi";
        QTest::newRow("driving impact") << "R_1_E.avi" << 1 << "R_1_E.avi";
        QTest::newRow("parking") << "R_1_P.avi" << 2 << "R_1_P.avi";
        QTest::newRow("parking impact") << "R_1_S.avi" << 3 << "R_1_S.avi";
        QTest::newRow("manual") << "R_1_M.avi" << 4 << "R_1_M.avi";
        QTest::newRow("parking, second suffix") << "R_1_R.avi" << 2 << "R_1_R.avi";
        QTest::newRow("no suffix") << "R_1.avi" << 0 << "R_1.avi";
        QTest::newRow("suffix at position 0") << "_S.avi" << 0 << "_S.avi";
        QTest::newRow("suffixes count case-sensitively") << "R_1_e.avi" << 0 << "R_1_e.avi";
        // Both count; the one tested later decides, wherever it stands.
        QTest::newRow("two suffixes, later test wins")
            << "R_1_E.avi_N.avi" << 1 << "R_1_E.avi_N.avi";
        QTest::newRow("two suffixes, manual last") << "R_1_M.avi_S.avi" << 4 << "R_1_M.avi_S.avi";
        QTest::newRow("capital extension") << "R_1_E.AVI" << 1 << "R_1_E.avi";
        QTest::newRow("other extension") << "T_1_S.mp4" << 3 << "T_1_S.avi";
    }

    void pickedFileGoesToItsCategory() {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, listedAs);

        FileIO file;
        QCOMPARE(file.setfileInfo("file:///home/u/" + name), QStringLiteral("OK"));
        QCOMPARE(total(file), 1);
        QCOMPARE(file.readfileCnt(kind), 1);
        QCOMPARE(file.readfilename(kind, 0), listedAs);
        // The path keeps the name as picked, and stays absolute on Linux.
        QCOMPARE(file.readfilepath(kind, 0), "/home/u/" + name);
    }

    void pickedTextIsCutAtCommas() {
        FileIO file;
        QCOMPARE(file.setfileInfo("file:///D:/v/R_1_E.avi,file:///D:/v/R_2_R.avi,"
                                  "file:///home/u/R_3_E.avi"),
                 QStringLiteral("OK"));
        QCOMPARE(namesOf(file, 1), QStringList({"R_3_E.avi", "R_1_E.avi"}));
        QCOMPARE(file.readfilepath(1, 0), QStringLiteral("/home/u/R_3_E.avi"));
        QCOMPARE(file.readfilepath(1, 1), QStringLiteral("D:/v/R_1_E.avi"));
        QCOMPARE(namesOf(file, 2), QStringList({"R_2_R.avi"}));
        QCOMPARE(file.readfilepath(2, 0), QStringLiteral("D:/v/R_2_R.avi"));
        QCOMPARE(total(file), 3);

        // Each intake replaces the lists.
        QCOMPARE(file.setfileInfo("file:///D:/v/R_4_M.avi"), QStringLiteral("OK"));
        QCOMPARE(total(file), 1);
        QCOMPARE(namesOf(file, 4), QStringList({"R_4_M.avi"}));

        // A comma inside a path cuts it in two; each piece is taken as a file.
        QCOMPARE(file.setfileInfo("file:///home/u/a,b_N.avi"), QStringLiteral("OK"));
        QCOMPARE(total(file), 2);
        QCOMPARE(namesOf(file, 0), QStringList({"b_N.avi", ".avi"}));

        // Nothing between commas is no file.
        QCOMPARE(file.setfileInfo(",file:///D:/v/R_5_N.avi,,"), QStringLiteral("OK"));
        QCOMPARE(namesOf(file, 0), QStringList({"R_5_N.avi"}));
        QCOMPARE(total(file), 1);
        QCOMPARE(file.setfileInfo(QString()), QStringLiteral("OK"));
        QCOMPARE(total(file), 0);
    }

    void pickedFileIsDatedByItsBirthTime() {
        QTemporaryDir dir;
        const QString path = dir.filePath("R_1_N.avi");
        touch(path, QDateTime(QDate(2021, 1, 2), QTime(10, 0)));

        FileIO file;
        file.setfileInfo("file://" + path + ",file://" + dir.filePath("R_2_N.avi"));
        QCOMPARE(file.readfilename(0, 0), QStringLiteral("R_2_N.avi"));
        QCOMPARE(file.readfileinfo(0, 0), QString()); // no such file, no date
        const QString info = file.readfileinfo(0, 1);
        // Not the modification time; empty where the file system keeps no birth time.
        QVERIFY2(info != QStringLiteral("2021-01-02 10:00"), qPrintable(info));
        if (QFileInfo(path).birthTime().isValid())
            QVERIFY2(
                QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$").match(info).hasMatch(),
                qPrintable(info));
        else
            QCOMPARE(info, QString());
    }

    void channelCountComesFromTheMarker_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("channels");
        QTest::newRow("three") << "R_20210101_100000_T_N.avi" << 3;
        QTest::newRow("two") << "R_20210101_100000_D_N.avi" << 2;
        QTest::newRow("one") << "R_20210101_100000_S_N.avi" << 1;
        QTest::newRow("none") << "R_20210101_100000_N.avi" << -1;
        QTest::newRow("lower case is no marker") << "R_20210101_100000_t_N.avi" << -1;
        QTest::newRow("_S_ and _T_") << "R_S_20210101_T_N.avi" << 3;
        QTest::newRow("_S_ and _D_") << "R_S_D_N.avi" << 2;
        QTest::newRow("folders count too") << "/card/_T_/R_1_N.avi" << 3;
        QTest::newRow("empty") << "" << -1;
    }

    void channelCountComesFromTheMarker() {
        QFETCH(QString, path);
        QFETCH(int, channels);
        FileIO file;
        QCOMPARE(file.getVideoChannel(path), channels);
    }

    void namesAndPaths() {
        FileIO file;
        QCOMPARE(file.readBaseFName(QStringLiteral("D:/v/R_1_N.avi")), QStringLiteral("R_1_N"));
        QCOMPARE(file.readBaseFName(QStringLiteral("file:///home/u/T_2_E.AVI")),
                 QStringLiteral("T_2_E"));
        QCOMPARE(file.readBaseFName(QStringLiteral("R_3_N.avi")), QStringLiteral("R_3_N"));
        QCOMPARE(file.readBaseFName(QStringLiteral("/x/ab")), QString());
        QCOMPARE(file.readBaseFName(QString()), QString());

        QCOMPARE(file.fileCut(QStringLiteral("file:///D:/x")), QStringLiteral("D:/x"));
        QCOMPARE(file.fileCut(QStringLiteral("file:///home/u/R_1_N.avi")),
                 QStringLiteral("/home/u/R_1_N.avi"));
        QCOMPARE(file.fileCut(QStringLiteral("/home/u/R_1_N.avi")),
                 QStringLiteral("/home/u/R_1_N.avi"));
        QCOMPARE(file.fileCut(QStringLiteral("D:/x")), QStringLiteral("D:/x"));
    }

    void stripFileUrlRemovesOnlyTheFirstPrefix() {
        using velmora::stripFileUrl;
        QCOMPARE(stripFileUrl("file:///home/u/R_1_N.avi"), QStringLiteral("/home/u/R_1_N.avi"));
        QCOMPARE(stripFileUrl("file:///D:/x"), QStringLiteral("D:/x"));
        QCOMPARE(stripFileUrl("file:///c:/x"), QStringLiteral("c:/x"));
        QCOMPARE(stripFileUrl("file:///D"), QStringLiteral("/D"));
        QCOMPARE(stripFileUrl("FILE:///home/u"), QStringLiteral("FILE:///home/u"));
        QCOMPARE(stripFileUrl("file://host/x"), QStringLiteral("file://host/x"));
        QCOMPARE(stripFileUrl("x file:///a/file:///b"), QStringLiteral("x /a/file:///b"));
        QCOMPARE(stripFileUrl("file:///"), QStringLiteral("/"));
        QCOMPARE(stripFileUrl(QString()), QString());
    }

    void fileValidationFollowsTheUrlRules() {
        QTemporaryDir dir;
        const QString path = dir.filePath("R_1_N.avi");
        touch(path);
        FileIO file;
        QCOMPARE(file.fileValidation("file://" + path), 1);
        QCOMPARE(file.fileValidation(path), 1);
        QCOMPARE(file.fileValidation("file://" + dir.filePath("R_2_N.avi")), 0);
        QCOMPARE(file.fileValidation(QString()), 0);

        // A drive path stays a drive path: here a folder "D:" below the working folder.
        touch(dir.filePath("D:/x"));
        WorkingFolder inside(dir.path());
        QCOMPARE(file.fileValidation(QStringLiteral("file:///D:/x")), 1);
        QCOMPARE(file.fileValidation(QStringLiteral("file:///D:/y")), 0);
    }

    void emptySourceIsReportedAndTheSearchCarriesOn() {
        QTemporaryDir dir;
        touch(dir.filePath("Drive/R_1_N.avi"));
        touch(dir.filePath("card/Manual/R_2_M.avi"));
        FileIO file;
        QSignalSpy errors(&file, &FileIO::error);

        file.setSource(dir.filePath("card/"));
        file.fileSearch();
        QCOMPARE(errors.count(), 0);
        QCOMPARE(namesOf(file, 4), QStringList({"R_2_M.avi"}));

        // The search then runs on the bare folder names.
        WorkingFolder inside(dir.path());
        file.setSource(QString());
        file.fileSearch();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), QStringLiteral("source is empty"));
        QCOMPARE(namesOf(file, 0), QStringList({"R_1_N.avi"}));
        QCOMPARE(file.readfileCnt(4), 0);
    }

    void lookupsOutsideTheListsGiveEmptyAnswers() {
        FileIO file;
        file.setfileInfo(QStringLiteral("file:///D:/v/R_1_N.avi,file:///D:/v/R_2_N.avi"));
        const QList<QPair<int, int>> outside = {{-1, 0}, {5, 0}, {INT_MAX, 0}, {INT_MIN, 0},
                                                {0, -1}, {0, 2}, {0, INT_MAX}, {1, 0}};
        for (const auto &at : outside) {
            // A valid lookup first, so a stale current entry would show.
            QCOMPARE(file.readfilepath(0, 0), QStringLiteral("D:/v/R_2_N.avi"));
            const QByteArray where =
                QByteArray::number(at.first) + "," + QByteArray::number(at.second);
            QVERIFY2(file.readfilename(at.first, at.second).isEmpty(), where);
            QVERIFY2(file.readfileinfo(at.first, at.second).isEmpty(), where);
            QVERIFY2(file.readBaseFName(at.first, at.second).isEmpty(), where);
            QVERIFY2(file.readfilepath(at.first, at.second).isEmpty(), where);
        }
        for (int kind : {-1, 5, INT_MAX, INT_MIN})
            QCOMPARE(file.readfileCnt(kind), 0);
    }

    void lookupsTakeTheAddressedEntry() {
        FileIO file;
        file.setfileInfo(QStringLiteral("file:///D:/v/R_1_N.avi,file:///D:/v/R_2_N.avi,"
                                        "file:///D:/v/R_3_E.avi"));
        QCOMPARE(file.readBaseFName(0, 1), QStringLiteral("R_1_N"));
        QCOMPARE(file.readfilepath(0, 0), QStringLiteral("D:/v/R_2_N.avi"));
        QCOMPARE(file.readBaseFName(0, 0), QStringLiteral("R_2_N"));
        QCOMPARE(file.readfilepath(1, 0), QStringLiteral("D:/v/R_3_E.avi"));
        QCOMPARE(file.readBaseFName(1, 0), QStringLiteral("R_3_E"));
        QCOMPARE(file.readfilepath(0, 1), QStringLiteral("D:/v/R_1_N.avi"));
    }

    void debugLinesTellEachStepOnce() {
        QTemporaryDir card;
        touch(card.filePath("Drive/R_1_N.avi"));
        touch(card.filePath("Drive/sub/R_2_N.avi"));
        FileIO file;
        file.setSource(card.path() + "/");
        {
            DebugLog log;
            file.fileSearch();
            QStringList lines = log.lines();
            QCOMPARE(lines.takeFirst(), QStringLiteral("fileSearch: ================> "));
            lines.sort();
            QCOMPARE(lines,
                     QStringList(
                         {" mFileInfo.filePath =======> " + card.filePath("Drive/R_1_N.avi"),
                          " mFileInfo.filePath =======> " + card.filePath("Drive/sub/R_2_N.avi")}));
        }
        {
            DebugLog log;
            const QString text = QStringLiteral("file:///D:/v/R_1_E.avi,,file:///home/u/x.AVI");
            file.setfileInfo(text);
            QCOMPARE(log.lines(), QStringList({
                                      "fileSearch: ================> ",
                                      " files.length()==> 44",
                                      " startIndex==> 0 index==> 22",
                                      "buff[10] ===>  D:/v/R_1_E.avi",
                                      " mFileInfo.filePath =======> D:/v/R_1_E.avi",
                                      " mFileInfo.fileName =======> R_1_E.avi",
                                      " mFileInfo.fileInfo =======> ",
                                      " startIndex==> 23 index==> 23",
                                      " startIndex==> 24 index==> -1",
                                      "buff[10] ===>  /home/u/x.AVI",
                                      " mFileInfo.filePath =======> /home/u/x.AVI",
                                      " mFileInfo.fileName =======> x.avi",
                                      " mFileInfo.fileInfo =======> ",
                                  }));
        }
    }

    void intakeLeavesTheLastBuiltEntryCurrent() {
        velmora::Catalogue catalogue;
        velmora::FileEntry current;
        catalogue.takePicked(QStringLiteral("file:///D:/v/R_1_N.avi,file:///D:/v/R_0_N.avi"),
                             &current);
        // The last one built, not the first of the sorted list.
        QCOMPARE(current.filePath, QStringLiteral("D:/v/R_0_N.avi"));
        QCOMPARE(catalogue.entry(0, 0).fileName, QStringLiteral("R_1_N.avi"));
        catalogue.clear();
        QVERIFY(!catalogue.contains(0, 0));
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
