#pragma once

// Offline map tiles for the map view's tests and the demo pictures: a made-up
// town of streets, blocks and parks, drawn in world pixel coordinates so that
// neighbouring tiles and zoom levels agree. The same tile always comes out
// the same; each carries a small "DEMO" mark in a corner.
//
// The files are named as the osm geoservice plugin looks them up in its
// offline folder (osm.mapping.offline.directory) for its custom map type.
#include <QColor>
#include <QImage>
#include <QString>
#include <QVector>

namespace velmora::demo {

// The map id of the osm plugin's custom map type (the one added by
// osm.mapping.custom.host): the eighth of its map types.
constexpr int CustomMapId = 8;
constexpr int TileSize = 256;
constexpr int MaxTileZoom = 19;

struct GeoBox {
    double south = 0;
    double west = 0;
    double north = 0;
    double east = 0;
};

struct TileKey {
    int zoom = 0;
    int x = 0;
    int y = 0;
};

// The colours a drawn tile is made of, for checks of a grabbed map.
struct TilePalette {
    static const QColor ground;
    static const QColor block;
    static const QColor building;
    static const QColor park;
    static const QColor street;
    static const QColor mainStreet;
    static const QColor avenue;
};

// Slippy-map tile numbers of a point (Web Mercator, latitudes clamped to the
// projection's ±85.0511°).
int tileColumn(double longitude, int zoom);
int tileRow(double latitude, int zoom);

// How many tiles cover the box at the zooms minZoom..maxZoom; cheap for any
// box, so a request can be refused before anything is listed.
qint64 countTiles(const GeoBox &box, int minZoom, int maxZoom);
QVector<TileKey> tilesCovering(const GeoBox &box, int minZoom, int maxZoom);

// "osm_100-l-8-Z-X-Y.png"
QString offlineTileName(const TileKey &tile);
QImage drawTile(const TileKey &tile);

// Writes the tiles into dir (made if missing), each through a temporary
// file. Returns an empty text on success, otherwise what went wrong.
QString writeMapTiles(const QString &dir, const QVector<TileKey> &tiles);

} // namespace velmora::demo
