// The scenes are written against the backend's meta-object interface: every
// name, argument name, type and the order of the members must stay exactly
// as the scenes expect.
#include "commonfunc.h"
#include "enums.h"
#include "fileio.h"
#include "languagemanager.h"
#include "metaobjectdescription.h"
#include "volume.h"

#include <QMetaEnum>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QStringList FileIOMethods = {
    "signal void sourceChanged(QString source)",
    "signal void error(QString msg)",
    "signal void gps_speedChanged(int gps_speed)",
    "signal void cut_voltChanged(int cut_volt)",
    "signal void gsensor_sensitivityChanged(int gsensor_sensitivity)",
    "signal void langChanged(int lang)",
    "signal void memory_type_mmcChanged(int memory_type_mmc)",
    "signal void modelChanged(QString model)",
    "signal void motion_sensitivityChanged(int motion_sensitivity)",
    "signal void radar_sensitivityChanged(int radar_sensitivity)",
    "signal void parking_modeChanged(int parking_mode)",
    "signal void screenChanged(int screen)",
    "signal void secretChanged(QString secret)",
    "signal void security_ledChanged(int security_led)",
    "signal void time_dstChanged(int time_dst)",
    "signal void time_manualChanged(int time_manual)",
    "signal void time_zoneChanged(int time_zone)",
    "signal void verChanged(int security_led)",
    "signal void vol_micChanged(QString vol_mic)",
    "signal void vol_speakerChanged(int vol_speaker)",
    "signal void vlangChanged(int lang)",
    "signal void vresolutionChanged(int lang)",
    "signal void vspeedunitChanged(int lang)",
    "signal void copyFinished(int copied, int failed, QStringList failedNames)",
    "slot void setGps_speed(int gps_speed)",
    "slot void setLang(int lang)",
    "slot void setCut_volt(int cut_volt)",
    "slot void setGsensor_sensitivity(int gsensor_sensitivity)",
    "slot void setMotion_sensitivity(int motion_sensitivity)",
    "slot void setRadar_sensitivity(int radar_sensitivity)",
    "slot void setParking_mode(int parking_mode)",
    "slot void setVol_mic(int vol_mic)",
    "slot void setVol_speaker(int vol_speaker)",
    "slot void setTime_dst(int time_dst)",
    "slot void setTime_manual(int time_manual)",
    "slot void setTime_zone(int time_zone)",
    "slot void setMemory_type_mmc(int memory_type_mmc)",
    "slot void setVer(QString ver)",
    "slot void setModel(QString model)",
    "slot void setScreen(int screen)",
    "slot void setSecret(QString secret)",
    "slot void setSecurity_led(int security_led)",
    "slot void setvLang(int lang)",
    "slot void setvResolution(int resolution)",
    "slot void setvSpeedunit(int speedUnit)",
    "slot void setSource(QString source)",
    "method QString read()",
    "method bool write(QString data)",
    "method void fileSearch()",
    "method QString setfileInfo(QString files)",
    "method QString readfilename(int kind, int index)",
    "method QString readfileinfo(int kind, int index)",
    "method void fileRemove()",
    "method void fileRemove(int kind, int index)",
    "method void fileSave(int kind, int index, QString savePath)",
    "method void fileSaveStart()",
    "method QString readfilepath(int kind, int index)",
    "method QString readfilepath(QString filpath)",
    "method QString readBaseFName(int kind, int index)",
    "method QString readBaseFName(QString filpath)",
    "method int getVideoChannel(QString filpath)",
    "method int readfileCnt(int kind)",
    "method int readPOICnt()",
    "method float readMagneticDataX(int idx)",
    "method float readMagneticDataY(int idx)",
    "method float readMagneticDataZ(int idx)",
    "method int readGioDataCnt()",
    "method QString readGioDataLat(int idx)",
    "method QString readGioDataLon(int idx)",
    "method QString readGiolongitude(int idx)",
    "method float readGioDataLat1(int idx)",
    "method float readGioDataLon1()",
    "method int readGioDataTime(int idx)",
    "method QString readGioDataInfo(int runTime)",
    "method QString readCurrentSpeed(int runTime, int speedUnit)",
    "method int readProcessState()",
    "method QString readWorkDir()",
    "method void readConfig()",
    "method bool writeConfig()",
    "method void readPCConfig()",
    "method void writePCConfig()",
    "method int fileValidation(QString filePath)",
    "method QString fileCut(QString filePath)",
    "method int getDialogWidth()",
    "method int getDialogHeight()",
    "method int getScreenWidth()",
    "method int getScreenHeight()",
    "method int getDriveCount()",
    "method QString getDriveName(int idx)",
    "method QString getDrivePath(int idx)",
    "method int getScreenCnt()",
    "method int setCurrentScreen(int x, int y)",
    "method void setCurrentScreen(int index)",
    "method int getCurrentScreenX()",
    "method int getCurrentScreenY()",
    "method int getCurrentScreenW()",
    "method int getCurrentScreenH()",
    "method QString getDrivePath()",
    "method float getDuration(QString tFilename)",
    "method QString getDesktopPath()",
};

