// Not built yet: each operation gives the neutral answer ("", 0, -1 or
// nothing) so the scenes can already be written against the whole interface.
#include "fileio.h"

QString FileIO::startExtraction(const QString &path) {
    return path;
}
QString FileIO::readfilepath(QString) {
    return QString();
}
int FileIO::readProcessState() {
    return m_ProcessState;
}
