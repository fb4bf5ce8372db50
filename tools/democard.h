#pragma once

#include <QString>

namespace velmora {

// Writes a small card folder: the five category folders and a config.txt in
// the camera's byte form. Existing files are left alone. Returns an empty
// text on success, otherwise what went wrong.
QString makeDemoCard(const QString &dir);

} // namespace velmora
