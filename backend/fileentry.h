#pragma once

#include <QString>

namespace velmora {

// One catalogued recording.
struct FileEntry {
    QString fileName; // name with extension
    QString fileInfo; // date text "yyyy-MM-dd hh:mm"
    QString filePath; // full path, "/" as separator
};

} // namespace velmora
