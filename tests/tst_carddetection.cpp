// Finding the camera's card: the search through a volume list, the drive
// table it leaves behind, and what writing `source` does to FileIO.
#include "drivetable.h"
#include "fileio.h"
#include "systemvolumes.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using velmora::FixedVolumes;
using velmora::SystemVolumes;
using velmora::Volume;

namespace {

Volume volume(const QString &root, const QString &label) {
    Volume v;
    v.rootPath = root;
    v.label = label;
    v.fileSystemType = QStringLiteral("vfat");
    v.bytesTotal = 31'914'983'424;
    v.bytesFree = 12'345'678'901;
    return v;
}

std::unique_ptr<FileIO> fileIOWith(QVector<Volume> volumes) {
    auto file = std::make_unique<FileIO>();
    file->setVolumeSource(std::make_shared<FixedVolumes>(std::move(volumes)));
    return file;
}

} // namespace

class CardDetectionTest : public QObject {
    Q_OBJECT

private slots:
    void twoCardsKeepTheirOrder() {
        auto file = fileIOWith({volume("/", ""), volume("/media/ann/DASHCAM/", "DASHCAM"),
                                volume("/media/ann/USB/", "USB"),
                                volume("/media/ann/DASHCAM1/", "DASHCAM")});
        file->setSource(QStringLiteral("DASHCAM"));
        QCOMPARE(file->source(), QStringLiteral("Drive"));
        QCOMPARE(file->getDriveCount(), 2);
        QCOMPARE(file->getDrivePath(0), QStringLiteral("/media/ann/DASHCAM/"));
        QCOMPARE(file->getDrivePath(1), QStringLiteral("/media/ann/DASHCAM1/"));
        QCOMPARE(file->getDriveName(1), QStringLiteral("DASHCAM"));
        // A search never chooses a card by itself.
        QCOMPARE(file->getDrivePath(), QStringLiteral("none"));
    }

    void labelMustMatchExactly() {
        auto file = fileIOWith({volume("/media/a/", "dashcam"), volume("/media/b/", "DASHCAMX"),
                                volume("/media/c/", "DASHCA"), volume("/media/d/", " DASHCAM")});
        file->setSource(QStringLiteral("DASHCAM"));
        QCOMPARE(file->getDriveCount(), 0);
        QCOMPARE(file->source(), QStringLiteral("none"));
        QCOMPARE(file->getDrivePath(), QStringLiteral("none"));
    }

    void explicitFolderLeavesTheTableAlone() {
        auto file = fileIOWith({volume("/media/e/", "DASHCAM"), volume("/media/g/", "DASHCAM")});
        file->setSource(QStringLiteral("DASHCAM"));
        file->setSource(QStringLiteral("/media/g/"));
        QCOMPARE(file->source(), QStringLiteral("/media/g/"));
        QCOMPARE(file->getDrivePath(), QStringLiteral("/media/g/"));
        QCOMPARE(file->getDriveCount(), 2);
        QCOMPARE(file->getDrivePath(0), QStringLiteral("/media/e/"));
        QCOMPARE(file->getDrivePath(1), QStringLiteral("/media/g/"));
    }

    void noneAfterASearch() {
        auto file = fileIOWith({volume("/media/e/", "DASHCAM")});
        file->setSource(QStringLiteral("DASHCAM"));
        file->setSource(QStringLiteral("/media/e/"));
        file->setSource(QStringLiteral("none"));
        QCOMPARE(file->source(), QStringLiteral("none"));
        QCOMPARE(file->getDrivePath(), QStringLiteral("none"));
        QCOMPARE(file->getDriveCount(), 1);
        QCOMPARE(file->getDrivePath(0), QStringLiteral("/media/e/"));
    }

    void searchWithoutCardKeepsOldEntriesPastTheCount() {
        auto volumes = std::make_shared<FixedVolumes>(
            QVector<Volume>{volume("/media/e/", "DASHCAM"), volume("/media/g/", "DASHCAM")});
        FileIO file;
        file.setVolumeSource(volumes);
        file.setSource(QStringLiteral("DASHCAM"));
        file.setVolumeSource(std::make_shared<FixedVolumes>(QVector<Volume>{}));
        file.setSource(QStringLiteral("DASHCAM"));
        QCOMPARE(file.getDriveCount(), 0);
        QCOMPARE(file.source(), QStringLiteral("none"));
        QCOMPARE(file.getDrivePath(1), QStringLiteral("/media/g/"));
    }

