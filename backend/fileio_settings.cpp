// The camera and viewer settings as properties: each setter stores its value
// and writes one debug line; none emits the change signal.
#include "backendlog.h"
#include "fileio.h"

#include <QDebug>

namespace {
template <typename T> void store(T &member, const T &value, const char *label) {
    member = value;
    qCDebug(lcSettings).noquote().nospace() << QLatin1String(label) << value;
}
} // namespace

int FileIO::lang() const {
    if (m_camera.lang == QLatin1String("fr"))
        return 1;
    return 0;
}

int FileIO::radar_sensitivity() const {
    qCDebug(lcSettings).nospace() << "m_radar_sensitivity ============> "
                                  << m_camera.radar_sensitivity;
    return m_camera.radar_sensitivity;
}

void FileIO::setGps_speed(int gps_speed) {
    store(m_camera.gps_speed, gps_speed, "m_gps_speed ===> ");
}

void FileIO::setLang(int lang) {
    if (lang == 0)
        m_camera.lang = QStringLiteral("en");
    else if (lang == 1)
        m_camera.lang = QStringLiteral("fr");
    qCDebug(lcSettings).noquote() << "m_lang ===> " + m_camera.lang;
}

void FileIO::setCut_volt(int cut_volt) {
    store(m_camera.cut_volt, cut_volt, "m_cut_volt ===> ");
}

void FileIO::setGsensor_sensitivity(int gsensor_sensitivity) {
    store(m_camera.gsensor_sensitivity, gsensor_sensitivity, "m_gsensor_sensitivity ===> ");
}

void FileIO::setMotion_sensitivity(int motion_sensitivity) {
    store(m_camera.motion_sensitivity, motion_sensitivity, "m_motion_sensitivity ===> ");
}

void FileIO::setRadar_sensitivity(int radar_sensitivity) {
    store(m_camera.radar_sensitivity, radar_sensitivity, "1. m_radar_sensitivity ===> ");
}

void FileIO::setParking_mode(int parking_mode) {
    store(m_camera.parking_mode, parking_mode, "m_parking_mode ===> ");
}

void FileIO::setVol_mic(int vol_mic) {
    store(m_camera.vol_mic, vol_mic, "m_vol_mic ===> ");
}

void FileIO::setVol_speaker(int vol_speaker) {
    store(m_camera.vol_speaker, vol_speaker, "m_vol_speaker ===> ");
}

void FileIO::setTime_dst(int time_dst) {
    store(m_camera.time_dst, time_dst, "m_time_dst ===> ");
}

void FileIO::setTime_manual(int time_manual) {
    store(m_camera.time_manual, time_manual, "m_time_manual ===> ");
}

void FileIO::setTime_zone(int time_zone) {
    store(m_camera.time_zone, time_zone, "m_time_zone ===> ");
}

void FileIO::setMemory_type_mmc(int memory_type_mmc) {
    store(m_camera.memory_type_mmc, memory_type_mmc, "m_memory_type_mmc ===> ");
}

void FileIO::setVer(QString ver) {
    store(m_camera.ver, ver, "m_ver ===> ");
}

void FileIO::setModel(QString model) {
    store(m_camera.model, model, "m_model ===> ");
}

void FileIO::setScreen(int screen) {
    store(m_camera.screen, screen, "m_screen ===> ");
}

void FileIO::setSecurity_led(int security_led) {
    store(m_camera.security_led, security_led, "m_security_led ===> ");
}
