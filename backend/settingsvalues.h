#pragma once

#include <QString>

namespace velmora {

// The twenty keys of the camera's config.txt, as the viewer holds them.
struct CameraSettings {
    int adas_fcws = 0;
    int adas_ldws = 0;
    int gps_speed = 0;
    int cut_volt = 0;
    int gsensor_sensitivity = 0;
    QString lang; // "en" or "fr" as stored
    int memory_type_mmc = 0;
    QString model;
    int motion_sensitivity = 0;
    int radar_sensitivity = 0;
    int parking_mode = 0;
    int screen = 0;
    QString secret;       // decoded four-digit code
    QString secretStored; // encoded text, written back as read
    int security_led = 0;
    int time_dst = 0;
    int time_manual = 0;
    int time_zone = 0;
    QString ver;
    int vol_mic = 0;
    int vol_speaker = 0;
};

// The viewer's own settings (viewer_config.txt).
struct ViewerSettings {
    QString lang;       // "en" or "fr"
    int resolution = 4; // window-size class 0..4; 4 is the compact one
    int speedUnit = 0;  // 0 mi/h, 1 km/h
    // Map tiles (keys maptileurl and mapofflinedir): where online tiles come
    // from, empty for none; and a folder of tiles kept for use offline.
    QString mapTileUrl = QStringLiteral("https://tile.openstreetmap.org/");
    QString mapOfflineDir;
};

} // namespace velmora
