// The camera's config.txt: byte-exact saves, reading what cameras write, no file lost.
#include "cameraconfigfile.h"
#include "camerasecret.h"
#include "fileio.h"
#include "testfiles.h"
#include "volume.h"

#include <QtTest>
#include <unistd.h>

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
    // Read and saved unchanged, a file keeps its bytes (a 200-byte model too).
    void typicalFileRoundTripsByteForByte() {
        QCOMPARE(CameraConfigFile::checksum("abc"), char(0x26));
        QCOMPARE(CameraConfigFile::checksum(""), char(0));
        const CameraSettings settings = readBytes(withChecksum(TypicalText));
        QCOMPARE(QStringList({QString::number(settings.cut_volt), settings.lang, settings.model,
                              settings.secretStored, settings.secret,
                              QString::number(settings.vol_speaker)}),
                 QStringList({"2", "fr", "VM-3000", "16909643", "1234", "4"}));
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
        QTest::newRow("CRLF line ends") << withChecksum(edited("\n", "\r\n")) << typical << "1234";
        QTest::newRow("other order, upper-case key")
            << withChecksum(
                   edited("screen=1\n", "")
                       .replace("ver=2.1.7\nvol_mic=1\nvol_speaker=4\n", "vol_mic=1\n")
                       .replace("[config]\n", "[config]\nvol_speaker=4\nver=2.1.7\nSCREEN=1\n"))
            << typical << "1234";
        QTest::newRow("extra keys and groups")
            << withChecksum("[wifi]\nssid=car\n" + typical + "extra=5\n[other]\nx=1\n") << typical
            << "1234";
        QTest::newRow("no checksum byte") << typical << typical << "1234";
        QTest::newRow("missing keys read as zero")
            << withChecksum(edited("cut_volt=2\n", "").replace("model=VM-3000\n", ""))
            << edited("cut_volt=2", "cut_volt=0").replace("model=VM-3000", "model=") << "1234";
        // A secret that gives no code reads as none; its text goes back as it was.
        for (const QByteArray line : {"secret=0\n", "secret=-77\n", "secret=abcd\n"})
            QTest::addRow("%s", line.trimmed().constData())
                << withChecksum(edited("secret=16909643\n", line))
                << edited("secret=16909643\n", line) << "";
        QTest::newRow("no secret") << withChecksum(edited("secret=16909643\n", ""))
                                   << edited("secret=16909643", "secret=") << "";
    }
    void readsWhatCamerasWrite() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        QFETCH(QString, code);
        const CameraSettings settings = readBytes(bytes);
        QCOMPARE(settings.secret, code);
        QCOMPARE(CameraConfigFile::build(settings), withChecksum(saved));
    }

    void secretCodec() {
        QCOMPARE(encodeSecret("1234"), QString::number(0x01020304 + SecretCodeOffset));
        QCOMPARE(decodeSecret(encodeSecret("0907")), QStringLiteral("0907"));
        QCOMPARE(decodeSecret(encodeSecret("0000")), QStringLiteral("0000"));
        QCOMPARE(encodeSecret("123"), QString());
        QCOMPARE(encodeSecret("12a4"), QString());
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
        QCOMPARE(QStringList({again.model, again.ver, again.lang}),
                 QStringList({settings.model, settings.ver, "de"}));
    }

    void fileIOPropertiesOverTheFile() {
        QTemporaryDir card;
        writeAll(card.filePath("config.txt"), withChecksum(TypicalText));
        FileIO file;
        file.setVolumeSource(std::make_shared<FixedVolumes>(QVector<Volume>{}));
        file.setCut_volt(3);
        file.setSource("DASHCAM"); // a search chooses no card: no file to read
        QCOMPARE(file.cut_volt(), 3);
        file.setSource(card.path() + "/");
        file.readConfig();
        QCOMPARE(file.lang(), 1);
        QCOMPARE(file.model(), QStringLiteral("VM"));
        QCOMPARE(file.secret(), QStringLiteral("1234"));
        file.setRadar_sensitivity(2);
        file.setCut_volt(4);
        file.setLang(7); // not a language: stays "fr"
        QCOMPARE(file.lang(), 1);
        file.setLang(0);
        QVERIFY(file.writeConfig());

        QByteArray expected = TypicalText;
        expected.replace("cut_volt=2", "cut_volt=4")
            .replace("radar_sensitivity=0", "radar_sensitivity=2")
            .replace("lang=fr", "lang=en");
        QCOMPARE(readAll(card.filePath("config.txt")), withChecksum(expected));
        QCOMPARE(entriesOf(card.path()), QStringList{"config.txt"});

        // A lang the viewer does not know reads as 0 and is kept.
        writeAll(card.filePath("config.txt"), withChecksum(expected.replace("lang=en", "lang=de")));
        file.readConfig();
        QCOMPARE(file.lang(), 0);
        QVERIFY(file.writeConfig());
        QVERIFY(readAll(card.filePath("config.txt")).contains("\nlang=de\n"));
    }

    // A failed save (read-only, folder in the way, disk full) says why, keeps the old file.
    void failedSavesLeaveTheOldFile() {
        const QByteArray old = withChecksum(TypicalText);
        CameraSettings changed = readBytes(old);
        changed.model = QString(300, QLatin1Char('m'));
        const auto refused = [&](const QString &dir, const QStringList &entries,
                                 const QByteArray &bytes) {
            QString error;
            QVERIFY(!CameraConfigFile::write(dir + "/config.txt", changed, &error));
            QVERIFY2(!error.isEmpty(), "a failed save says why");
            QCOMPARE(entriesOf(dir), entries);
            QCOMPARE(readAll(dir + "/config.txt"), bytes);
        };
        QTemporaryDir readOnlyCard, folderCard, mountPoint;
        const ReadOnlyFolder readOnly(readOnlyCard.path(),
                                      [&] { writeAll(readOnlyCard.filePath("config.txt"), old); });
        if (readOnly.ready())
            refused(readOnlyCard.path(), {"config.txt"}, old);
        QVERIFY(QDir(folderCard.path()).mkdir("config.txt"));
        refused(folderCard.path(), {"config.txt"}, QByteArray()); // the folder stays

        SmallFileSystem small(mountPoint.path(), "16k");
        if (!small.mounted())
            QSKIP("cannot mount a small file system here (needs root)");
        writeAll(mountPoint.filePath("config.txt"), old);
        QFile filler(mountPoint.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
        }
        filler.close();
        refused(mountPoint.path(), {"config.txt", "filler"}, old);
    }
};

QTEST_GUILESS_MAIN(CameraConfigTest)
#include "tst_cameraconfig.moc"
