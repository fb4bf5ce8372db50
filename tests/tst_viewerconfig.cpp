// viewer_config.txt, the window-size classes and the screens.
#include "fileio.h"
#include "testfiles.h"
#include "viewerconfigfile.h"
#include "volume.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

using velmora::ViewerConfigFile;
using velmora::ViewerSettings;

namespace {

const QString DefaultFile = QStringLiteral(DEFAULT_VIEWER_CONFIG);

// A program folder and a user config folder inside one temporary folder.
struct Folders {
    QTemporaryDir root;
    QString program() const { return root.filePath("program"); }
    QString user() const { return root.filePath("user"); }
    QString besideExe() const { return program() + "/viewer_config.txt"; }
    ViewerConfigFile file() const {
        return ViewerConfigFile(besideExe(), user() + "/viewer_config.txt");
    }
    Folders() {
        QDir(root.path()).mkpath("program");
        QDir(root.path()).mkpath("user");
    }
};

std::unique_ptr<FileIO> fileIOWith(const ViewerConfigFile &config) {
    auto file = std::make_unique<FileIO>();
    file->setVolumeSource(std::make_shared<velmora::FixedVolumes>(QVector<velmora::Volume>{}));
    file->setViewerConfigFile(config);
    return file;
}

} // namespace

class ViewerConfigTest : public QObject {
    Q_OBJECT

private slots:
    void defaultFile() {
        QCOMPARE(readAll(DefaultFile),
                 QByteArray("[config]\r\nlang=en\r\nresolution=4\r\nspeedunit=0\r\n"));
        Folders folders;
        QVERIFY(QFile::copy(DefaultFile, folders.besideExe()));
        auto file = fileIOWith(folders.file());
        file->setSource("DASHCAM"); // the card search loads the viewer settings
        QCOMPARE(QList<int>({file->vlang(), file->vresolution(), file->vspeedunit(),
                             file->getDialogWidth(), file->getDialogHeight()}),
                 QList<int>({0, 4, 0, 1024, 679}));
    }

    // A save keeps the file's key spelling ("speedUnit" in a new file) and an unknown
    // language; the saved file reads back in any letter case.
    void saving_data() {
        QTest::addColumn<QByteArray>("before");  // empty: no file yet
        QTest::addColumn<QList<int>>("changes"); // vlang, vresolution, vspeedunit; -1 none
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("default file")
            << readAll(DefaultFile) << QList<int>{1, -1, 1}
            << QByteArray("[config]\nlang=fr\nresolution=4\nspeedunit=1\n");
        QTest::newRow("new file") << QByteArray() << QList<int>{0, 2, 1}
                                  << QByteArray("[config]\nlang=en\nresolution=2\nspeedUnit=1\n");
        QTest::newRow("unknown language")
            << QByteArray("[config]\nlang=de\nresolution=1\nspeedUnit=0\n") << QList<int>{5, -1, -1}
            << QByteArray("[config]\nlang=de\nresolution=1\nspeedUnit=0\n");
        QTest::newRow("map keys")
            << QByteArray("[config]\nlang=en\nresolution=1\nspeedUnit=0\nmaptileurl=\n"
                          "mapofflinedir=/srv/tiles\n")
            << QList<int>{-1, -1, 1}
            << QByteArray("[config]\nlang=en\nmapofflinedir=/srv/tiles\nmaptileurl=\n"
                          "resolution=1\nspeedUnit=1\n"); // the INI writer sorts the keys
    }

