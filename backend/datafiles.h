#pragma once

#include <QString>

namespace velmora {

// The viewer's own data files (translation catalogues, default settings)
// lie beside the executable in a build tree or a portable copy, and in
// ../share/velmora-viewer/ beside it once installed.
//
// The folder that holds `fileName`: the executable's folder when the file
// lies there, else the installed data folder (with `subfolder` appended)
// when it lies there, else the executable's folder.
QString programDataFolder(const QString &fileName, const QString &subfolder = QString());

// The installed data folder, whether or not it exists.
QString installedDataFolder();

} // namespace velmora
