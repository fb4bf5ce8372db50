// The camera's config.txt: byte-exact output, reading what cameras write,
// and never losing the old file when a save fails.
#include "cameraconfigfile.h"
#include "camerakeys.h"
#include "camerasecret.h"
#include "fileio.h"
#include "testfiles.h"
#include "volume.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace velmora;

namespace {

QByteArray withChecksum(QByteArray bytes) {
    bytes.append(CameraConfigFile::checksum(bytes));
    return bytes;
}

// A typical config.txt, as the camera writes it.
const QByteArray TypicalText = "[config]\n"
                               "adas_fcws=1\n"
                               "adas_ldws=0\n"
                               "cut_volt=2\n"
                               "gps_speed=1\n"
                               "gsensor_sensitivity=3\n"
                               "lang=fr\n"
                               "memory_type_mmc=1\n"
                               "model=VM-3000\n"
                               "motion_sensitivity=2\n"
                               "parking_mode=1\n"
                               "radar_sensitivity=0\n"
                               "screen=1\n"
                               "secret=16909643\n"
                               "security_led=1\n"
                               "time_dst=0\n"
                               "time_manual=1\n"
                               "time_zone=12\n"
                               "ver=2.1.7\n"
                               "vol_mic=1\n"
                               "vol_speaker=4\n";

QStringList entriesOf(const QString &dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

CameraSettings readBytes(const QByteArray &bytes) {
    QTemporaryDir dir;
    writeAll(dir.filePath("config.txt"), bytes);
    CameraSettings settings;
    CameraConfigFile::read(dir.filePath("config.txt"), settings);
    return settings;
}

} // namespace

class CameraConfigTest : public QObject {
    Q_OBJECT

private slots:
    void typicalFileRoundTripsByteForByte() {
        const QByteArray original = withChecksum(TypicalText);
        const CameraSettings settings = readBytes(original);
        QCOMPARE(settings.cut_volt, 2);
        QCOMPARE(settings.lang, QStringLiteral("fr"));
        QCOMPARE(settings.model, QStringLiteral("VM-3000"));
        QCOMPARE(settings.secretStored, QStringLiteral("16909643"));
        QCOMPARE(settings.secret, QStringLiteral("1234"));
        QCOMPARE(settings.vol_speaker, 4);
        QCOMPARE(CameraConfigFile::build(settings), original);
        // Saving twice without changes gives the same bytes.
        QCOMPARE(CameraConfigFile::build(readBytes(original)), original);
    }

    void longModelTextIsKeptWhole() {
        QByteArray text = TypicalText;
        const QByteArray model(200, 'M');
        text.replace("model=VM-3000", "model=" + model);
        const QByteArray original = withChecksum(text);
        const CameraSettings settings = readBytes(original);
        QCOMPARE(settings.model.size(), 200);
        QCOMPARE(CameraConfigFile::build(settings), original);
    }

    void checksumIsTheByteSum() {
        QCOMPARE(CameraConfigFile::checksum("abc"), char(0x26));
        QCOMPARE(CameraConfigFile::checksum(""), char(0));
    }

    void readsWhatCamerasWrite_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray crlf = TypicalText;
        crlf.replace("\n", "\r\n");
        QTest::newRow("CRLF line ends") << withChecksum(crlf);
        QByteArray shuffled = "[config]\nvol_speaker=4\nver=2.1.7\nSCREEN=1\n";
        for (const QByteArray &line : TypicalText.split('\n')) {
            if (!line.startsWith("vol_speaker") && !line.startsWith("ver") &&
                !line.startsWith("screen") && !line.startsWith("[") && !line.isEmpty())
                shuffled += line + "\n";
        }
        QTest::newRow("other order, upper-case key") << withChecksum(shuffled);
        QTest::newRow("extra keys and groups")
            << withChecksum("[wifi]\nssid=car\n" + TypicalText + "extra=5\n[other]\nx=1\n");
        QTest::newRow("no checksum byte") << TypicalText;
    }

