#pragma once

#include <QString>

namespace velmora {

// Writes a small card folder: the five category folders, a config.txt in
// the camera's byte form and a few short recordings with real HEVC pictures
// and a plausible drive (the pictures are encoded on first use and kept in
// the clip cache). Existing files are left alone. Returns an empty text on
// success, otherwise what went wrong.
QString makeDemoCard(const QString &dir);

} // namespace velmora
