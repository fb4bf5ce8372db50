// The camera's config.txt: byte-exact saves, reading what cameras write, no file lost.
#include "cameraconfigfile.h"
#include "fileio.h"
#include "testfiles.h"
#include "volume.h"

#include <QtTest>

using namespace velmora;

namespace {

QByteArray withChecksum(QByteArray bytes) {
    bytes.append(CameraConfigFile::checksum(bytes));
    return bytes;
}

// A typical config.txt, as the camera writes it.
const QByteArray TypicalText =
    "[config]\nadas_fcws=1\nadas_ldws=0\ncut_volt=2\ngps_speed=1\ngsensor_sensitivity=3\n"
    "lang=fr\nmemory_type_mmc=1\nmodel=VM-3000\nmotion_sensitivity=2\nparking_mode=1\n"
    "radar_sensitivity=0\nscreen=1\nsecret=16909643\nsecurity_led=1\ntime_dst=0\n"
    "time_manual=1\ntime_zone=12\nver=2.1.7\nvol_mic=1\nvol_speaker=4\n";

QStringList entriesOf(const QString &dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Read into settings that hold other values: none may survive the read.
CameraSettings readBytes(const QByteArray &bytes) {
    QTemporaryDir dir;
    writeAll(dir.filePath("config.txt"), bytes);
    CameraSettings settings;
    settings.cut_volt = 5;
    settings.model = QStringLiteral("old");
    settings.secret = QStringLiteral("9999");
    CameraConfigFile::read(dir.filePath("config.txt"), settings);
    return settings;
}

} // namespace

class CameraConfigTest : public QObject {
    Q_OBJECT

private slots:
    // Read into settings that held other values and saved unchanged, a file
    // keeps its bytes (a 200-byte model too).
    void typicalFileRoundTripsByteForByte() {
        QByteArray longModel = TypicalText;
        longModel.replace("model=VM-3000", "model=" + QByteArray(200, 'M'));
        for (const QByteArray &text : {TypicalText, longModel}) {
            const QByteArray original = withChecksum(text);
            QCOMPARE(CameraConfigFile::build(readBytes(original)), original);
        }
    }

