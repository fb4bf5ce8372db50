// Not built yet: each operation gives the neutral answer ("", 0, -1 or
// nothing) so the scenes can already be written against the whole interface.
#include "fileio.h"

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
