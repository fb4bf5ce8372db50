// Not built yet: each operation gives the neutral answer ("", 0, -1 or
// nothing) so the scenes can already be written against the whole interface.
#include "fileio.h"

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
QString FileIO::readfilepath(int, int) {
    return QString();
}