    void readsWhatCamerasWrite() {
        QFETCH(QByteArray, bytes);
        // Whatever the input looked like, a save gives the camera's own form.
        QCOMPARE(CameraConfigFile::build(readBytes(bytes)), withChecksum(TypicalText));
    }

    void missingKeyReadsAsZeroAndIsWrittenBack() {
        QByteArray text = TypicalText;
        text.replace("cut_volt=2\n", "");
        text.replace("model=VM-3000\n", "");
        CameraSettings settings;
        settings.cut_volt = 5;
        settings.model = QStringLiteral("old");
        QTemporaryDir dir;
        writeAll(dir.filePath("config.txt"), withChecksum(text));
        QVERIFY(CameraConfigFile::read(dir.filePath("config.txt"), settings));
        QCOMPARE(settings.cut_volt, 0);
        QCOMPARE(settings.model, QString());
        const QByteArray saved = CameraConfigFile::build(settings);
        QVERIFY(saved.contains("\ncut_volt=0\n"));
        QVERIFY(saved.contains("\nmodel=\n"));
    }

    void secretsThatGiveNoCode_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("zero") << QByteArray("secret=0\n");
        QTest::newRow("negative") << QByteArray("secret=-77\n");
        QTest::newRow("not a number") << QByteArray("secret=abcd\n");
        QTest::newRow("missing") << QByteArray();
    }

    void secretsThatGiveNoCode() {
        QFETCH(QByteArray, line);
        QByteArray text = TypicalText;
        text.replace("secret=16909643\n", line);
        const CameraSettings settings = readBytes(withChecksum(text));
        QCOMPARE(settings.secret, QString());
        // The stored text goes back to the camera as it was.
        const QByteArray expected = line.isEmpty() ? QByteArray("secret=\n") : line;
        QVERIFY(CameraConfigFile::build(settings).contains("\n" + expected));
    }

    void secretCodec() {
        QCOMPARE(encodeSecret("1234"), QString::number(0x01020304 + SecretCodeOffset));
        QCOMPARE(decodeSecret(encodeSecret("0907")), QStringLiteral("0907"));
        QCOMPARE(decodeSecret(encodeSecret("0000")), QStringLiteral("0000"));
        QCOMPARE(encodeSecret("123"), QString());
        QCOMPARE(encodeSecret("12a4"), QString());
        QVERIFY(SecretCodeOffset >= 100 && SecretCodeOffset <= 999);
    }

    void textValuesAreEscapedAsQtWritesThem() {
        CameraSettings settings = readBytes(withChecksum(TypicalText));
        settings.model = QStringLiteral("VM,3");
        settings.ver = QString::fromUtf8("\"1.0\" é中");
        settings.lang = QStringLiteral("de");
        const QByteArray saved = CameraConfigFile::build(settings);
        QVERIFY2(saved.contains("\nmodel=\"VM,3\"\n"), saved.constData());
        QVERIFY2(saved.contains("\nver=\\\"1.0\\\" \\xe9\\x4e2d\n"), saved.constData());
        QVERIFY(saved.contains("\nlang=de\n"));
        // And they read back to the same texts.
        const CameraSettings again = readBytes(saved);
        QCOMPARE(again.model, settings.model);
        QCOMPARE(again.ver, settings.ver);
        QCOMPARE(again.lang, QStringLiteral("de"));
    }

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
        QTest::ignoreMessage(QtDebugMsg, "1. m_radar_sensitivity ===> 2");
        file.setRadar_sensitivity(2);
        QTest::ignoreMessage(QtDebugMsg, "m_cut_volt ===> 4");
        file.setCut_volt(4);
        file.setLang(7); // not a language: stays "fr"
        QCOMPARE(file.lang(), 1);
        file.setLang(0);
        QVERIFY(file.writeConfig());

        QByteArray expected = TypicalText;
        expected.replace("cut_volt=2", "cut_volt=4");
        expected.replace("radar_sensitivity=0", "radar_sensitivity=2");
        expected.replace("lang=fr", "lang=en");
        QCOMPARE(readAll(card.filePath("config.txt")), withChecksum(expected));
        QCOMPARE(entriesOf(card.path()), QStringList{"config.txt"});

        // A lang the viewer does not know reads as 0 and is kept.
        writeAll(card.filePath("config.txt"), withChecksum(expected.replace("lang=en", "lang=de")));
        file.readConfig();
        QCOMPARE(file.lang(), 0);
        QVERIFY(file.writeConfig());
        QVERIFY(readAll(card.filePath("config.txt")).contains("\nlang=de\n"));
    }

    void readWithoutCardChangesNothing() {
        FileIO file;
        file.setVolumeSource(std::make_shared<FixedVolumes>(QVector<Volume>{}));
        file.setCut_volt(3);
        file.setSource("DASHCAM"); // a search chooses no card: no file to read
        QCOMPARE(file.cut_volt(), 3);
    }

    void failedSavesLeaveTheOldFile() {
        const QByteArray old = withChecksum(TypicalText);
        CameraSettings changed = readBytes(old);
        changed.vol_speaker = 1;
        QString error;

        {
            QTemporaryDir card;
            const ReadOnlyFolder readOnly(card.path(),
                                          [&] { writeAll(card.filePath("config.txt"), old); });
            if (!readOnly.ready())
                QSKIP("cannot make a read-only folder here");
            QVERIFY(!CameraConfigFile::write(card.filePath("config.txt"), changed, &error));
            QVERIFY(!error.isEmpty());
            QCOMPARE(readAll(card.filePath("config.txt")), old);
            QCOMPARE(entriesOf(card.path()), QStringList{"config.txt"});
        }

        QTemporaryDir card;
        QVERIFY(QDir(card.path()).mkdir("config.txt"));
        QVERIFY(!CameraConfigFile::write(card.filePath("config.txt"), changed, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(card.filePath("config.txt")).isDir());
        QCOMPARE(entriesOf(card.path()), QStringList{"config.txt"});
    }

    void fullDiskLeavesTheOldFile() {
        QTemporaryDir mountPoint;
        SmallFileSystem small(mountPoint.path(), "16k");
        if (!small.mounted())
            QSKIP("cannot mount a small file system here (needs root)");

        const QByteArray old = withChecksum(TypicalText);
        const QString config = mountPoint.filePath("config.txt");
        writeAll(config, old);
        // Fill the rest of the disk.
        QFile filler(mountPoint.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        CameraSettings changed = readBytes(old);
        changed.model = QString(300, QLatin1Char('m'));
        QString error;
        QVERIFY(!CameraConfigFile::write(config, changed, &error));
        QVERIFY2(!error.isEmpty(), "a failed save says why");
        QCOMPARE(readAll(config), old);
        QCOMPARE(entriesOf(mountPoint.path()), (QStringList{"config.txt", "filler"}));
    }

    void keyTableChecksValues() {
        CameraSettings settings;
        QVERIFY(findCameraKey("CUT_VOLT"));
        QCOMPARE(findCameraKey("cut_volt")->assign(settings, "5"), QString());
        QCOMPARE(settings.cut_volt, 5);
        QVERIFY(!findCameraKey("cut_volt")->assign(settings, "6").isEmpty());
        QVERIFY(!findCameraKey("time_zone")->assign(settings, "-1").isEmpty());
        QVERIFY(!findCameraKey("lang")->assign(settings, "de").isEmpty());
        QCOMPARE(findCameraKey("secret")->assign(settings, "4321"), QString());
        QCOMPARE(decodeSecret(settings.secretStored), QStringLiteral("4321"));
        QCOMPARE(settings.cut_volt, 5);
        QCOMPARE(cameraKeys().size(), size_t(20));
    }
};

QTEST_GUILESS_MAIN(CameraConfigTest)
#include "tst_cameraconfig.moc"
