// The scenes are written against the backend's meta-object interface: every
// name, argument name, type and the order of the members must stay exactly
// as the scenes expect.
#include "commonfunc.h"
#include "enums.h"
#include "fileio.h"
#include "languagemanager.h"
#include "metaobjectdescription.h"
#include "shareclipjob.h"

#include <QtTest>

namespace {

// Members in meta-object order, separated by "; ", each given the prefix.
QStringList members(const QString &prefix, const char *list) {
    QStringList lines;
    for (const QString &member : QString::fromLatin1(list).split(QStringLiteral("; ")))
        lines << prefix + member;
    return lines;
}

// "type name" or "type name notifySignal"; the notify signal is nameChanged
// unless given.
QStringList properties(const char *list) {
    QStringList lines;
    for (const QString &entry : QString::fromLatin1(list).split(QStringLiteral("; "))) {
        const QStringList w = entry.split(' ');
        lines << QStringLiteral("property %1 %2 read write notify %3")
                     .arg(w[0], w[1], w.value(2, w[1] + "Changed"));
    }
    return lines;
}

// The members of each kind in meta-object order, separated by "; ".
const char FileIOSignals[] =
    "sourceChanged(QString source); error(QString msg); gps_speedChanged(int gps_speed); "
    "cut_voltChanged(int cut_volt); gsensor_sensitivityChanged(int gsensor_sensitivity); "
    "langChanged(int lang); memory_type_mmcChanged(int memory_type_mmc); "
    "modelChanged(QString model); motion_sensitivityChanged(int motion_sensitivity); "
    "radar_sensitivityChanged(int radar_sensitivity); parking_modeChanged(int parking_mode); "
    "screenChanged(int screen); secretChanged(QString secret); "
    "security_ledChanged(int security_led); time_dstChanged(int time_dst); "
    "time_manualChanged(int time_manual); time_zoneChanged(int time_zone); "
    "verChanged(int security_led); vol_micChanged(QString vol_mic); "
    "vol_speakerChanged(int vol_speaker); vlangChanged(int lang); vresolutionChanged(int lang); "
    "vspeedunitChanged(int lang); copyFinished(int copied, int failed, QStringList failedNames); "
    "copyProgress(int filesDone, int filesTotal, qlonglong bytesDone, qlonglong bytesTotal); "
    "mapSettingsChanged(); cardRemoved(QString root); cardInserted()";
const char FileIOSlots[] =
    "setGps_speed(int gps_speed); setLang(int lang); setCut_volt(int cut_volt); "
    "setGsensor_sensitivity(int gsensor_sensitivity); "
    "setMotion_sensitivity(int motion_sensitivity); setRadar_sensitivity(int radar_sensitivity); "
    "setParking_mode(int parking_mode); setVol_mic(int vol_mic); setVol_speaker(int vol_speaker); "
    "setTime_dst(int time_dst); setTime_manual(int time_manual); setTime_zone(int time_zone); "
    "setMemory_type_mmc(int memory_type_mmc); setVer(QString ver); setModel(QString model); "
    "setScreen(int screen); setSecret(QString secret); setSecurity_led(int security_led); "
    "setvLang(int lang); setvResolution(int resolution); setvSpeedunit(int speedUnit); "
    "setvMaponline(bool online); setvMapofflinedir(QString folder); setSource(QString source); "
    "fileSaveCancel()";
const char FileIOInvokables[] =
    "QString read(); bool write(QString data); void fileSearch(); "
    "QString setfileInfo(QString files); QString readfilename(int kind, int index); "
    "QString readfileinfo(int kind, int index); void fileRemove(); "
    "void fileRemove(int kind, int index); void fileSave(int kind, int index, QString savePath); "
    "void fileSaveStart(); QString readfilepath(int kind, int index); "
    "QString readfilepath(QString filpath); QString readBaseFName(int kind, int index); "
    "QString readBaseFName(QString filpath); int getVideoChannel(QString filpath); "
    "int readfileCnt(int kind); int readPOICnt(); float readMagneticDataX(int idx); "
    "float readMagneticDataY(int idx); float readMagneticDataZ(int idx); int readGioDataCnt(); "
    "QString readGioDataLat(int idx); QString readGioDataLon(int idx); "
    "QString readGiolongitude(int idx); float readGioDataLat1(int idx); float readGioDataLon1(); "
    "int readGioDataTime(int idx); QString readGioDataInfo(int runTime); "
    "QString readCurrentSpeed(int runTime, int speedUnit); QVariantMap readGioPosition(int "
    "second); "
    "QVariantList readGioTrack(); int readPeakIndex(); "
    "QString saveTrack(QString target, QString format); int readProcessState(); "
    "QString readWorkDir(); bool readConfig(); bool writeConfig(); void readPCConfig(); "
    "bool writePCConfig(); int fileValidation(QString filePath); "
    "QString fileCut(QString filePath); int getDialogWidth(); int getDialogHeight(); "
    "int getScreenWidth(); int getScreenHeight(); int getDriveCount(); "
    "QString getDriveName(int idx); QString getDrivePath(int idx); int getScreenCnt(); "
    "int setCurrentScreen(int x, int y); void setCurrentScreen(int index); "
    "int getCurrentScreenX(); int getCurrentScreenY(); int getCurrentScreenW(); "
    "int getCurrentScreenH(); QString getDrivePath(); float getDuration(QString tFilename); "
    "QString getDesktopPath()";
const char FileIOProperties[] =
    "QString source; int gps_speed; int cut_volt; int gsensor_sensitivity; int lang; "
    "int memory_type_mmc; QString model; int motion_sensitivity; int radar_sensitivity; "
    "int parking_mode; int screen; QString secret; int security_led; int time_dst; "
    "int time_manual; int time_zone; QString ver; int vol_mic; int vol_speaker; int vlang; "
    "int vresolution; int vspeedunit; bool vmaponline mapSettingsChanged; "
    "QString vmapofflinedir mapSettingsChanged";
const char CommonFuncSignals[] =
    "MakeChanged(); PrintChanged(); ContentChanged(); DateChanged(); PositionChanged(); "
    "GSensorChanged(); CurrentLanguageChanged(); disFileNameChanged(); disFilePathChanged(); "
    "videoChannelChanged(); WindowRestartChanged(); exportFinished(QString destination, bool ok); "
    "evidencePathChanged(); evidenceMomentChanged(); speedUnitChanged(); workFolderChanged(); "
    "busyChanged(); "
    "printFinished(bool ok); pdfFinished(QString path, bool ok, QString error)";
const char CommonFuncProperties[] =
    "QString runMake MakeChanged; QString disFileName; QString disFilePath; int videoChannel; "
    "QString runPrint PrintChanged; QString contentStr ContentChanged; "
    "QString dateStr DateChanged; QString positionStr PositionChanged; "
    "QString gSensorStr GSensorChanged; int currentLanguage CurrentLanguageChanged; "
    "int WindowRestart; QString evidencePath; int evidenceMoment; int speedUnit; "
    "QString workFolder";

const char ShareClipJobSignals[] = "runningChanged(); progressChanged(); "
                                   "finished(int status, QString message, QString output)";
const char ShareClipJobInvokables[] =
    "start(QString source, QString output, int fromMs, int toMs, bool allCameras, bool caption, "
    "int speedUnit); cancel()";
const char ShareClipJobProperties[] =
    "bool running read notify runningChanged; qlonglong framesDone read notify progressChanged; "
    "qlonglong framesTotal read notify progressChanged; int secondsLeft read notify "
    "progressChanged; "
    "QSize writtenSize read notify finished; qlonglong writtenMs read notify finished";

} // namespace

