// Operations whose behaviour is not built yet. Each gives the neutral answer
// ("", 0, -1 or nothing) so the scenes can already be written against the
// whole interface; each is replaced by the feature that owns it.
#include "fileio.h"

// --- camera settings file ---------------------------------------------------
void FileIO::setSecret(QString) {}
QString FileIO::read() {
    return QString();
}
bool FileIO::write(QString) {
    return false;
}
void FileIO::readConfig() {}
void FileIO::writeConfig() {}

// --- viewer settings file and screen geometry -------------------------------
int FileIO::vlang() const {
    return 0;
}
int FileIO::vresolution() const {
    return m_viewer.resolution;
}
int FileIO::vspeedunit() const {
    return m_viewer.speedUnit;
}
void FileIO::setvLang(int) {}
void FileIO::setvResolution(int) {}
void FileIO::setvSpeedunit(int) {}
void FileIO::readPCConfig() {}
void FileIO::writePCConfig() {}
int FileIO::getDialogWidth() {
    return m_DialogWidth;
}
int FileIO::getDialogHeight() {
    return m_DialogHeight;
}
int FileIO::getScreenWidth() {
    return 0;
}
int FileIO::getScreenHeight() {
    return 0;
}
int FileIO::getScreenCnt() {
    return 0;
}
int FileIO::setCurrentScreen(int, int) {
    return 0;
}
void FileIO::setCurrentScreen(int) {}
int FileIO::getCurrentScreenX() {
    return m_CurrentScreenRect.x();
}
int FileIO::getCurrentScreenY() {
    return m_CurrentScreenRect.y();
}
int FileIO::getCurrentScreenW() {
    return m_CurrentScreenRect.width();
}
int FileIO::getCurrentScreenH() {
    return m_CurrentScreenRect.height();
}

// --- recording catalogue ----------------------------------------------------
void FileIO::fileSearch() {}
QString FileIO::setfileInfo(QString) {
    return QString();
}
QString FileIO::readfilename(int, int) {
    return QString();
}
QString FileIO::readfileinfo(int, int) {
    return QString();
}
QString FileIO::readBaseFName(int, int) {
    return QString();
}
QString FileIO::readBaseFName(QString) {
    return QString();
}
int FileIO::getVideoChannel(QString) {
    return -1;
}
int FileIO::readfileCnt(int kind) {
    return kind >= 0 && kind < CategoryCount ? m_FileList[size_t(kind)].size() : 0;
}
int FileIO::fileValidation(QString) {
    return 0;
}
QString FileIO::fileCut(QString) {
    return QString();
}

// --- recording files --------------------------------------------------------
void FileIO::fileRemove() {}
void FileIO::fileRemove(int, int) {}
void FileIO::fileSave(int, int, QString) {}
void FileIO::fileSaveStart() {}
float FileIO::getDuration(QString) {
    return 0.0f;
}

// --- telemetry --------------------------------------------------------------
QString FileIO::readfilepath(int, int) {
    return QString();
}
QString FileIO::readfilepath(QString) {
    return QString();
}
int FileIO::readProcessState() {
    return m_ProcessState;
}
int FileIO::readPOICnt() {
    return 0;
}
float FileIO::readMagneticDataX(int) {
    return 0.0f;
}
float FileIO::readMagneticDataY(int) {
    return 0.0f;
}
float FileIO::readMagneticDataZ(int) {
    return 0.0f;
}
int FileIO::readGioDataCnt() {
    return 0;
}
QString FileIO::readGioDataLat(int) {
    return QString();
}
QString FileIO::readGioDataLon(int) {
    return QString();
}
QString FileIO::readGiolongitude(int) {
    return QString();
}
float FileIO::readGioDataLat1(int) {
    return 0.0f;
}
float FileIO::readGioDataLon1() {
    return 0.0f;
}
int FileIO::readGioDataTime(int) {
    return 0;
}
QString FileIO::readGioDataInfo(int) {
    return QString();
}
QString FileIO::readCurrentSpeed(int, int) {
    return QString();
}
