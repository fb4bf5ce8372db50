.pragma library
.import "playercontrol.js" as Control

// The rules of "Share clip" that need no item: the range it proposes, the
// range it asks for, and the name it proposes. Ranges are whole seconds.

// The last second a range can end on: the clip's length, rounded up.
function lastSecond(durationMs) {
    return Math.max(1, Math.ceil(durationMs / 1000))
}

// 10 s before to 5 s after the second at `positionMs`, within the clip.
function defaultRange(positionMs, durationMs) {
    var last = lastSecond(durationMs)
    var at = Math.min(Math.floor(Math.max(positionMs, 0) / 1000), last - 1)
    return { "from": Math.max(0, at - 10), "to": Math.min(last, at + 5) }
}

// What the export is asked for, in ms: the whole clip is 0 to -1 (its end);
// a range never ends past the clip.
function rangeMs(whole, from, to, durationMs) {
    if (whole)
        return { "from": 0, "to": -1 }
    return { "from": from * 1000, "to": Math.min(to * 1000, durationMs) }
}

// A range the export can write: it starts before it ends, within the clip.
function validRange(from, to, durationMs) {
    return from >= 0 && to > from && to <= lastSecond(durationMs)
}

// "<recording>_<from>-<to>.mp4"; the whole clip is 0 to its length.
function fileName(recording, whole, from, to, durationMs) {
    if (whole) {
        from = 0
        to = Math.round(durationMs / 1000)
    }
    return recording + "_" + from + "-" + to + ".mp4"
}

// The length of a written clip to the nearest second, as the seek bar shows
// times: a clip of 59 pictures at 30 a second is 00:02, not 00:01.
function lengthText(ms) {
    return Control.clockText(Math.round(ms / 1000) * 1000)
}
