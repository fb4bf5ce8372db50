import QtQuick 2.12
import QtTest 1.2
import "qrc:/report.js" as Rules

// The report's texts of a moment: its date and time, and the sensor reading.
TestCase {
    name: "ReportRules"

    function test_dateIsTheStartPlusThePlayedSeconds_data() {
        return [
            { tag: "seconds played", name: "R_20261206_081512_T_N", ms: 15999, date: "2026-12-06 08:15:27" },
            { tag: "over midnight and a year", name: "R_20261231_235950_D_E", ms: 12000, date: "2027-01-01 00:00:02" },
            { tag: "leap day", name: "R_20280228_235959_S_N", ms: 1000, date: "2028-02-29 00:00:00" },
            { tag: "no date in the name", name: "clip_T_N", ms: 5000, date: "ip_T_N" },
            { tag: "no such day", name: "R_20260231_081512_T_N", ms: 0, date: "20260231_0" },
            { tag: "no such hour", name: "R_20261206_251512_T_N", ms: 0, date: "20261206_2" },
        ]
    }
    function test_dateIsTheStartPlusThePlayedSeconds(data) {
        compare(Rules.momentDate(data.name, data.ms), data.date)
    }

    // Samples arrive as single-precision floats: 0.7 g must not read 0.6999.
    function test_sensorReadingOfTheMoment() {
        compare(Rules.sensorText(Math.fround(0.7), Math.fround(-0.01234), 1),
                "X:0.7   Y:-0.0124   Z:1")
        // Of 60 samples over 2 s: the middle, and the end reads the last one.
        compare([Rules.sampleIndex(1000, 2000, 60), Rules.sampleIndex(2500, 2000, 60),
                 Rules.sampleIndex(0, 2000, 0)], [30, 59, -1])
        compare(Rules.selectedChannels([1, 0, 1]), [0, 2])
        compare(Rules.fileUrl("/a b/100%/c#1"), "file:///a%20b/100%25/c%231")
    }
}
