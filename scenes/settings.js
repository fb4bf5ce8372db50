.pragma library

// Rules of the camera's settings pages: what a control shows for a stored
// value, and what it stores for a user's move.

// The camera's time zones, by the index config.txt stores: 12 minus the
// offset from UTC in hours.
var timeZones = [
    "+12   KAMCHATKA", "+11   SOLOMON", "+10   GUAM", "+09   SEOUL, TOKYO", "+08   CHINA",
    "+07   BANGKOK", "+06   BHUTAN", "+05   ISLAMABAD", "+04   BAKU", "+03   MOSCOW",
    "+02   CAIRO", "+01   ALGERIA", "         UTC", "-01   CAPE_VERDE", "-02   SOUTH_GEORGIA",
    "-03   BUENOS_AIRES", "-04   AST", "-05   EST", "-06   CST", "-07   MST", "-08   PST",
    "-09   ALASKA", "-10   HAWAII", "-11   MIDWAY", "-12   HOWLAND"
]

// The low-voltage cut-off's choices, by stored value.
var cutVoltages = ["11V", "11.7/23.7V", "11.9/23.9V", "12.0/24.0V", "12.1/24.1V", "12.3/24.3V"]

// The memory shares kept for parking recordings, by stored value.
var memoryShares = ["0%", "25%", "50%"]

function clamp(value, low, high) {
    return Math.min(high, Math.max(low, value))
}

// A switch is on for any stored value but 0, and stores 1 when on.
function switchValue(stored) {
    return stored !== 0 ? 1 : 0
}

// A stored radar sensitivity of 0 or less: the camera has no radar.
function hasRadar(stored) {
    return stored > 0
}

// A slider moved below `lowest` stores `lowest` (the radar's 0 stores 1).
function settledValue(moved, lowest) {
    return Math.max(lowest, Math.round(moved))
}

// The stored values the pages show differently, as they show them: ranges
// clamped, switches 0 or 1, a radar above its range at its top, the language
// "en" or "fr". Applied to `fileIO` at each opening of the screen, so that a
// save writes what the pages show, tabs opened or not. Returns the keys
// changed.
var ranges = [
    { key: "parking_mode", high: 2 }, { key: "cut_volt", high: 5 },
    { key: "gsensor_sensitivity", high: 5 }, { key: "motion_sensitivity", high: 3 },
    { key: "vol_speaker", high: 5 }, { key: "time_zone", high: 24 }, { key: "screen", high: 2 },
    { key: "gps_speed", high: 1 }
]
var switches = ["vol_mic", "time_manual", "time_dst", "security_led"]

function normalise(fileIO) {
    var changed = []
    function settle(key, value) {
        if (fileIO[key] !== value) {
            fileIO[key] = value
            changed.push(key)
        }
    }
    ranges.forEach(function(range) { settle(range.key, clamp(fileIO[range.key], 0, range.high)) })
    switches.forEach(function(key) { settle(key, switchValue(fileIO[key])) })
    if (hasRadar(fileIO.radar_sensitivity))
        settle("radar_sensitivity", clamp(fileIO.radar_sensitivity, 1, 3))
    // Any text but "fr" reads as English; it is written as "en".
    fileIO.lang = fileIO.lang
    return changed
}
