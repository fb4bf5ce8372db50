// Not built yet: each operation gives the neutral answer ("", 0, -1 or
// nothing) so the scenes can already be written against the whole interface.
#include "fileio.h"

void FileIO::fileRemove() {}
void FileIO::fileRemove(int, int) {}
void FileIO::fileSave(int, int, QString) {}
void FileIO::fileSaveStart() {}
