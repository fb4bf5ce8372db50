.pragma library

// The rules of the channel players that do not depend on any layout: the
// picture per track, rotation, the channel layouts, zoom and pan arithmetic,
// seek bounds and the time labels. The in-window large view and the
// full-screen player both use them.

var zoomStep = 0.7
var zoomMin = 1.0
var zoomMax = 3.0
// A panned region stays this many frame pixels inside the frame's edges.
var panMargin = 10
var skipMs = 3000
// The playback speeds the keys step through.
var speeds = [0.25, 0.5, 1, 1.5, 2, 4]

// Track 0 (front) is shown as recorded; the other cameras' pictures are
// turned by 180 and flipped, which together mirror them left to right.
function defaultOrientation(track) {
    return track === 0 ? 0 : 180
}

function defaultVflip(track) {
    return track !== 0
}

// Orientation after the rotation button has reached `step` (0..3).
function rotationOrientation(step, track) {
    var front = [0, 270, 180, 90]
    var other = [180, 270, 0, 90]
    return (track === 0 ? front : other)[((step % 4) + 4) % 4]
}

// Tracks of [large view, second view, third view] for a channel count and
// layout position; -1 leaves a view as it is.
function channelTracks(channels, viewPos) {
    if (channels === 3)
        return [[0, 1, 2], [1, 2, 0], [2, 0, 1]][viewPos % 3]
    if (channels === 2)
        return viewPos === 1 ? [1, 0, -1] : [0, 1, -1]
    return [-1, -1, -1]
}

function nextViewPos(channels, viewPos) {
    if (channels === 3)
        return (viewPos + 1) % 3
    if (channels === 2)
        return viewPos + 1 > 1 ? 0 : viewPos + 1
    return viewPos
}

// True when the tracks the views hold cannot all be shown from a recording
// with `channels` channels (a layout carried over from a larger recording).
function layoutExceeds(channels, tracks) {
    var used = Math.min(Math.max(channels, 1), 3)
    for (var i = 0; i < used; ++i) {
        if (tracks[i] >= channels)
            return true
    }
    return false
}

// The next zoom step; the steps are kept to one decimal (1.7, not
// 1.7000000000000002).
function nextZoom(zoom, plus) {
    var next = plus ? Math.min(zoom + zoomStep, zoomMax) : Math.max(zoom - zoomStep, zoomMin)
    return Math.round(next * 10) / 10
}

function clamp(value, low, high) {
    return Math.min(Math.max(value, low), high)
}

// The region of the frame shown at `zoom` so that the frame point `fp`
// stays where it is in the view.
function zoomRegion(fp, zoom, frameWidth, frameHeight) {
    var fx = clamp(fp.x, 0, frameWidth)
    var fy = clamp(fp.y, 0, frameHeight)
    return {
        "x": fx - fx / zoom,
        "y": fy - fy / zoom,
        "width": frameWidth / zoom,
        "height": frameHeight / zoom
    }
}

// One pan step: the region `origin` (x, y, width, height) moved by the
// mouse movement (dx, dy) in view pixels. The mirrored tracks move the
// other way horizontally. A coordinate that would bring the region's far
// edge within the margin keeps its value; one below the margin becomes it.
function panRegion(origin, dx, dy, track, frameWidth, frameHeight) {
    var x = track === 0 ? origin.x - dx : origin.x + dx
    var y = origin.y - dy
    if (x + origin.width > frameWidth - panMargin)
        x = origin.x
    if (x < panMargin)
        x = panMargin
    if (y + origin.height > frameHeight - panMargin)
        y = origin.y
    if (y < panMargin)
        y = panMargin
    return { "x": x, "y": y, "width": origin.width, "height": origin.height }
}

function rewindTarget(position) {
    return Math.max(position - skipMs, 0)
}

function forwardTarget(position, playDuration) {
    return Math.min(position + skipMs, playDuration)
}

// The next speed up or down from `rate`; the ends of the list hold.
function nextSpeed(rate, up) {
    var i = speeds.indexOf(rate)
    if (i < 0)
        return 1
    return speeds[clamp(i + (up ? 1 : -1), 0, speeds.length - 1)]
}

// The speed as the toolbar shows it, or nothing at normal speed.
function speedText(rate) {
    return rate === 1 ? "" : "\u00d7" + rate
}

function seekBarTarget(x, barWidth, playDuration) {
    if (barWidth <= 0)
        return 0
    return Math.round(playDuration * clamp(x / barWidth, 0, 1))
}

// Minutes (modulo 60) and seconds, two digits each.
function clockText(ms) {
    var seconds = Math.floor(Math.max(ms, 0) / 1000)
    var minutes = Math.floor(seconds / 60) % 60
    seconds = seconds % 60
    return (minutes < 10 ? "0" : "") + minutes + ":" + (seconds < 10 ? "0" : "") + seconds
}
