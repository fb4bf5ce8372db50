#pragma once

#include <QString>

namespace velmora {

// Writes a small card folder: the five category folders, a config.txt in
// the camera's byte form and ten recordings with real HEVC pictures (encoded
// on first use and kept in the clip cache): a city trip in consecutive Drive
// clips with the impact that ends it in DriveEvent, a parked car and its
// knock, a manual clip and a drive south of the equator, west of Greenwich.
// Existing files are left alone. Returns an empty text on success, otherwise
// what went wrong.
QString makeDemoCard(const QString &dir);

} // namespace velmora
