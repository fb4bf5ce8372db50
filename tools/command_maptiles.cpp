// velmora-tool map-tiles DIR SOUTH WEST NORTH EAST [--zoom MIN-MAX]: offline
// tiles of a made-up street map for a box, named as the map view's offline
// folder wants them (VELMORA_MAP_OFFLINE_DIR).
#include "commands.h"
#include "maptiles.h"

#include <cstdio>

namespace velmora::tool {

namespace {

constexpr qint64 MaxTiles = 5000;
constexpr int DefaultMinZoom = 12;
constexpr int DefaultMaxZoom = 17;

const char Usage[] = "velmora-tool map-tiles DIR SOUTH WEST NORTH EAST [--zoom MIN-MAX]\n"
                     "  degrees, south and west negative; zoom 12-17 by default, 0 to 19;\n"
                     "  at most 5000 tiles";

int badArgument(const char *message, const QString &detail = QString()) {
    return refuseArguments("map-tiles", Usage, message, detail);
}

// "15-17" or "16"
bool parseZoom(const QString &text, int *minZoom, int *maxZoom) {
    const QStringList parts = text.split(QLatin1Char('-'));
    bool okMin = false, okMax = true;
    *minZoom = parts.first().toInt(&okMin);
    *maxZoom = parts.size() == 2 ? parts.last().toInt(&okMax) : *minZoom;
    return okMin && okMax && parts.size() <= 2 && *minZoom >= 0 && *minZoom <= *maxZoom &&
           *maxZoom <= demo::MaxTileZoom;
}

} // namespace

int mapTiles(const QStringList &args) {
    QStringList positional;
    QString zoomText;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--zoom")) {
            if (i + 1 >= args.size())
                return badArgument("--zoom needs a value");
            zoomText = args[++i];
        } else if (arg.startsWith(QLatin1String("--zoom="))) {
            zoomText = arg.mid(int(qstrlen("--zoom=")));
        } else if (arg.startsWith(QLatin1String("--"))) {
            return badArgument("unknown option", arg);
        } else {
            positional.append(arg); // "-33.9" is a southern latitude, not an option
        }
    }
    if (positional.size() != 5)
        return badArgument("give a folder and four coordinates");

    double bounds[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        bounds[i] = positional[i + 1].toDouble(&ok);
        const double limit = i % 2 == 0 ? 90.0 : 180.0;
        if (!ok || bounds[i] < -limit || bounds[i] > limit)
            return badArgument("not a latitude or longitude", positional[i + 1]);
    }
    const demo::GeoBox box{bounds[0], bounds[1], bounds[2], bounds[3]};
    if (box.south >= box.north || box.west >= box.east)
        return badArgument("the box needs SOUTH < NORTH and WEST < EAST");

    int minZoom = DefaultMinZoom, maxZoom = DefaultMaxZoom;
    if (!zoomText.isNull() && !parseZoom(zoomText, &minZoom, &maxZoom))
        return badArgument("--zoom must be MIN-MAX within 0-19", zoomText);
    const qint64 count = demo::countTiles(box, minZoom, maxZoom);
    if (count > MaxTiles)
        return badArgument("too many tiles; narrow the box or the zoom range",
                           QString::number(count));

    const QString &dir = positional.first();
    const QString error = demo::writeMapTiles(dir, demo::tilesCovering(box, minZoom, maxZoom));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "velmora-tool map-tiles: %s\n", qPrintable(error));
        return Failure;
    }
    std::printf("%lld tiles (zoom %d-%d) written to %s\n", count, minZoom, maxZoom,
                qPrintable(dir));
    return Success;
}

} // namespace velmora::tool
