.pragma library

// The arithmetic of the sensor graph: where a sample stands, which sample a
// playing position reads, and how a value is written in the legend.

// The grid spans -2 g (bottom edge) to +2 g (top edge) whatever the cell's
// height, so one g is a quarter of it.
var gridG = 2
var peakLeadMs = 2000

function pixelsPerG(height) {
    return height / (2 * gridG)
}

// Height in the cell of a sample of `value` g; positive values stand above
// the middle line.
function yOf(value, height) {
    return height / 2 - value * pixelsPerG(height)
}

// Left edge of sample `index` of `count` samples in a cell `width` wide.
function xOf(index, count, width) {
    return count > 0 ? width * index / count : 0
}

// Part of the recording played, 0..1; 0 while the duration is unknown.
function playedFraction(position, duration) {
    if (!(duration > 0))
        return 0
    return Math.min(Math.max(position, 0), duration) / duration
}

// The sample read at `fraction` of the recording; the end reads the last one.
function indexAt(fraction, count) {
    if (count <= 0)
        return -1
    return Math.max(0, Math.min(Math.floor(count * fraction), count - 1))
}

// A sensor value cut to four decimals, toward minus infinity. The value is
// first rounded to six decimals: a sample arrives as a single-precision
// float, and 0.7 g reads 0.699999988..., which is 0.7, not 0.6999.
function valueText(value) {
    var micro = Math.round(value * 1000000)
    return String(Math.floor(micro / 100) / 10000)
}

// Position of the peak sample, 0..1, or -1 when there is none.
function peakFraction(peak, count) {
    return peak >= 0 && count > 0 ? Math.min(peak / count, 1) : -1
}

// Where a jump to the peak lands: a little before it, so the lead-up shows.
// -1 when there is no peak.
function peakJumpTarget(fraction, playDuration) {
    if (fraction < 0 || !(playDuration > 0))
        return -1
    return Math.max(0, Math.round(fraction * playDuration) - peakLeadMs)
}
