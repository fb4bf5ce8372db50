.pragma library

// The map's rules that need no item: which second the player is at, whether
// a record is a position, where the map follows the car, and what a track
// export writes.

// The formats of a track export, in the order of the save dialog's filters.
var trackFormats = ["gpx", "kml", "csv"]

// The second of the recording the player shows, or -1 at or past its end
// (position and duration in milliseconds).
function secondAt(position, duration) {
    if (!(position < duration))
        return -1
    return Math.floor(Math.min(position, duration) / 1000)
}

// A record of readGioPosition() or readGioTrack() as a position, or null
// when it carries none.
function positionOf(record) {
    if (!record || record.valid === false)
        return null
    var latitude = Number(record.latitude), longitude = Number(record.longitude)
    if (!isFinite(latitude) || !isFinite(longitude) || Math.abs(latitude) > 90
            || Math.abs(longitude) > 180)
        return null
    return { "latitude": latitude, "longitude": longitude }
}

// The positions of a track, in order; records without one are left out.
function trackPath(records) {
    var path = []
    for (var i = 0; i < (records ? records.length : 0); ++i) {
        var position = positionOf(records[i])
        if (position !== null)
            path.push(position)
    }
    return path
}

// The map moves with the car only while it follows and the car has a position.
function recentres(following, position) {
    return following && position !== null
}

// The host of the custom map type's tiles ("%z/%x/%y.png" is appended). With
// no tile address the map reads its offline folder alone: a file URL of a
// folder that does not exist answers every other tile with nothing, and
// nothing goes to the network.
function tileHost(tileUrl) {
    if (tileUrl === "")
        return "file:///nonexistent/velmora-viewer/no-online-tiles/"
    return tileUrl.charAt(tileUrl.length - 1) === "/" ? tileUrl : tileUrl + "/"
}

// The map type whose style is `style` (MapType.CustomMap), or null.
function mapTypeOfStyle(mapTypes, style) {
    for (var i = 0; i < mapTypes.length; ++i) {
        if (mapTypes[i].style === style)
            return mapTypes[i]
    }
    return null
}

// "gpx", "kml" or "csv" from a file name or URL, or "".
function formatOfName(name) {
    var match = /\.([A-Za-z]+)$/.exec(String(name))
    if (match === null)
        return ""
    var format = match[1].toLowerCase()
    return trackFormats.indexOf(format) >= 0 ? format : ""
}

// What a save dialog's answer writes: the format the chosen name's extension
// names, else that of the chosen filter (its index in trackFormats), whose
// extension the name then gets.
function exportTarget(url, filterIndex) {
    var target = String(url)
    var format = formatOfName(target)
    if (format !== "")
        return { "url": target, "format": format }
    format = trackFormats[filterIndex] || trackFormats[0]
    return { "url": target + "." + format, "format": format }
}