    // The map's tile sources: the file's keys, their defaults, and the
    // environment over both (an empty address there too means offline).
    void mapSources() {
        Folders folders;
        writeAll(folders.besideExe(), "[config]\nMapTileUrl=http://tiles.example:8080/osm\n");
        auto file = fileIOWith(folders.file());
        file->readPCConfig();
        QCOMPARE(file->maptileurl(), QString("http://tiles.example:8080/osm/"));
        QCOMPARE(file->mapofflinedir(), QString());
        writeAll(folders.besideExe(), "[config]\nlang=en\n");
        file->readPCConfig();
        QCOMPARE(file->maptileurl(), QString("https://tile.openstreetmap.org/"));
        qputenv("VELMORA_MAP_TILE_URL", "");
        qputenv("VELMORA_MAP_OFFLINE_DIR", "/media/tiles");
        file->readPCConfig();
        qunsetenv("VELMORA_MAP_TILE_URL");
        qunsetenv("VELMORA_MAP_OFFLINE_DIR");
        QCOMPARE(file->maptileurl() + "|" + file->mapofflinedir(), QString("|/media/tiles"));
    }
    void saving() {
        QFETCH(QByteArray, before);
        QFETCH(QList<int>, changes);
        QFETCH(QByteArray, after);
        Folders folders;
        if (!before.isEmpty())
            writeAll(folders.besideExe(), before);
        auto file = fileIOWith(folders.file());
        file->readPCConfig();
        const char *const names[] = {"vlang", "vresolution", "vspeedunit"};
        for (int i = 0; i < 3; ++i)
            QVERIFY(changes[i] < 0 || file->setProperty(names[i], changes[i]));
        file->writePCConfig();
        QCOMPARE(readAll(folders.besideExe()), after);
        auto again = fileIOWith(folders.file());
        again->readPCConfig();
        QCOMPARE(QList<int>({again->vlang(), again->vresolution(), again->vspeedunit()}),
                 QList<int>({file->vlang(), file->vresolution(), file->vspeedunit()}));
    }

    // The map row's values reach the file with the other keys, and the map
    // takes them at the save; a file gains no map key for a default value.
    void savingMapKeys_data() {
        QTest::addColumn<QByteArray>("before"); // the map keys the file has
        QTest::addColumn<bool>("online");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("after"); // the whole group, sorted by the INI writer
        QTest::newRow("tiles turned off")
            << QByteArray() << false << QString()
            << QByteArray("lang=en\nmaptileurl=\nresolution=1\nspeedUnit=0\n");
        QTest::newRow("tiles back on: the default address")
            << QByteArray("maptileurl=\n") << true << QString()
            << QByteArray("lang=en\nmaptileurl=https://tile.openstreetmap.org/"
                          "\nresolution=1\nspeedUnit=0\n");
        QTest::newRow("own address and spelling kept, folder added")
            << QByteArray("MapTileUrl=http://tiles.example/osm\n") << true << "/srv/tiles"
            << QByteArray("MapTileUrl=http://tiles.example/osm\nlang=en\nmapofflinedir=/srv/tiles\n"
                          "resolution=1\nspeedUnit=0\n");
        QTest::newRow("folder cleared")
            << QByteArray("mapofflinedir=/srv/tiles\n") << true << QString()
            << QByteArray("lang=en\nmapofflinedir=\nresolution=1\nspeedUnit=0\n");
        QTest::newRow("folder with a comma and accents")
            << QByteArray() << true << QString::fromUtf8("/media/tuiles, été")
            << QByteArray("lang=en\nmapofflinedir=\"/media/tuiles, \\xe9t\\xe9\"\nresolution=1\n"
                          "speedUnit=0\n");
    }
    void savingMapKeys() {
        QFETCH(QByteArray, before);
        QFETCH(bool, online);
        QFETCH(QString, folder);
        QFETCH(QByteArray, after);
        Folders folders;
        writeAll(folders.besideExe(), "[config]\nlang=en\nresolution=1\nspeedUnit=0\n" + before);
        auto file = fileIOWith(folders.file());
        file->readPCConfig();
        QVERIFY(file->setProperty("vmaponline", online));
        QVERIFY(file->setProperty("vmapofflinedir", folder));
        QVERIFY(file->writePCConfig());
        QCOMPARE(readAll(folders.besideExe()), "[config]\n" + after);
        QCOMPARE(file->maptileurl().isEmpty(), !online);
        QCOMPARE(file->mapofflinedir(), folder);
        auto again = fileIOWith(folders.file());
        again->readPCConfig();
        QCOMPARE(again->vmaponline(), online);
        QCOMPARE(again->vmapofflinedir(), folder);
    }

