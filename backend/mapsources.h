#pragma once

#include "settingsvalues.h"

#include <QString>

namespace velmora {

// Where the map gets its tiles. The environment overrides the settings file:
// VELMORA_MAP_TILE_URL (even when empty), VELMORA_MAP_OFFLINE_DIR and
// VELMORA_MAP_CACHE_DIR.
struct MapSources {
    QString tileUrl;    // online tiles; empty: none, the offline folder alone
    QString offlineDir; // tiles kept for use without a network; may be empty
    QString cacheDir;   // where downloaded tiles are cached
};

MapSources mapSources(const ViewerSettings &settings);

} // namespace velmora
