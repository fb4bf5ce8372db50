// Finding the camera's card (the search through a volume list, the drive table it
// leaves behind) and its recordings' catalogue: card search, picked files, list order,
// lookups and the channel count. Recordings here are empty files: the catalogue never
// reads them.
#include "cardwatch.h"
#include "catalogue.h"
#include "fileio.h"
#include "systemvolumes.h"
#include "testfiles.h"

#include <QtTest>

using velmora::CardWatch;
using velmora::FixedVolumes;
using velmora::SystemVolumes;
using velmora::Volume;

namespace {

// Every entry as "kind path" (without `root`), with " as name" where the
// listed name is not the path's file name; list by list.
QStringList listing(FileIO &file, const QString &root = QString()) {
    QStringList entries;
    for (int kind = 0; kind < velmora::Catalogue::CategoryCount; ++kind) {
        for (int i = 0; i < file.readfileCnt(kind); ++i) {
            const QString path = file.readfilepath(kind, i), name = file.readfilename(kind, i);
            entries << QString::number(kind) + " " + path.mid(root.size()) +
                           (path.section('/', -1) == name ? "" : " as " + name);
        }
    }
    return entries;
}

// "root=label" entries as vfat volumes.
std::shared_ptr<FixedVolumes> volumes(const QStringList &entries) {
    QVector<Volume> list;
    for (const QString &entry : entries)
        list << Volume{entry.section('=', 0, 0), entry.section('=', 1), "vfat", 1, 1};
    return std::make_shared<FixedVolumes>(list);
}

} // namespace

class CardAndCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    // Each row searches the volume lists in turn, then writes `sources`.
    void searchResults_data() {
        QTest::addColumn<QList<QStringList>>("searches");
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QString>("state");
        using L = QList<QStringList>;
        QTest::newRow("a search never chooses a card")
            << L{{"/=", "/media/a/DASHCAM/=DASHCAM", "/media/a/USB/=USB", "/media/b/=DASHCAM"}}
            << QStringList() << "Drive | none | DASHCAM /media/a/DASHCAM/ DASHCAM /media/b/";
        QTest::newRow("a folder leaves the table alone")
            << L{{"/media/e/=DASHCAM", "/media/g/=DASHCAM"}} << QStringList{"/media/g/"}
            << "/media/g/ | /media/g/ | DASHCAM /media/e/ DASHCAM /media/g/";
        QTest::newRow("an empty search empties the table")
            << L{{"/media/e/=DASHCAM"}, {}} << QStringList() << "none | none | ";
        QStringList twelve, table;
        for (int i = 0; i < 12; ++i) {
            twelve << QStringLiteral("/media/card%1/=DASHCAM").arg(i);
            table << QStringLiteral("DASHCAM /media/card%1/").arg(i);
        }
        QTest::newRow("at most ten cards")
            << L{twelve} << QStringList() << "Drive | none | " + table.mid(0, 10).join(' ');
    }
    void searchResults() {
        QFETCH(QList<QStringList>, searches);
        QFETCH(QStringList, sources);
        QFETCH(QString, state);
        FileIO file;
        for (const QStringList &search : searches) {
            file.setVolumeSource(volumes(search));
            file.setSource(QStringLiteral("DASHCAM"));
        }
        for (const QString &source : sources)
            file.setSource(source);
        // "source | chosen drive | the drive table", as the scenes read them; nothing past it.
        QStringList table;
        for (int i = 0; i < file.getDriveCount(); ++i)
            table << file.getDriveName(i) << file.getDrivePath(i);
        QCOMPARE(file.source() + " | " + file.getDrivePath() + " | " + table.join(' '), state);
        QCOMPARE(file.getDrivePath(10) + file.getDriveName(-1), QString());
    }

    // "reported label|root|label": a desktop automount point names the volume
    // when the system reports no label.
    void labelOfAutomountedVolume() {
        for (const QString row :
             {"CARD|/media/u/DASHCAM/|CARD", "|/run/media/u/DASHCAM|DASHCAM", "|/mnt/DASHCAM/|"}) {
            const QStringList c = row.split('|');
            QVERIFY2(SystemVolumes::labelOf(c[0], c[1]) == c[2], qPrintable(row));
        }
    }

    // A card is watched by its mount point as the mount table writes it:
    // "\040" is a space, "\134" a backslash, and "/" ends each point.
    void mountPointsOfTheMountTable() {
        const QByteArray table = "22 1 8:1 / / rw shared:1 - ext4 /dev/vda rw\n"
                                 "40 22 8:17 / /media/u/MY\\040CARD rw - vfat /dev/sdb1 rw\n"
                                 "41 22 7:0 /sub /mnt/a\\134b rw - ext4 /dev/loop0 rw\n"
                                 "truncated line\n";
        QCOMPARE(CardWatch::mountPoints(table),
                 QStringList({"/", "/media/u/MY CARD/", "/mnt/a\\b/"}));
    }

    // A card pulled and searched for again before the watch looked is still
    // reported gone; a card put in afterwards is reported as coming in.
    void cardWatchReportsAPullBeforeWaiting() {
        QTemporaryDir dir;
        const QString card = dir.filePath("card");
        QVERIFY(QDir().mkpath(card));
        const auto volumes = std::make_shared<SystemVolumes>(QStringList{card});
        CardWatch watch;
        QSignalSpy gone(&watch, &CardWatch::cardGone), arrived(&watch, &CardWatch::cardArrived);
        watch.watch(card, volumes);
        QVERIFY(QDir(card).removeRecursively());
        watch.await(volumes);
        QTRY_COMPARE_WITH_TIMEOUT(gone.size(), 1, 10000);
        QVERIFY(QDir().mkpath(card));
        QTRY_COMPARE_WITH_TIMEOUT(arrived.size(), 1, 10000);
    }

    // Folders named on the command line count as cards, once each, with one
    // trailing slash and links followed (its mount is what is watched); a
    // missing folder is left out.
    void cardFoldersCountAsCards() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("demo"));
        const QString demo = QFileInfo(dir.filePath("demo")).canonicalFilePath();
        QVERIFY(QFile::link(demo, dir.filePath("link")));
        const QVector<Volume> found =
            SystemVolumes({demo + "//", dir.filePath("missing"), demo, dir.filePath("link")})
                .volumes();
        QStringList roots;
        for (const Volume &v : found)
            roots << v.rootPath + "=" + v.label;
        QCOMPARE(roots.filter(QFileInfo(dir.path()).canonicalFilePath()),
                 QStringList{demo + "/=DASHCAM"});
        QCOMPARE(roots.filter(QRegularExpression("[^/]=")), QStringList());
    }

    void folderSearchListsNewestFirstAcrossSubfolders() {
        QTemporaryDir card;
        const QString root = card.path() + "/";
        touch(root + "Drive/R_20210102_100000_N.avi", QDateTime(QDate(2021, 1, 2), QTime(10, 7)));
        for (const char *name :
             {"Drive/R_20210101_100000_N.avi", "Drive/sub/T_20210103_100000_N.AVI",
              "Drive/sub/deeper/r_20210104_100000_n.avi", "Drive/readme.txt", "Drive/X_2021_N.avi",
              "Drive/R_2021_N.avi.part", "DriveEvent/T_20210201_100000_E.avi",
              "Manual/R_20210301_100000_M.avi", "Manual/R_20210302_100000_M.avi"})
            touch(root + name);
        QVERIFY(QDir().mkpath(root + "Drive/R_20210106_100000_N.avi")); // a folder
        QVERIFY(QDir().mkpath(root + "ParkingEvent"));

        FileIO file;
        file.setSource(root);
        file.fileSearch();
        // Lower-cased comparison: "t_" sorts above "r_" although "T" < "r".
        QCOMPARE(
            listing(file, root),
            QStringList({"0 Drive/sub/T_20210103_100000_N.AVI",
                         "0 Drive/sub/deeper/r_20210104_100000_n.avi",
                         "0 Drive/R_20210102_100000_N.avi", "0 Drive/R_20210101_100000_N.avi",
                         "1 DriveEvent/T_20210201_100000_E.avi", "4 Manual/R_20210302_100000_M.avi",
                         "4 Manual/R_20210301_100000_M.avi"}));
        QCOMPARE(file.readfileinfo(0, 2), QStringLiteral("2021-01-02 10:07"));

        // A second search replaces every list.
        QVERIFY(QDir(root + "Manual").removeRecursively());
        touch(root + "Parking/R_20210401_100000_P.avi");
        file.fileSearch();
        QCOMPARE(listing(file, root).mid(4), QStringList({"1 DriveEvent/T_20210201_100000_E.avi",
                                                          "2 Parking/R_20210401_100000_P.avi"}));
    }

    // "picked name, category[, listed name]": the suffix counts case-sensitively
    // and not at position 0; of two, the one tested later wins, manual last.
    void pickedFileGoesToItsCategory() {
        for (const QString row : {"R_1_E.avi 1", "R_1_R.avi 2", "R_1_S.avi 3", "R_1_e.avi 0",
                                  "R_1_M.avi_S.avi 4", "T_1_S.mp4 3 T_1_S.avi"}) {
            const QStringList c = row.split(' ');
            FileIO file;
            QCOMPARE(file.setfileInfo("file:///home/u/" + c[0]), QStringLiteral("OK"));
            // The path keeps the name as picked, and stays absolute on Linux.
            QCOMPARE(listing(file), QStringList(c[1] + " /home/u/" + c[0] +
                                                (c.size() > 2 ? " as " + c[2] : QString())));
        }
    }

    // Each intake replaces the lists; nothing between commas is no file.
    void pickedTextIsCutAtCommas() {
        FileIO file;
        file.setfileInfo("file:///D:/v/R_1_E.avi,file:///D:/v/R_2_R.avi,file:///home/u/R_3_E.avi");
        QCOMPARE(listing(file),
                 QStringList({"1 /home/u/R_3_E.avi", "1 D:/v/R_1_E.avi", "2 D:/v/R_2_R.avi"}));
        file.setfileInfo(",file:///D:/v/R_5_N.avi,,");
        QCOMPARE(listing(file), QStringList({"0 D:/v/R_5_N.avi"}));
        file.setfileInfo(QString());
        QCOMPARE(listing(file), QStringList());
    }

    // The channel count: "_T_" before "_D_" before "_S_", anywhere in the path.
    void channelCountFromTheName() {
        FileIO file;
        for (const QString row :
             {"R_20210101_100000_N.avi|-1", "R_S_20210101_T_N.avi|3", "/card/_D_/R_1_S_N.avi|2"})
            QCOMPARE(file.getVideoChannel(row.section('|', 0, 0)), row.section('|', 1).toInt());
    }

    // An empty source is reported; the search then runs on the bare folder names.
    void emptySourceIsReported() {
        QTemporaryDir dir;
        touch(dir.filePath("Drive/R_1_N.avi"));
        const auto back = qScopeGuard([was = QDir::currentPath()] { QDir::setCurrent(was); });
        QDir::setCurrent(dir.path());
        FileIO file;
        QSignalSpy errors(&file, &FileIO::error);
        file.setSource(QString());
        file.fileSearch();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), QStringLiteral("source is empty"));
        QCOMPARE(listing(file), QStringList({"0 Drive/R_1_N.avi"}));
    }

    // Each out-of-range lookup after a valid one, so that a stale current entry would show.
    void lookupsTakeTheAddressedEntryOrNothing() {
        FileIO file;
        file.setfileInfo("file:///D:/v/R_1_N.avi,file:///D:/v/R_2_N.avi,file:///D:/v/R_3_E.avi");
        QCOMPARE(file.readBaseFName(1, 0), QStringLiteral("R_3_E"));
        for (const QPoint at :
             {QPoint(-1, 0), QPoint(5, 0), QPoint(0, -1), QPoint(0, 2), QPoint(1, 1)}) {
            QCOMPARE(file.readfilepath(0, 0), QStringLiteral("D:/v/R_2_N.avi"));
            QVERIFY2((file.readfilename(at.x(), at.y()) + file.readfileinfo(at.x(), at.y()) +
                      file.readBaseFName(at.x(), at.y()) + file.readfilepath(at.x(), at.y()))
                         .isEmpty(),
                     qPrintable(QString("%1,%2").arg(at.x()).arg(at.y())));
        }
        QCOMPARE(file.readfileCnt(-1) + file.readfileCnt(5), 0);
    }
};

QTEST_GUILESS_MAIN(CardAndCatalogueTest)
#include "tst_catalogue.moc"
