#pragma once

#include <QString>

namespace velmora {

// Writes a small card folder: the five category folders, a config.txt in
// the camera's byte form and a few short recordings with real HEVC pictures
// and a plausible drive (ffmpeg encodes the pictures on first use). Existing
// files are left alone. Returns an empty text on success, otherwise what went
// wrong. Without ffmpeg (and no clips encoded before) the card gets no
// recordings, and *warning says so.
QString makeDemoCard(const QString &dir, QString *warning = nullptr);

} // namespace velmora
