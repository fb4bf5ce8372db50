#include "maptiles.h"

#include <QDir>
#include <QPainter>
#include <QSaveFile>
#include <QtMath>
#include <cmath>

namespace velmora::demo {

const QColor TilePalette::ground(0xf2, 0xef, 0xe9);
const QColor TilePalette::block(0xe0, 0xdf, 0xdf);
const QColor TilePalette::building(0xd9, 0xd0, 0xc9);
const QColor TilePalette::park(0xc8, 0xfa, 0xcc);
const QColor TilePalette::street(0xff, 0xff, 0xff);
const QColor TilePalette::mainStreet(0xf7, 0xfa, 0xbf);
const QColor TilePalette::avenue(0xfc, 0xd6, 0xa4);

namespace {

constexpr double MaxLatitude = 85.0511287798;

// The town is laid out in pixels of zoom 17 (about a metre each): a street
// every BlockSpan, a main street every fourth, an avenue every sixteenth.
constexpr int LayoutZoom = 17;
constexpr double BlockSpan = 96.0;
constexpr int MainEvery = 4;
constexpr int AvenueEvery = 16;
// Lines closer than this on a tile are left out; blocks smaller than
// SmallestBlock are not drawn.
constexpr double SparsestLines = 10.0;
constexpr double SmallestBlock = 4.0;

const QColor Casing(0xbb, 0xbb, 0xbb);
const QColor ParkTree(0xad, 0xd1, 0x9e);
const QColor Mark(0xd6, 0xd0, 0xc4);

quint32 mix(qint64 a, qint64 b, quint32 salt) {
    quint32 h = quint32(a) * 2654435761u ^ quint32(b) * 40503u ^ salt * 0x9e3779b9u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}

// Street k along one axis (salt), in layout pixels: main streets and avenues
// run straight, the others wander a little.
double streetAt(qint64 k, quint32 salt) {
    const double base = double(k) * BlockSpan;
    if (k % MainEvery == 0)
        return base;
    return base + double(mix(k, 0, salt) % 31) - 15.0;
}

enum class Rank { Street, Main, Avenue };

Rank rankOf(qint64 k) {
    if (k % AvenueEvery == 0)
        return Rank::Avenue;
    return k % MainEvery == 0 ? Rank::Main : Rank::Street;
}

// Widths at the layout zoom: the fill, and the casing around it.
double widthOf(Rank rank) {
    switch (rank) {
    case Rank::Avenue:
        return 15.0;
    case Rank::Main:
        return 11.0;
    case Rank::Street:
        break;
    }
    return 7.0;
}

QColor colourOf(Rank rank) {
    switch (rank) {
    case Rank::Avenue:
        return TilePalette::avenue;
    case Rank::Main:
        return TilePalette::mainStreet;
    case Rank::Street:
        break;
    }
    return TilePalette::street;
}

// One tile's window onto the town: `scale` tile pixels per layout pixel,
// `origin` the tile's top-left corner in layout pixels.
struct View {
    double scale;
    QPointF origin;

