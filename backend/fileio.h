#pragma once

#include "cardwatch.h"
#include "catalogue.h"
#include "drivetable.h"
#include "fileentry.h"
#include "mapsources.h"
#include "recordingcopier.h"
#include "settingsvalues.h"
#include "telemetryextractor.h"
#include "telemetryqueries.h"
#include "viewerconfigfile.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QQmlParserStatus>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <array>
#include <memory>
#include <optional>

namespace velmora {
class VolumeSource;
}

// The scenes' window onto the card: card search, the recording catalogue,
// telemetry, file operations and both settings files. It is a thin facade:
// each concern lives in a class of its own, and this object keeps the exact
// (sometimes irregular) names the scenes are written against.
class FileIO : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)

    Q_PROPERTY(QString source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(int gps_speed READ gps_speed WRITE setGps_speed NOTIFY gps_speedChanged)
    Q_PROPERTY(int cut_volt READ cut_volt WRITE setCut_volt NOTIFY cut_voltChanged)
    Q_PROPERTY(int gsensor_sensitivity READ gsensor_sensitivity WRITE setGsensor_sensitivity NOTIFY
                   gsensor_sensitivityChanged)
    Q_PROPERTY(int lang READ lang WRITE setLang NOTIFY langChanged)
    Q_PROPERTY(int memory_type_mmc READ memory_type_mmc WRITE setMemory_type_mmc NOTIFY
                   memory_type_mmcChanged)
    Q_PROPERTY(QString model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(int motion_sensitivity READ motion_sensitivity WRITE setMotion_sensitivity NOTIFY
                   motion_sensitivityChanged)
    Q_PROPERTY(int radar_sensitivity READ radar_sensitivity WRITE setRadar_sensitivity NOTIFY
                   radar_sensitivityChanged)
    Q_PROPERTY(int parking_mode READ parking_mode WRITE setParking_mode NOTIFY parking_modeChanged)
    Q_PROPERTY(int screen READ screen WRITE setScreen NOTIFY screenChanged)
    Q_PROPERTY(QString secret READ secret WRITE setSecret NOTIFY secretChanged)
    Q_PROPERTY(int security_led READ security_led WRITE setSecurity_led NOTIFY security_ledChanged)
    Q_PROPERTY(int time_dst READ time_dst WRITE setTime_dst NOTIFY time_dstChanged)
    Q_PROPERTY(int time_manual READ time_manual WRITE setTime_manual NOTIFY time_manualChanged)
    Q_PROPERTY(int time_zone READ time_zone WRITE setTime_zone NOTIFY time_zoneChanged)
    Q_PROPERTY(QString ver READ ver WRITE setVer NOTIFY verChanged)
    Q_PROPERTY(int vol_mic READ vol_mic WRITE setVol_mic NOTIFY vol_micChanged)
    Q_PROPERTY(int vol_speaker READ vol_speaker WRITE setVol_speaker NOTIFY vol_speakerChanged)
    Q_PROPERTY(int vlang READ vlang WRITE setvLang NOTIFY vlangChanged)
    Q_PROPERTY(int vresolution READ vresolution WRITE setvResolution NOTIFY vresolutionChanged)
    Q_PROPERTY(int vspeedunit READ vspeedunit WRITE setvSpeedunit NOTIFY vspeedunitChanged)
    // The map keys of viewer_config.txt as the file holds them: online tiles
    // on (an address stored) or off (none), and the offline tile folder. The
    // settings screen edits these; writePCConfig() saves them.
    Q_PROPERTY(bool vmaponline READ vmaponline WRITE setvMaponline NOTIFY mapSettingsChanged)
    Q_PROPERTY(QString vmapofflinedir READ vmapofflinedir WRITE setvMapofflinedir NOTIFY
                   mapSettingsChanged)
    // Where the map's tiles come from (see mapsources.h): the file's values as
    // last read or saved, under the environment's overrides.
    Q_PROPERTY(QString maptileurl READ maptileurl NOTIFY mapSettingsChanged)
    Q_PROPERTY(QString mapofflinedir READ mapofflinedir NOTIFY mapSettingsChanged)
    Q_PROPERTY(QString mapcachedir READ mapcachedir NOTIFY mapSettingsChanged)

public:
    explicit FileIO(QObject *parent = nullptr);
    ~FileIO() override;

    // Where the card search looks. A FileIO made by a scene takes its engine's
    // source in classBegin(); without one it reads the mounted volumes.
    void setVolumeSource(std::shared_ptr<const velmora::VolumeSource> volumes);
    // Where the viewer's own settings are read and saved.
    void setViewerConfigFile(const velmora::ViewerConfigFile &file);

    void classBegin() override;
    void componentComplete() override {}

    QString source() const { return mSource; }
    int gps_speed() const { return m_camera.gps_speed; }
    int cut_volt() const { return m_camera.cut_volt; }
    int gsensor_sensitivity() const { return m_camera.gsensor_sensitivity; }
    int lang() const;
    int memory_type_mmc() const { return m_camera.memory_type_mmc; }
    QString model() const { return m_camera.model.left(2); }
    int motion_sensitivity() const { return m_camera.motion_sensitivity; }
    int radar_sensitivity() const;
    int parking_mode() const { return m_camera.parking_mode; }
    int screen() const { return m_camera.screen; }
    QString secret() const { return m_camera.secret; }
    int security_led() const { return m_camera.security_led; }
    int time_dst() const { return m_camera.time_dst; }
    int time_manual() const { return m_camera.time_manual; }
    int time_zone() const { return m_camera.time_zone; }
    QString ver() const { return m_camera.ver; }
    int vol_mic() const { return m_camera.vol_mic; }
    int vol_speaker() const { return m_camera.vol_speaker; }
    int vlang() const;
    int vresolution() const;
    int vspeedunit() const;
    bool vmaponline() const { return !m_viewer.mapTileUrl.isEmpty(); }
    QString vmapofflinedir() const { return m_viewer.mapOfflineDir; }
    QString maptileurl() const { return m_mapSources.tileUrl; }
    QString mapofflinedir() const { return m_mapSources.offlineDir; }
    QString mapcachedir() const { return m_mapSources.cacheDir; }

signals:
    void sourceChanged(QString source);
    void error(QString msg);
    void gps_speedChanged(int gps_speed);
    void cut_voltChanged(int cut_volt);
    void gsensor_sensitivityChanged(int gsensor_sensitivity);
    void langChanged(int lang);
    void memory_type_mmcChanged(int memory_type_mmc);
    void modelChanged(QString model);
    void motion_sensitivityChanged(int motion_sensitivity);
    void radar_sensitivityChanged(int radar_sensitivity);
    void parking_modeChanged(int parking_mode);
    void screenChanged(int screen);
    void secretChanged(QString secret);
    void security_ledChanged(int security_led);
    void time_dstChanged(int time_dst);
    void time_manualChanged(int time_manual);
    void time_zoneChanged(int time_zone);
    void verChanged(int security_led);
    void vol_micChanged(QString vol_mic);
    void vol_speakerChanged(int vol_speaker);
    void vlangChanged(int lang);
    void vresolutionChanged(int lang);
    void vspeedunitChanged(int lang);
    // A copy batch started by fileSaveStart() has ended.
    void copyFinished(int copied, int failed, QStringList failedNames);
    // The running batch's files and bytes so far, at most ten times a second
    // and after each file.
    void copyProgress(int filesDone, int filesTotal, qint64 bytesDone, qint64 bytesTotal);
    void mapSettingsChanged();
    // The card the list shows is gone (see velmora::CardWatch): the players'
    // recording, the telemetry scan and the copies from it have been stopped,
    // the partial copies removed and the lists emptied.
    void cardRemoved(QString root);
    // A card came in after one was gone.
    void cardInserted();

public slots:
    void setGps_speed(int gps_speed);
    void setLang(int lang);
    void setCut_volt(int cut_volt);
    void setGsensor_sensitivity(int gsensor_sensitivity);
    void setMotion_sensitivity(int motion_sensitivity);
    void setRadar_sensitivity(int radar_sensitivity);
    void setParking_mode(int parking_mode);
    void setVol_mic(int vol_mic);
    void setVol_speaker(int vol_speaker);
    void setTime_dst(int time_dst);
    void setTime_manual(int time_manual);
    void setTime_zone(int time_zone);
    void setMemory_type_mmc(int memory_type_mmc);
    void setVer(QString ver);
    void setModel(QString model);
    void setScreen(int screen);
    void setSecret(QString secret);
    void setSecurity_led(int security_led);
    void setvLang(int lang);
    void setvResolution(int resolution);
    void setvSpeedunit(int speedUnit);
    // On keeps a stored address (or stores the default one), off stores none.
    void setvMaponline(bool online);
    void setvMapofflinedir(QString folder);
    void setSource(QString source);
    // Cancel in the save pop-up: the running batch stops in its current file
    // (whose partial copy is removed) and reports what it copied.
    void fileSaveCancel();

public:
    Q_INVOKABLE QString read();
    Q_INVOKABLE bool write(QString data);
    Q_INVOKABLE void fileSearch();
    Q_INVOKABLE QString setfileInfo(QString files);
    Q_INVOKABLE QString readfilename(int kind, int index);
    Q_INVOKABLE QString readfileinfo(int kind, int index);
    Q_INVOKABLE void fileRemove();
    Q_INVOKABLE void fileRemove(int kind, int index);
    Q_INVOKABLE void fileSave(int kind, int index, QString savePath);
    Q_INVOKABLE void fileSaveStart();
    Q_INVOKABLE QString readfilepath(int kind, int index);
    Q_INVOKABLE QString readfilepath(QString filpath);
    Q_INVOKABLE QString readBaseFName(int kind, int index);
    Q_INVOKABLE QString readBaseFName(QString filpath);
    Q_INVOKABLE int getVideoChannel(QString filpath);
    Q_INVOKABLE int readfileCnt(int kind);
    Q_INVOKABLE int readPOICnt();
    Q_INVOKABLE float readMagneticDataX(int idx);
    Q_INVOKABLE float readMagneticDataY(int idx);
    Q_INVOKABLE float readMagneticDataZ(int idx);
    Q_INVOKABLE int readGioDataCnt();
    Q_INVOKABLE QString readGioDataLat(int idx);
    Q_INVOKABLE QString readGioDataLon(int idx);
    Q_INVOKABLE QString readGiolongitude(int idx);
    Q_INVOKABLE float readGioDataLat1(int idx);
    Q_INVOKABLE float readGioDataLon1();
    Q_INVOKABLE int readGioDataTime(int idx);
    Q_INVOKABLE QString readGioDataInfo(int runTime);
    Q_INVOKABLE QString readCurrentSpeed(int runTime, int speedUnit);
    // {"valid", "latitude", "longitude"} of the GPS record of `second`: valid
    // is false when the second has no record or its record no position.
    // Latitudes south and longitudes west are negative.
    Q_INVOKABLE QVariantMap readGioPosition(int second);
    // {"latitude", "longitude", "time"} of every GPS record with a position.
    Q_INVOKABLE QVariantList readGioTrack();
    // The sensor sample of the strongest shock, or -1 (no samples, or the
    // extraction has not finished).
    Q_INVOKABLE int readPeakIndex();
    // Writes the track of the playing recording to `target` (a path or a
    // file URL) as "gpx", "kml" or "csv"; empty text on success, otherwise
    // why not.
    Q_INVOKABLE QString saveTrack(QString target, QString format);
    Q_INVOKABLE int readProcessState();
    Q_INVOKABLE QString readWorkDir();
    // Loads the card's config.txt; false when the card has none that can be
    // read. A save then refuses, as it does once the file on the card is no
    // longer the one read (another card in the same reader).
    Q_INVOKABLE bool readConfig();
    Q_INVOKABLE bool writeConfig();
    Q_INVOKABLE void readPCConfig();
    // False when the file could not be written; it is then unchanged. A
    // successful save hands the map its new tile settings.
    Q_INVOKABLE bool writePCConfig();
    Q_INVOKABLE int fileValidation(QString filePath);
    // A file URL as its local path (escapes decoded); a plain path unchanged.
    Q_INVOKABLE QString fileCut(QString filePath);
    Q_INVOKABLE int getDialogWidth();
    Q_INVOKABLE int getDialogHeight();
    Q_INVOKABLE int getScreenWidth();
    Q_INVOKABLE int getScreenHeight();
    Q_INVOKABLE int getDriveCount();
    Q_INVOKABLE QString getDriveName(int idx);
    Q_INVOKABLE QString getDrivePath(int idx);
    Q_INVOKABLE int getScreenCnt();
    Q_INVOKABLE int setCurrentScreen(int x, int y);
    Q_INVOKABLE void setCurrentScreen(int index);
    Q_INVOKABLE int getCurrentScreenX();
    Q_INVOKABLE int getCurrentScreenY();
    Q_INVOKABLE int getCurrentScreenW();
    Q_INVOKABLE int getCurrentScreenH();
    Q_INVOKABLE QString getDrivePath();
    Q_INVOKABLE float getDuration(QString tFilename);
    Q_INVOKABLE QString getDesktopPath();

private:
    // Starts the telemetry extraction of one recording in the background and
    // returns the path it works on.
    QString startExtraction(const QString &path);
    // The telemetry of the latest finished extraction, published whole with
    // state 1; an empty Telemetry before the first one. It stays valid while
    // the caller holds it, whatever the worker does meanwhile.
    std::shared_ptr<const velmora::Telemetry> telemetry() const;
    // Makes entry (kind, index) the current entry `mFileInfo` (an empty one
    // outside the lists) and returns it.
    const velmora::FileEntry &selectEntry(int kind, int index);
    // The telemetry queries, following the latest published extraction.
    velmora::TelemetryQueries &queries();
    void cardLost(const QString &root);

    static constexpr int CategoryCount = 5;

    velmora::FileEntry mFileInfo;
    QList<velmora::FileEntry> m_SaveList; // the batch being queued; taken whole on start
    int mT2Idx = 0;                       // entries queued in it
    velmora::Catalogue m_FileList;        // the five category lists
    QString m_SavePath;
    velmora::RecordingCopier m_copier;       // copies the started batches, one after another
    velmora::TelemetryExtractor m_extractor; // the worker, its lists and its state
    velmora::TelemetryQueries m_queries;     // holds the current GPS record (m_CurGioData)
    QString mSource;
    QString m_CurrentDrivePath;
    velmora::CameraSettings m_camera;
    QByteArray m_cameraFingerprint; // of the config.txt read; empty when none was
    velmora::ViewerSettings m_viewer;
    velmora::MapSources m_mapSources;
    std::optional<velmora::ViewerConfigFile> m_viewerConfig;
    int m_DialogWidth = 1024; // the compact class until the settings say otherwise
    int m_DialogHeight = 700;
    velmora::DriveTable m_drives;
    QRect m_CurrentScreenRect; // null: x, y, width and height 0
    std::shared_ptr<const velmora::VolumeSource> m_volumes;
    velmora::CardWatch m_cardWatch; // the card listed by fileSearch()
};
