import QtQuick 2.12
import QtTest 1.2
import "qrc:/share.js" as Rules

// The range Share clip proposes and asks for, and the name it proposes.
TestCase {
    name: "ShareRules"

    function test_rangeAroundThePosition_data() {
        return [
            { tag: "in the middle", at: 12000, length: 20000, from: 2, to: 17, toMs: 17000 },
            { tag: "near the start", at: 3500, length: 20000, from: 0, to: 8, toMs: 8000 },
            { tag: "near the end", at: 19500, length: 20000, from: 9, to: 20, toMs: 20000 },
            { tag: "a position past a header duration", at: 25000, length: 20000, from: 9, to: 20,
              toMs: 20000 },
            { tag: "the last second is a part", at: 1000, length: 2500, from: 0, to: 3, toMs: 2500 },
        ]
    }
    function test_rangeAroundThePosition(data) {
        var range = Rules.defaultRange(data.at, data.length)
        compare([range.from, range.to], [data.from, data.to])
        verify(Rules.validRange(range.from, range.to, data.length))
        compare(Rules.rangeMs(false, range.from, range.to, data.length),
                { "from": data.from * 1000, "to": data.toMs })
    }

    function test_wholeClipAndNames() {
        compare(Rules.rangeMs(true, 5, 7, 19967), { "from": 0, "to": -1 })
        compare(Rules.fileName("R_20261206_081512_T_N", false, 5, 20, 20000),
                "R_20261206_081512_T_N_5-20.mp4")
        compare(Rules.fileName("R_20261206_081512_T_N", true, 5, 7, 19967),
                "R_20261206_081512_T_N_0-20.mp4")
        verify(!Rules.validRange(7, 7, 20000) && !Rules.validRange(5, 21, 20000)
               && !Rules.validRange(NaN, 5, 20000))
        // 59 pictures at 30 a second.
        compare(Rules.lengthText(1966), "00:02")
    }
}
