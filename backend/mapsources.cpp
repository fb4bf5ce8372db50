#include "mapsources.h"

#include <QStandardPaths>

namespace velmora {

namespace {
QString fromEnvironment(const char *name, const QString &otherwise) {
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariable(name) : otherwise;
}
} // namespace

MapSources mapSources(const ViewerSettings &settings) {
    MapSources sources;
    sources.tileUrl = fromEnvironment("VELMORA_MAP_TILE_URL", settings.mapTileUrl).trimmed();
    // The tile path (z/x/y.png) is appended to the address as it stands.
    if (!sources.tileUrl.isEmpty() && !sources.tileUrl.endsWith(QLatin1Char('/')))
        sources.tileUrl += QLatin1Char('/');
    sources.offlineDir = fromEnvironment("VELMORA_MAP_OFFLINE_DIR", settings.mapOfflineDir);
    sources.cacheDir =
        fromEnvironment("VELMORA_MAP_CACHE_DIR",
                        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                            QStringLiteral("/velmora-viewer/tiles"));
    return sources;
}

} // namespace velmora
