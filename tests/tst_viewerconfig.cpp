// viewer_config.txt, the window-size classes and the screens.
#include "fileio.h"
#include "testfiles.h"
#include "viewerconfigfile.h"
#include "volume.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
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
    ViewerConfigFile file() const {
        return ViewerConfigFile(program() + "/viewer_config.txt", user() + "/viewer_config.txt");
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
        QVERIFY(QFile::copy(DefaultFile, folders.program() + "/viewer_config.txt"));
        auto file = fileIOWith(folders.file());
        file->setSource("DASHCAM"); // the card search loads the viewer settings
        QCOMPARE(file->vlang(), 0);
        QCOMPARE(file->vresolution(), 4);
        QCOMPARE(file->vspeedunit(), 0);
        QCOMPARE(file->getDialogWidth(), 1024);
        QCOMPARE(file->getDialogHeight(), 679);
    }

    void savingKeepsTheKeySpelling() {
        Folders folders;
        const QString path = folders.program() + "/viewer_config.txt";
        QVERIFY(QFile::copy(DefaultFile, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        auto file = fileIOWith(folders.file());
        file->readPCConfig();
        file->setvSpeedunit(1);
        file->setvLang(1);
        file->writePCConfig();
        QCOMPARE(readAll(path), QByteArray("[config]\nlang=fr\nresolution=4\nspeedunit=1\n"));
    }

    void newFileUsesTheViewersSpelling() {
        Folders folders;
        auto file = fileIOWith(folders.file());
        file->setvSpeedunit(1);
        file->setvResolution(2);
        file->setvLang(0);
        file->writePCConfig();
        const QString path = folders.program() + "/viewer_config.txt";
        QCOMPARE(readAll(path), QByteArray("[config]\nlang=en\nresolution=2\nspeedUnit=1\n"));

        // Read back in any letter case.
        auto again = fileIOWith(folders.file());
        again->readPCConfig();
        QCOMPARE(again->vspeedunit(), 1);
        QCOMPARE(again->vresolution(), 2);
    }

    void unknownLanguageIsKept() {
        Folders folders;
        const QString path = folders.program() + "/viewer_config.txt";
        writeAll(path, "[config]\nlang=de\nresolution=1\nspeedUnit=0\n");
        auto file = fileIOWith(folders.file());
        file->readPCConfig();
        QCOMPARE(file->vlang(), 0);
        file->setvLang(5); // not a language: unchanged
        file->writePCConfig();
        QVERIFY(readAll(path).contains("\nlang=de\n"));
    }

    void readOnlyProgramFolderSavesToTheUserFolder() {
        Folders folders;
        const QString besideExe = folders.program() + "/viewer_config.txt";
        const ReadOnlyFolder readOnly(folders.program(),
                                      [&] { QVERIFY(QFile::copy(DefaultFile, besideExe)); });
        if (!readOnly.ready())
            QSKIP("cannot make a read-only folder here");
        auto file = fileIOWith(folders.file());
        file->readPCConfig();
        file->setvSpeedunit(1);
        file->writePCConfig();
        QCOMPARE(readAll(besideExe), readAll(DefaultFile));
        // The next start reads the user's copy.
        auto again = fileIOWith(folders.file());
        again->readPCConfig();
        QCOMPARE(again->vspeedunit(), 1);
        QCOMPARE(again->vresolution(), 4);
    }

    void whereFilesAreReadAndWritten() {
        Folders folders;
        const ViewerConfigFile config = folders.file();
        const QString besideExe = folders.program() + "/viewer_config.txt";
        const QString userCopy = folders.user() + "/viewer_config.txt";
        QCOMPARE(config.readPath(), besideExe);
        QCOMPARE(config.writePath(), besideExe);
        writeAll(userCopy, "[config]\nresolution=3\n");
        QCOMPARE(config.readPath(), userCopy);
        QCOMPARE(config.writePath(), userCopy); // reads and saves stay on one file
        ViewerSettings settings;
        QVERIFY(config.read(settings));
        QCOMPARE(settings.resolution, 3);
        QCOMPARE(settings.lang, QString());
    }

    void dialogSizeTable_data() {
        QTest::addColumn<int>("sizeClass");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("0") << 0 << 1920 << 1040;
        QTest::newRow("1") << 1 << 1600 << 860;
        QTest::newRow("2") << 2 << 1360 << 728;
        QTest::newRow("3") << 3 << 1280 << 680;
        QTest::newRow("4 compact") << 4 << 1024 << 679;
    }

    void dialogSizeTable() {
        QFETCH(int, sizeClass);
        QFETCH(int, width);
        QFETCH(int, height);
        FileIO file;
        file.setvResolution(sizeClass);
        QCOMPARE(file.getDialogWidth(), width);
        QCOMPARE(file.getDialogHeight(), height);
    }

    void classOutsideTheTableKeepsTheLastSize() {
        FileIO file;
        file.setvResolution(2);
        file.getDialogWidth();
        file.getDialogHeight();
        file.setvResolution(7);
        QCOMPARE(file.getDialogWidth(), 1360);
        QCOMPARE(file.getDialogHeight(), 728);

        Folders folders;
        writeAll(folders.program() + "/viewer_config.txt", "[config]\nresolution=7\n");
        auto read = fileIOWith(folders.file());
        read->setvResolution(1);
        read->getDialogWidth();
        read->getDialogHeight();
        read->readPCConfig(); // 7 keeps the dialog size of class 1
        QCOMPARE(read->getDialogWidth(), 1600);
        QCOMPARE(read->getDialogHeight(), 860);
    }

    void screens() {
        const QList<QScreen *> screens = QGuiApplication::screens();
        QVERIFY(!screens.isEmpty());
        FileIO file;
        QCOMPARE(file.getCurrentScreenW(), 0); // nothing chosen yet
        QCOMPARE(file.getScreenCnt(), screens.size());
        QCOMPARE(file.getScreenWidth(), screens.first()->geometry().width());
        QCOMPARE(file.getScreenHeight(), screens.first()->geometry().height());

        const QRect available = screens.first()->availableGeometry();
        const QPoint inside = screens.first()->geometry().center();
        QCOMPARE(file.setCurrentScreen(inside.x(), inside.y()), 0);
        QCOMPARE(file.getCurrentScreenX(), available.x());
        QCOMPARE(file.getCurrentScreenY(), available.y());
        QCOMPARE(file.getCurrentScreenW(), available.width());
        QCOMPARE(file.getCurrentScreenH(), available.height());
        QVERIFY(file.getCurrentScreenH() <= file.getScreenHeight());

        // A point off every screen belongs to the nearest one.
        QCOMPARE(file.setCurrentScreen(-100000, -100000), 0);

        // The card search ends by describing the first screen.
        FileIO searched;
        searched.setVolumeSource(
            std::make_shared<velmora::FixedVolumes>(QVector<velmora::Volume>{}));
        Folders folders;
        searched.setViewerConfigFile(folders.file());
        searched.setSource("DASHCAM");
        QCOMPARE(searched.getCurrentScreenW(), available.width());
    }
};

QTEST_MAIN(ViewerConfigTest)
#include "tst_viewerconfig.moc"