    double toTileX(double layoutX) const { return (layoutX - origin.x()) * scale; }
    double toTileY(double layoutY) const { return (layoutY - origin.y()) * scale; }
    // The street indexes whose lines may touch the tile along one axis.
    std::pair<qint64, qint64> streets(double from) const {
        const double span = TileSize / scale;
        return {qint64(std::floor(from / BlockSpan)) - 1,
                qint64(std::ceil((from + span) / BlockSpan)) + 1};
    }
};

void drawBlocks(QPainter &p, const View &view) {
    const auto [firstX, lastX] = view.streets(view.origin.x());
    const auto [firstY, lastY] = view.streets(view.origin.y());
    const bool detailed = view.scale >= 0.5;
    for (qint64 i = firstX; i < lastX; ++i) {
        const double left = view.toTileX(streetAt(i, 1));
        const double right = view.toTileX(streetAt(i + 1, 1));
        for (qint64 j = firstY; j < lastY; ++j) {
            const double top = view.toTileY(streetAt(j, 2));
            const double bottom = view.toTileY(streetAt(j + 1, 2));
            const QRectF cell(left, top, right - left, bottom - top);
            const quint32 kind = mix(i, j, 3) % 100;
            if (kind < 9) {
                p.fillRect(cell, TilePalette::park);
                if (detailed) {
                    p.setBrush(ParkTree);
                    for (int t = 0; t < 5; ++t) {
                        const quint32 h = mix(i * 8 + t, j, 4);
                        const QPointF at(left + cell.width() * (0.15 + 0.7 * (h % 97) / 96.0),
                                         top + cell.height() * (0.15 + 0.7 * (h / 97 % 89) / 88.0));
                        p.drawEllipse(at, 5 * view.scale, 5 * view.scale);
                    }
                }
                continue;
            }
            if (kind < 55)
                p.fillRect(cell.adjusted(2, 2, -2, -2), TilePalette::block);
            if (!detailed)
                continue;
            // A few houses along the block's edges.
            p.setBrush(TilePalette::building);
            const double inset = 10 * view.scale, depth = 18 * view.scale;
            for (int h = 0; h < 3; ++h) {
                const quint32 r = mix(i * 4 + h, j, 5);
                const double w = (14 + r % 14) * view.scale;
                const double x = left + inset + (cell.width() - 2 * inset - w) * (h / 2.0);
                if (r % 5 != 0)
                    p.drawRect(QRectF(x, top + inset, w, depth));
                if (r % 7 != 0)
                    p.drawRect(QRectF(x, bottom - inset - depth, w, depth));
            }
        }
    }
}

void drawStreets(QPainter &p, const View &view) {
    // Avenues on top of main streets on top of streets; casings below all.
    const Rank ranks[] = {Rank::Street, Rank::Main, Rank::Avenue};
    const int every[] = {1, MainEvery, AvenueEvery};
    for (bool casing : {true, false}) {
        for (int r = 0; r < 3; ++r) {
            if (BlockSpan * every[r] * view.scale < SparsestLines)
                continue;
            const double width = std::max(1.0, widthOf(ranks[r]) * view.scale);
            p.setPen(QPen(casing ? Casing : colourOf(ranks[r]), casing ? width + 2 : width,
                          Qt::SolidLine, Qt::FlatCap));
            for (int axis = 0; axis < 2; ++axis) {
                const double from = axis == 0 ? view.origin.x() : view.origin.y();
                const auto [first, last] = view.streets(from);
                for (qint64 k = first; k <= last; ++k) {
                    if (rankOf(k) != ranks[r])
                        continue;
                    if (axis == 0) {
                        const double x = view.toTileX(streetAt(k, 1));
                        p.drawLine(QPointF(x, -8), QPointF(x, TileSize + 8));
                    } else {
                        const double y = view.toTileY(streetAt(k, 2));
                        p.drawLine(QPointF(-8, y), QPointF(TileSize + 8, y));
                    }
                }
            }
        }
    }
}

// "DEMO" in a 3 x 5 pixel face, so the mark needs no font.
void drawMark(QImage &image) {
    static const char *const Glyphs[4][5] = {
        {"XX.", "X.X", "X.X", "X.X", "XX."},
        {"XXX", "X..", "XX.", "X..", "XXX"},
        {"X.X", "XXX", "XXX", "X.X", "X.X"},
        {"XXX", "X.X", "X.X", "X.X", "XXX"},
    };
    const int left = TileSize - 4 * 4 - 3, top = TileSize - 5 - 3;
    for (int g = 0; g < 4; ++g) {
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (Glyphs[g][row][col] == 'X')
                    image.setPixelColor(left + g * 4 + col, top + row, Mark);
            }
        }
    }
}

} // namespace

int tileColumn(double longitude, int zoom) {
    const int n = 1 << zoom;
    return qBound(0, int(std::floor((longitude + 180.0) / 360.0 * n)), n - 1);
}

int tileRow(double latitude, int zoom) {
    const int n = 1 << zoom;
    const double phi = qDegreesToRadians(qBound(-MaxLatitude, latitude, MaxLatitude));
    const double y = (1.0 - std::log(std::tan(phi) + 1.0 / std::cos(phi)) / M_PI) / 2.0;
    return qBound(0, int(std::floor(y * n)), n - 1);
}

qint64 countTiles(const GeoBox &box, int minZoom, int maxZoom) {
    qint64 count = 0;
    for (int z = minZoom; z <= maxZoom; ++z)
        count += qint64(tileColumn(box.east, z) - tileColumn(box.west, z) + 1) *
                 (tileRow(box.south, z) - tileRow(box.north, z) + 1);
    return count;
}

QVector<TileKey> tilesCovering(const GeoBox &box, int minZoom, int maxZoom) {
    QVector<TileKey> tiles;
    for (int z = minZoom; z <= maxZoom; ++z) {
        for (int x = tileColumn(box.west, z); x <= tileColumn(box.east, z); ++x) {
            for (int y = tileRow(box.north, z); y <= tileRow(box.south, z); ++y)
                tiles.append({z, x, y});
        }
    }
    return tiles;
}

QString offlineTileName(const TileKey &tile) {
    return QStringLiteral("osm_100-l-%1-%2-%3-%4.png")
        .arg(CustomMapId)
        .arg(tile.zoom)
        .arg(tile.x)
        .arg(tile.y);
}

QImage drawTile(const TileKey &tile) {
    QImage image(TileSize, TileSize, QImage::Format_RGB32);
    image.fill(TilePalette::ground);
    const double scale = std::ldexp(1.0, tile.zoom - LayoutZoom);
    const View view{scale, QPointF(tile.x * TileSize / scale, tile.y * TileSize / scale)};
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        if (BlockSpan * scale >= SmallestBlock)
            drawBlocks(p, view);
        drawStreets(p, view);
    }
    drawMark(image);
    return image;
}

QString writeMapTiles(const QString &dir, const QVector<TileKey> &tiles) {
    if (!QDir().mkpath(dir))
        return QStringLiteral("cannot make the folder %1").arg(dir);
    for (const TileKey &tile : tiles) {
        QSaveFile file(QDir(dir).filePath(offlineTileName(tile)));
        if (!file.open(QIODevice::WriteOnly) || !drawTile(tile).save(&file, "PNG") ||
            !file.commit())
            return QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
    }
    return QString();
}

} // namespace velmora::demo