class BackendInterfaceTest : public QObject {
    Q_OBJECT

private slots:
    void interfaces() {
        QCOMPARE(QByteArray(FileIO::staticMetaObject.className()), QByteArray("FileIO"));
        QCOMPARE(describeMethods(FileIO::staticMetaObject),
                 members("signal void ", FileIOSignals) + members("slot void ", FileIOSlots) +
                     members("method ", FileIOInvokables));
        QStringList mapProperties;
        for (const char *name : {"maptileurl", "mapofflinedir", "mapcachedir"})
            mapProperties
                << QStringLiteral("property QString %1 read notify mapSettingsChanged").arg(name);
        QCOMPARE(describeProperties(FileIO::staticMetaObject),
                 properties(FileIOProperties) + mapProperties);
        const QStringList reportInvokables = {
            "method void savePdf(QString name, QString target)",
            "method void cancelExports(QString folder)",
            "method void setMapPicture(QVariant picture, QColor ground)",
            "method void setMapPicture(QVariant picture)"};
        QCOMPARE(describeMethods(CommonFunc::staticMetaObject),
                 members("signal void ", CommonFuncSignals) + reportInvokables);
        QCOMPARE(describeProperties(CommonFunc::staticMetaObject),
                 properties(CommonFuncProperties) +
                     QStringList{"property bool busy read notify busyChanged"});
        QCOMPARE(describeMethods(LanguageManager::staticMetaObject),
                 QStringList{"signal void languageChanged()"});
        QCOMPARE(describeProperties(LanguageManager::staticMetaObject),
                 QStringList{"property int language read write notify languageChanged"});

        QCOMPARE(describeMethods(velmora::ShareClipJob::staticMetaObject),
                 members("signal void ", ShareClipJobSignals) +
                     members("method void ", ShareClipJobInvokables));
        QCOMPARE(describeProperties(velmora::ShareClipJob::staticMetaObject),
                 members("property ", ShareClipJobProperties));
        // The scenes compare finished()'s status with these.
        const QMetaEnum status = QMetaEnum::fromType<velmora::ShareClipJob::Status>();
        QStringList statusKeys;
        for (int i = 0; i < status.keyCount(); ++i)
            statusKeys << QStringLiteral("%1=%2").arg(status.key(i)).arg(status.value(i));
        QCOMPARE(statusKeys,
                 QStringList({"Written=0", "CannotRead=1", "CannotWrite=2", "Cancelled=3"}));

        const QMetaObject &mo = Enums::staticMetaObject;
        QVERIFY(describeMethods(mo).isEmpty() && describeProperties(mo).isEmpty());
        QCOMPARE(mo.enumeratorCount() - mo.enumeratorOffset(), 1);
        const QMetaEnum language = mo.enumerator(mo.enumeratorOffset());
        QString keys = language.name();
        for (int i = 0; i < language.keyCount(); ++i)
            keys += QStringLiteral(" %1=%2").arg(language.key(i)).arg(language.value(i));
        QCOMPARE(keys, QStringLiteral("LANGUAGE KOR=0 ENG=1 FRE=2"));
    }
};

QTEST_GUILESS_MAIN(BackendInterfaceTest)
#include "tst_backendinterface.moc"