    void keepsTheFirstTenCards() {
        QVector<Volume> volumes;
        for (int i = 0; i < 12; ++i)
            volumes << volume(QStringLiteral("/media/card%1/").arg(i), "DASHCAM");
        auto file = fileIOWith(volumes);
        file->setSource(QStringLiteral("DASHCAM"));
        QCOMPARE(file->getDriveCount(), 10);
        QCOMPARE(file->getDrivePath(9), QStringLiteral("/media/card9/"));
        QCOMPARE(file->getDrivePath(10), QString());
        QCOMPARE(file->getDriveName(-1), QString());
    }

    void searchLogsEachVolumeAndTheSizesOfACard() {
        auto file = fileIOWith(
            {volume("/media/u/OTHER/", "OTHER"), volume("/media/u/DASHCAM/", "DASHCAM")});
        QTest::ignoreMessage(QtDebugMsg, "mSource:DASHCAM");
        QTest::ignoreMessage(QtDebugMsg, "source ===>  :/media/u/OTHER/");
        QTest::ignoreMessage(QtDebugMsg, "name:OTHER");
        QTest::ignoreMessage(QtDebugMsg, "source ===>  :/media/u/DASHCAM/");
        QTest::ignoreMessage(QtDebugMsg, "name:DASHCAM");
        QTest::ignoreMessage(QtDebugMsg, "fileSystemType:vfat");
        QTest::ignoreMessage(QtDebugMsg, "size:31914MB");
        QTest::ignoreMessage(QtDebugMsg, "availableSize:12345MB");
        file->setSource(QStringLiteral("DASHCAM"));

        QTest::ignoreMessage(QtDebugMsg, "mSource 1111:/media/u/DASHCAM/");
        file->setSource(QStringLiteral("/media/u/DASHCAM/"));
        QTest::ignoreMessage(QtDebugMsg, "getDriveInfo() ===> /media/u/DASHCAM/");
        file->getDrivePath();
    }

    void desktopFolderEndsInSlash() {
        FileIO file;
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QCOMPARE(file.readWorkDir(), desktop + "/");
        QCOMPARE(file.getDesktopPath(), file.readWorkDir());
    }

    void labelOfAutomountedVolume_data() {
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("label");
        QTest::newRow("reported label wins") << "CARD"
                                             << "/media/u/DASHCAM/"
                                             << "CARD";
        QTest::newRow("desktop mount point") << ""
                                             << "/media/u/DASHCAM/"
                                             << "DASHCAM";
        QTest::newRow("udisks run/media") << ""
                                          << "/run/media/u/DASHCAM"
                                          << "DASHCAM";
        QTest::newRow("mounted by hand elsewhere") << ""
                                                   << "/mnt/DASHCAM/"
                                                   << "";
        QTest::newRow("root file system") << ""
                                          << "/"
                                          << "";
    }

    void labelOfAutomountedVolume() {
        QFETCH(QString, reported);
        QFETCH(QString, root);
        QFETCH(QString, label);
        QCOMPARE(SystemVolumes::labelOf(reported, root), label);
    }

    void cardFoldersCountAsCards() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath("demo"));
        const QString demo = dir.filePath("demo");
        const QString missing = dir.filePath("missing");

        // Given twice, once with a trailing slash; and a folder that is not there.
        const SystemVolumes system({demo + "/", missing, demo});
        const QVector<Volume> volumes = system.volumes();
        const auto cards = std::count_if(volumes.cbegin(), volumes.cend(), [&](const Volume &v) {
            return v.rootPath == demo + "/" && v.label == "DASHCAM";
        });
        QCOMPARE(cards, 1);
        for (const Volume &v : volumes) {
            QVERIFY2(v.rootPath.endsWith('/'), qPrintable(v.rootPath));
            QVERIFY(!v.rootPath.startsWith(missing));
        }

        FileIO file;
        file.setVolumeSource(std::make_shared<SystemVolumes>(QStringList{demo}));
        file.setSource(QStringLiteral("DASHCAM"));
        QCOMPARE(file.source(), QStringLiteral("Drive"));
        bool found = false;
        for (int i = 0; i < file.getDriveCount(); ++i)
            found = found || file.getDrivePath(i) == demo + "/";
        QVERIFY(found);
    }

    void trailingSlash() {
        QCOMPARE(SystemVolumes::withTrailingSlash("/media/u/DASHCAM"), "/media/u/DASHCAM/");
        QCOMPARE(SystemVolumes::withTrailingSlash("/media/u/DASHCAM//"), "/media/u/DASHCAM/");
        QCOMPARE(SystemVolumes::withTrailingSlash("/"), "/");
    }
};

QTEST_GUILESS_MAIN(CardDetectionTest)
#include "tst_carddetection.moc"
