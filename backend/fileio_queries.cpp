// The telemetry queries of the playing recording. They read the lists of the
// latest finished extraction; the sensor queries answer 0 until it is done.
#include "fileio.h"

velmora::TelemetryQueries &FileIO::queries() {
    m_queries.follow(telemetry());
    return m_queries;
}

int FileIO::readPOICnt() {
    return queries().sampleCount();
}
float FileIO::readMagneticDataX(int idx) {
    return queries().sampleX(idx, readProcessState());
}
float FileIO::readMagneticDataY(int idx) {
    return queries().sampleY(idx, readProcessState());
}
float FileIO::readMagneticDataZ(int idx) {
    return queries().sampleZ(idx, readProcessState());
}
int FileIO::readGioDataCnt() {
    return queries().gioCount();
}
QString FileIO::readGioDataLat(int idx) {
    return queries().gioLat(idx);
}
QString FileIO::readGioDataLon(int idx) {
    return queries().gioLon(idx);
}
QString FileIO::readGiolongitude(int idx) {
    return queries().gioEw(idx);
}
float FileIO::readGioDataLat1(int idx) {
    return queries().latitudeOfSecond(idx);
}
float FileIO::readGioDataLon1() {
    return queries().currentLongitude();
}
int FileIO::readGioDataTime(int idx) {
    return queries().gioTime(idx);
}
QString FileIO::readGioDataInfo(int runTime) {
    return queries().positionText(runTime, m_camera.gps_speed);
}
QString FileIO::readCurrentSpeed(int runTime, int speedUnit) {
    return queries().speedText(runTime, speedUnit);
}