    // Whatever the input looked like, a save gives the camera's own form.
    void readsWhatCamerasWrite_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved"); // without its checksum
        QTest::addColumn<QString>("code");
        const QByteArray typical = TypicalText;
        const auto edited = [&](const QByteArray &from, const QByteArray &to) {
            return QByteArray(typical).replace(from, to);
        };
        QTest::newRow("CRLF line ends, no checksum byte")
            << edited("\n", "\r\n") << typical << "1234";
        QTest::newRow("other order, upper-case key, another group")
            << withChecksum("[wifi]\nssid=car\n" +
                            edited("screen=1\n", "").replace("[config]\n", "[config]\nSCREEN=1\n"))
            << typical << "1234";
        QTest::newRow("missing keys read as zero")
            << withChecksum(edited("cut_volt=2\n", "").replace("secret=16909643\n", ""))
            << edited("cut_volt=2", "cut_volt=0").replace("secret=16909643", "secret=") << "";
        // A secret that gives no code reads as none; its text goes back as it was.
        QTest::newRow("secret=abcd") << withChecksum(edited("secret=16909643\n", "secret=abcd\n"))
                                     << edited("secret=16909643\n", "secret=abcd\n") << "";
    }
    void readsWhatCamerasWrite() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        QFETCH(QString, code);
        const CameraSettings settings = readBytes(bytes);
        QCOMPARE(settings.secret, code);
        QCOMPARE(CameraConfigFile::build(settings), withChecksum(saved));
    }

    // The scenes' properties read and write the file; a language the viewer
    // does not know reads as 0 and is kept.
    void fileIOPropertiesOverTheFile() {
        QTemporaryDir card;
        writeAll(card.filePath("config.txt"), withChecksum(TypicalText));
        FileIO file;
        file.setVolumeSource(std::make_shared<FixedVolumes>(QVector<Volume>{}));
        file.setSource(card.path() + "/");
        file.readConfig();
        QCOMPARE(file.lang(), 1);
        QCOMPARE(file.model(), QStringLiteral("VM"));
        QCOMPARE(file.secret(), QStringLiteral("1234"));
        file.setCut_volt(4);
        file.setLang(0);
        QVERIFY(file.writeConfig());

        QByteArray expected = TypicalText;
        expected.replace("cut_volt=2", "cut_volt=4").replace("lang=fr", "lang=en");
        QCOMPARE(readAll(card.filePath("config.txt")), withChecksum(expected));
        QCOMPARE(entriesOf(card.path()), QStringList{"config.txt"});

        writeAll(card.filePath("config.txt"), withChecksum(expected.replace("lang=en", "lang=de")));
        file.readConfig();
        QCOMPARE(file.lang(), 0);
        QVERIFY(file.writeConfig());
        QVERIFY(readAll(card.filePath("config.txt")).contains("\nlang=de\n"));
    }

    // A save writes only over the file that was read: not onto a card that
    // had none, nor over another card's file put in the same reader.
    void savesOnlyOverTheFileRead_data() {
        QTest::addColumn<QByteArray>("before");  // config.txt when read; empty: none
        QTest::addColumn<QByteArray>("swapped"); // config.txt when saved; empty: none
        QTest::addColumn<bool>("saved");
        const QByteArray typical = withChecksum(TypicalText);
        QByteArray other = TypicalText;
        other = withChecksum(other.replace("secret=16909643", "secret=17171743"));
        QTest::newRow("same file") << typical << typical << true;
        QTest::newRow("card without config.txt") << QByteArray() << QByteArray() << false;
        QTest::newRow("config.txt replaced") << typical << other << false;
        QTest::newRow("config.txt removed") << typical << QByteArray() << false;
        QTest::newRow("config.txt appears") << QByteArray() << typical << false;
    }
    void savesOnlyOverTheFileRead() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, swapped);
        QFETCH(bool, saved);
        QTemporaryDir card;
        const QString path = card.filePath("config.txt");
        if (!before.isEmpty())
            writeAll(path, before);
        FileIO file;
        file.setVolumeSource(std::make_shared<FixedVolumes>(QVector<Volume>{}));
        file.setSource(card.path() + "/");
        QCOMPARE(file.readConfig(), !before.isEmpty());
        QFile::remove(path);
        if (!swapped.isEmpty())
            writeAll(path, swapped);
        file.setCut_volt(5);

        QCOMPARE(file.writeConfig(), saved);
        if (!saved) {
            QCOMPARE(readAll(path), swapped);
            return;
        }
        QVERIFY(readAll(path).contains("\ncut_volt=5\n"));
        // The file just written is the one the next save compares with.
        file.setCut_volt(1);
        QVERIFY(file.writeConfig());
        QVERIFY(readAll(path).contains("\ncut_volt=1\n"));
    }

    // A failed save (read-only card, full disk) says why and keeps the old file.
    void failedSavesLeaveTheOldFile() {
        const QByteArray old = withChecksum(TypicalText);
        CameraSettings changed = readBytes(old);
        changed.model = QString(300, QLatin1Char('m'));
        const auto refused = [&](const QString &dir, const QStringList &entries) {
            QString error;
            QVERIFY(!CameraConfigFile::write(dir + "/config.txt", changed, &error));
            QVERIFY2(!error.isEmpty(), "a failed save says why");
            QCOMPARE(entriesOf(dir), entries);
            QCOMPARE(readAll(dir + "/config.txt"), old);
        };
        QTemporaryDir readOnlyCard, mountPoint;
        const ReadOnlyFolder readOnly(readOnlyCard.path(),
                                      [&] { writeAll(readOnlyCard.filePath("config.txt"), old); });
        if (readOnly.ready())
            refused(readOnlyCard.path(), {"config.txt"});

        SmallFileSystem small(mountPoint.path(), "16k");
        if (!small.mounted())
            QSKIP("cannot mount a small file system here (needs root)");
        writeAll(mountPoint.filePath("config.txt"), old);
        QFile filler(mountPoint.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
        }
        filler.close();
        refused(mountPoint.path(), {"config.txt", "filler"});
    }
};

QTEST_GUILESS_MAIN(CameraConfigTest)
#include "tst_cameraconfig.moc"
