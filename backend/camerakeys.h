#pragma once

#include "settingsvalues.h"

#include <QString>
#include <vector>

namespace velmora {

// One key of the camera's config.txt: its name, where the viewer keeps it,
// and the values the camera accepts.
struct CameraKey {
    enum Type { Integer, Text, Secret };

    const char *name;
    Type type;
    int minimum; // integer keys: the accepted range
    int maximum;
    int CameraSettings::*integer = nullptr;
    QString CameraSettings::*text = nullptr;

    QString valueText(const CameraSettings &settings) const;
    // Checks a value typed by a person against the key's range; on success
    // stores it. Returns an empty text, or why the value was refused.
    QString assign(CameraSettings &settings, const QString &value) const;
};

// The twenty keys in the order the viewer reads them.
const std::vector<CameraKey> &cameraKeys();
const CameraKey *findCameraKey(const QString &name); // letter case ignored

} // namespace velmora