const QStringList FileIOProperties = {
    "property QString source read write notify sourceChanged",
    "property int gps_speed read write notify gps_speedChanged",
    "property int cut_volt read write notify cut_voltChanged",
    "property int gsensor_sensitivity read write notify gsensor_sensitivityChanged",
    "property int lang read write notify langChanged",
    "property int memory_type_mmc read write notify memory_type_mmcChanged",
    "property QString model read write notify modelChanged",
    "property int motion_sensitivity read write notify motion_sensitivityChanged",
    "property int radar_sensitivity read write notify radar_sensitivityChanged",
    "property int parking_mode read write notify parking_modeChanged",
    "property int screen read write notify screenChanged",
    "property QString secret read write notify secretChanged",
    "property int security_led read write notify security_ledChanged",
    "property int time_dst read write notify time_dstChanged",
    "property int time_manual read write notify time_manualChanged",
    "property int time_zone read write notify time_zoneChanged",
    "property QString ver read write notify verChanged",
    "property int vol_mic read write notify vol_micChanged",
    "property int vol_speaker read write notify vol_speakerChanged",
    "property int vlang read write notify vlangChanged",
    "property int vresolution read write notify vresolutionChanged",
    "property int vspeedunit read write notify vspeedunitChanged",
};

const QStringList CommonFuncMethods = {
    "signal void MakeChanged()",
    "signal void PrintChanged()",
    "signal void ContentChanged()",
    "signal void DateChanged()",
    "signal void PositionChanged()",
    "signal void GSensorChanged()",
    "signal void CurrentLanguageChanged()",
    "signal void disFileNameChanged()",
    "signal void disFilePathChanged()",
    "signal void videoChannelChanged()",
    "signal void WindowRestartChanged()",
    "signal void exportFinished(QString destination, bool ok)",
};

const QStringList CommonFuncProperties = {
    "property QString runMake read write notify MakeChanged",
    "property QString disFileName read write notify disFileNameChanged",
    "property QString disFilePath read write notify disFilePathChanged",
    "property int videoChannel read write notify videoChannelChanged",
    "property QString runPrint read write notify PrintChanged",
    "property QString contentStr read write notify ContentChanged",
    "property QString dateStr read write notify DateChanged",
    "property QString positionStr read write notify PositionChanged",
    "property QString gSensorStr read write notify GSensorChanged",
    "property int currentLanguage read write notify CurrentLanguageChanged",
    "property int WindowRestart read write notify WindowRestartChanged",
};

// Every property of the object, written through the meta-object; no notify
// signal may fire (the scenes re-read properties instead of binding to them).
void writeEveryPropertyAndExpectSilence(QObject *object, const QSet<QByteArray> &skip = {}) {
    const QMetaObject *mo = object->metaObject();
    QList<QSharedPointer<QSignalSpy>> spies;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        if (mo->method(i).methodType() == QMetaMethod::Signal)
            spies << QSharedPointer<QSignalSpy>::create(object, mo->method(i));
    }
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (skip.contains(p.name()))
            continue;
        const QVariant value =
            p.type() == QVariant::String ? QVariant(QStringLiteral("12")) : QVariant(1);
        QVERIFY2(p.write(object, value), p.name());
    }
    for (const auto &spy : spies)
        QVERIFY2(spy->isEmpty(), spy->signal().constData());
}

} // namespace

