// Not built yet: each operation gives the neutral answer ("", 0, -1 or
// nothing) so the scenes can already be written against the whole interface.
#include "fileio.h"

void FileIO::setSecret(QString) {}
QString FileIO::read() {
    return QString();
}
bool FileIO::write(QString) {
    return false;
}
void FileIO::readConfig() {}
void FileIO::writeConfig() {}
