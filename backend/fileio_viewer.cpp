// Not built yet: each operation gives the neutral answer ("", 0, -1 or
// nothing) so the scenes can already be written against the whole interface.
#include "fileio.h"

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
