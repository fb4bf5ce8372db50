.pragma library
.import "graph.js" as Graph

// The texts of the report screen that need no item: the moment's date and
// time, the sensor reading, and the channels of a save.

function twoDigits(n) {
    return (n < 10 ? "0" : "") + n
}

// The date and time of the moment: the start time in a name such as
// R_20261206_081512_T_N plus the playing position in whole seconds, as
// "2026-12-06 08:15:27". A name without a valid start time gives its ten
// characters from index 2, as the report has always shown.
function momentDate(name, positionMs) {
    var m = /^..(\d{4})(\d{2})(\d{2})_(\d{2})(\d{2})(\d{2})/.exec(name)
    var fallback = name.substr(2, 10)
    if (!m)
        return fallback
    var f = m.slice(1).map(Number)
    // In UTC, so that no daylight-saving change of the viewer's zone moves it.
    var start = new Date(Date.UTC(f[0], f[1] - 1, f[2], f[3], f[4], f[5]))
    if (start.getUTCMonth() !== f[1] - 1 || start.getUTCDate() !== f[2] || f[3] > 23
            || f[4] > 59 || f[5] > 59)
        return fallback
    var t = new Date(start.getTime() + Math.floor(Math.max(positionMs, 0) / 1000) * 1000)
    return t.getUTCFullYear() + "-" + twoDigits(t.getUTCMonth() + 1) + "-"
            + twoDigits(t.getUTCDate()) + " " + twoDigits(t.getUTCHours()) + ":"
            + twoDigits(t.getUTCMinutes()) + ":" + twoDigits(t.getUTCSeconds())
}

// The sample of `count` that the position reads; the end reads the last one.
function sampleIndex(positionMs, durationMs, count) {
    return Graph.indexAt(Graph.playedFraction(positionMs, durationMs), count)
}

// "X:x   Y:y   Z:z", each value written as the graph writes it.
function sensorText(x, y, z) {
    return ["X:" + Graph.valueText(x), "Y:" + Graph.valueText(y), "Z:" + Graph.valueText(z)]
            .join("   ")
}

// The channels flagged in `flags` (one 0/1 per channel), in order.
function selectedChannels(flags) {
    var channels = []
    for (var i = 0; i < flags.length; ++i) {
        if (flags[i])
            channels.push(i)
    }
    return channels
}

// A local path as a file URL, each part escaped ("#", "%", spaces).
function fileUrl(path) {
    return "file://" + path.split("/").map(encodeURIComponent).join("/")
}