    // Read and saved beside the program until the user folder holds a copy;
    // a read-only program folder saves there and leaves its file alone.
    void whereSettingsAreReadAndSaved() {
        Folders folders;
        const ViewerConfigFile config = folders.file();
        const QString userCopy = folders.user() + "/viewer_config.txt";
        QCOMPARE(config.readPath() + config.writePath(), folders.besideExe() + folders.besideExe());
        // Installed: the shared default is read, and never written even
        // where its folder could be.
        const ViewerConfigFile installed(folders.besideExe(), userCopy, DefaultFile);
        QCOMPARE(installed.readPath() + installed.writePath(), DefaultFile + userCopy);
        writeAll(userCopy, "[config]\nresolution=3\n");
        QCOMPARE(config.readPath() + config.writePath(), userCopy + userCopy);
        ViewerSettings settings;
        QVERIFY(config.read(settings));
        QCOMPARE(settings.resolution, 3);
        QCOMPARE(settings.lang, QString());

        Folders other;
        const ReadOnlyFolder readOnly(
            other.program(), [&] { QVERIFY(QFile::copy(DefaultFile, other.besideExe())); });
        if (!readOnly.ready())
            QSKIP("cannot make a read-only folder here");
        auto file = fileIOWith(other.file());
        file->readPCConfig();
        file->setvSpeedunit(1);
        file->writePCConfig();
        QCOMPARE(readAll(other.besideExe()), readAll(DefaultFile));
        auto again = fileIOWith(other.file()); // the next start reads the user's copy
        again->readPCConfig();
        QCOMPARE(QList<int>({again->vspeedunit(), again->vresolution()}), QList<int>({1, 4}));
    }

    // Class 4's height is not width less 40; a class outside the table, set
    // or read, keeps the last size.
    void dialogSizes() {
        FileIO file;
        file.setvResolution(4);
        QCOMPARE(QSize(file.getDialogWidth(), file.getDialogHeight()), QSize(1024, 679));
        file.setvResolution(2);
        QCOMPARE(QSize(file.getDialogWidth(), file.getDialogHeight()), QSize(1360, 728));
        file.setvResolution(7);
        QCOMPARE(QSize(file.getDialogWidth(), file.getDialogHeight()), QSize(1360, 728));

        Folders folders;
        writeAll(folders.besideExe(), "[config]\nresolution=7\n");
        auto read = fileIOWith(folders.file());
        read->setvResolution(1);
        QCOMPARE(QSize(read->getDialogWidth(), read->getDialogHeight()), QSize(1600, 860));
        read->readPCConfig(); // 7 keeps the size of class 1
        QCOMPARE(QSize(read->getDialogWidth(), read->getDialogHeight()), QSize(1600, 860));
    }

    void screens() {
        const QList<QScreen *> screens = QGuiApplication::screens();
        QVERIFY(!screens.isEmpty());
        FileIO file;
        QCOMPARE(file.getCurrentScreenW(), 0); // nothing chosen yet
        QCOMPARE(file.getScreenCnt(), screens.size());
        QCOMPARE(QSize(file.getScreenWidth(), file.getScreenHeight()),
                 screens.first()->geometry().size());
        const QRect available = screens.first()->availableGeometry();
        const QPoint inside = screens.first()->geometry().center();
        QCOMPARE(file.setCurrentScreen(inside.x(), inside.y()), 0);
        QCOMPARE(QRect(file.getCurrentScreenX(), file.getCurrentScreenY(), file.getCurrentScreenW(),
                       file.getCurrentScreenH()),
                 available);
        // A point off every screen belongs to the nearest one.
        QCOMPARE(file.setCurrentScreen(-100000, -100000), 0);

        // The card search ends by describing the first screen.
        Folders folders;
        auto searched = fileIOWith(folders.file());
        searched->setSource("DASHCAM");
        QCOMPARE(searched->getCurrentScreenW(), available.width());
    }
};

QTEST_MAIN(ViewerConfigTest)
#include "tst_viewerconfig.moc"