class BackendInterfaceTest : public QObject {
    Q_OBJECT

private slots:
    void fileIOInterface() {
        QCOMPARE(QByteArray(FileIO::staticMetaObject.className()), QByteArray("FileIO"));
        QCOMPARE(FileIO::staticMetaObject.superClass(), &QObject::staticMetaObject);
        QCOMPARE(describeMethods(FileIO::staticMetaObject), FileIOMethods);
        QCOMPARE(describeProperties(FileIO::staticMetaObject), FileIOProperties);
    }

    void commonFuncInterface() {
        QCOMPARE(CommonFunc::staticMetaObject.superClass(), &QObject::staticMetaObject);
        QCOMPARE(describeMethods(CommonFunc::staticMetaObject), CommonFuncMethods);
        QCOMPARE(describeProperties(CommonFunc::staticMetaObject), CommonFuncProperties);
    }

    void languageManagerInterface() {
        QCOMPARE(LanguageManager::staticMetaObject.superClass(), &QObject::staticMetaObject);
        QCOMPARE(describeMethods(LanguageManager::staticMetaObject),
                 QStringList{"signal void languageChanged()"});
        QCOMPARE(describeProperties(LanguageManager::staticMetaObject),
                 QStringList{"property int language read write notify languageChanged"});
    }

    void enumsInterface() {
        const QMetaObject &mo = Enums::staticMetaObject;
        QCOMPARE(mo.superClass(), &QObject::staticMetaObject);
        QVERIFY(describeMethods(mo).isEmpty());
        QVERIFY(describeProperties(mo).isEmpty());
        QCOMPARE(mo.enumeratorCount() - mo.enumeratorOffset(), 1);
        const QMetaEnum language = mo.enumerator(mo.enumeratorOffset());
        QCOMPARE(QByteArray(language.name()), QByteArray("LANGUAGE"));
        QCOMPARE(language.keyCount(), 3);
        QCOMPARE(language.keyToValue("KOR"), 0);
        QCOMPARE(language.keyToValue("ENG"), 1);
        QCOMPARE(language.keyToValue("FRE"), 2);
    }

    void commonFuncTextPropertiesReadFixedTexts() {
        CommonFunc func;
        const QList<QPair<const char *, const char *>> fixed = {
            {"runMake", "return__"}, {"runPrint", "Print__"},       {"contentStr", "content__"},
            {"dateStr", "date__"},   {"positionStr", "position__"}, {"gSensorStr", "gSensor__"},
        };
        for (const auto &[name, text] : fixed) {
            QVERIFY(func.setProperty(name, QStringLiteral("what the scene wrote")));
            QCOMPARE(func.property(name).toString(), QString::fromLatin1(text));
        }
        func.setProperty("disFilePath", QStringLiteral("/tmp/out"));
        QCOMPARE(func.property("disFilePath").toString(), QStringLiteral("/tmp/out"));
        func.setProperty("currentLanguage", 2);
        QCOMPARE(func.property("currentLanguage").toInt(), 2);
    }

    void settersDoNotNotify() {
        FileIO file;
        file.setVolumeSource(std::make_shared<velmora::FixedVolumes>(QVector<velmora::Volume>{}));
        writeEveryPropertyAndExpectSilence(&file);
        QCOMPARE(file.property("gps_speed").toInt(), 1);
        QCOMPARE(file.property("source").toString(), QStringLiteral("12"));

        CommonFunc func;
        writeEveryPropertyAndExpectSilence(&func, {"WindowRestart"});
    }

    void newFileIOStartsEmpty() {
        FileIO file;
        QCOMPARE(file.readProcessState(), 0);
        for (int kind = 0; kind < 5; ++kind)
            QCOMPARE(file.readfileCnt(kind), 0);
        QCOMPARE(file.property("source").toString(), QString());
        QCOMPARE(file.getCurrentScreenX(), 0);
        QCOMPARE(file.getCurrentScreenW(), 0);
        QCOMPARE(file.getCurrentScreenH(), 0);
    }
};

QTEST_GUILESS_MAIN(BackendInterfaceTest)
#include "tst_backendinterface.moc"
