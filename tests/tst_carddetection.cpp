// Finding the camera's card: the search through a volume list, the drive
// table it leaves behind, and what writing `source` does to FileIO.
#include "drivetable.h"
#include "fileio.h"
#include "systemvolumes.h"
#include "testfiles.h"

#include <QtTest>

using velmora::FixedVolumes;
using velmora::SystemVolumes;
using velmora::Volume;

namespace {

// "root=label" entries as vfat volumes.
std::shared_ptr<FixedVolumes> volumes(const QStringList &entries) {
    QVector<Volume> list;
    for (const QString &entry : entries)
        list << Volume{entry.section('=', 0, 0), entry.section('=', 1), "vfat", 31'914'983'424,
                       12'345'678'901};
    return std::make_shared<FixedVolumes>(list);
}

// "source | chosen drive | the drive table's paths", as the scenes read them.
QString state(FileIO &file) {
    QStringList paths;
    for (int i = 0; i < file.getDriveCount(); ++i)
        paths << file.getDrivePath(i);
    return file.source() + " | " + file.getDrivePath() + " | " + paths.join(' ');
}

} // namespace

class CardDetectionTest : public QObject {
    Q_OBJECT

private slots:
    // A search never chooses a card by itself.
    void twoCardsKeepTheirOrder() {
        FileIO file;
        file.setVolumeSource(volumes({"/=", "/media/ann/DASHCAM/=DASHCAM", "/media/ann/USB/=USB",
                                      "/media/ann/DASHCAM1/=DASHCAM"}));
        file.setSource(QStringLiteral("DASHCAM"));
        QCOMPARE(state(file), "Drive | none | /media/ann/DASHCAM/ /media/ann/DASHCAM1/");
        QCOMPARE(file.getDriveName(1), QStringLiteral("DASHCAM"));
    }

    // Each row writes `source` in turn.
    void searchResults_data() {
        QTest::addColumn<QStringList>("volumes");
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QString>("state");
        QTest::newRow("label must match exactly")
            << QStringList{"/media/a/=dashcam", "/media/b/=DASHCAMX", "/media/c/=DASHCA",
                           "/media/d/= DASHCAM"}
            << QStringList{"DASHCAM"} << "none | none | ";
        QTest::newRow("a folder leaves the table alone")
            << QStringList{"/media/e/=DASHCAM", "/media/g/=DASHCAM"}
            << QStringList{"DASHCAM", "/media/g/"} << "/media/g/ | /media/g/ | /media/e/ /media/g/";
        QTest::newRow("none after a search")
            << QStringList{"/media/e/=DASHCAM"} << QStringList{"DASHCAM", "/media/e/", "none"}
            << "none | none | /media/e/";
    }
    void searchResults() {
        QFETCH(QStringList, volumes);
        QFETCH(QStringList, sources);
        QFETCH(QString, state);
        FileIO file;
        file.setVolumeSource(::volumes(volumes));
        for (const QString &source : sources)
            file.setSource(source);
        QCOMPARE(::state(file), state);
    }

    // Entries of an earlier search stay past the count; at most ten cards.
    void driveTableLimits() {
        FileIO file;
        file.setVolumeSource(volumes({"/media/e/=DASHCAM", "/media/g/=DASHCAM"}));
        file.setSource(QStringLiteral("DASHCAM"));
        file.setVolumeSource(volumes({}));
        file.setSource(QStringLiteral("DASHCAM"));
        QCOMPARE(state(file), "none | none | ");
        QCOMPARE(file.getDrivePath(1), QStringLiteral("/media/g/"));

        QStringList twelve;
        for (int i = 0; i < 12; ++i)
            twelve << QStringLiteral("/media/card%1/=DASHCAM").arg(i);
        file.setVolumeSource(volumes(twelve));
        file.setSource(QStringLiteral("DASHCAM"));
        QCOMPARE(file.getDriveCount(), 10);
        QCOMPARE(file.getDrivePath(9), QStringLiteral("/media/card9/"));
        QCOMPARE(file.getDrivePath(10) + file.getDriveName(-1), QString());
    }

    void searchLogsEachVolumeAndTheSizesOfACard() {
        FileIO file;
        file.setVolumeSource(volumes({"/media/u/OTHER/=OTHER", "/media/u/DASHCAM/=DASHCAM"}));
        CapturedDebug log;
        file.setSource(QStringLiteral("DASHCAM"));
        file.setSource(QStringLiteral("/media/u/DASHCAM/"));
        file.getDrivePath();
        const QStringList lines = log.lines();
        int at = -1; // each line after the one before
        for (const QString line :
             {"mSource:DASHCAM", "source ===>  :/media/u/OTHER/", "name:OTHER",
              "source ===>  :/media/u/DASHCAM/", "name:DASHCAM", "fileSystemType:vfat",
              "size:31914MB", "availableSize:12345MB", "mSource 1111:/media/u/DASHCAM/",
              "getDriveInfo() ===> /media/u/DASHCAM/"})
            QVERIFY2((at = lines.indexOf(line, at + 1)) >= 0, qPrintable(line));
    }

    void desktopFolderEndsInSlash() {
        FileIO file;
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QCOMPARE(file.readWorkDir(), desktop + "/");
        QCOMPARE(file.getDesktopPath(), file.readWorkDir());
    }

    // "reported label|root|label": a desktop automount point names the volume
    // when the system reports no label.
    void labelOfAutomountedVolume() {
        for (const QString row : {"CARD|/media/u/DASHCAM/|CARD", "|/media/u/DASHCAM/|DASHCAM",
                                  "|/run/media/u/DASHCAM|DASHCAM", "|/mnt/DASHCAM/|", "|/|"}) {
            const QStringList c = row.split('|');
            QVERIFY2(SystemVolumes::labelOf(c[0], c[1]) == c[2], qPrintable(row));
        }
    }

    // Folders named on the command line count as cards, once each, with one
    // trailing slash; a missing folder is left out. (FileIO finding such a
    // folder: tst_startup's sceneSeesTheBackend.)
    void cardFoldersCountAsCards() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("demo"));
        const QString demo = dir.filePath("demo");
        const QString missing = dir.filePath("missing");
        const QVector<Volume> volumes = SystemVolumes({demo + "/", missing, demo}).volumes();
        const auto cards = std::count_if(volumes.cbegin(), volumes.cend(), [&](const Volume &v) {
            return v.rootPath == demo + "/" && v.label == "DASHCAM";
        });
        QCOMPARE(cards, 1);
        for (const Volume &v : volumes) {
            QVERIFY2(v.rootPath.endsWith('/'), qPrintable(v.rootPath));
            QVERIFY(!v.rootPath.startsWith(missing));
        }
        QCOMPARE(SystemVolumes::withTrailingSlash("/media/u/DASHCAM//"), "/media/u/DASHCAM/");
        QCOMPARE(SystemVolumes::withTrailingSlash("/"), "/");
    }
};

QTEST_GUILESS_MAIN(CardDetectionTest)
#include "tst_carddetection.moc"
