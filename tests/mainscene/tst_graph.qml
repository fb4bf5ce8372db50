import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0
import "qrc:/graph.js" as Graph

// The sensor graph: its arithmetic, a graph over stand-in samples, and the
// window's graph over a recording with a collision.
MainTestCase {
    name: "Graph"

    // 6 s at 30 frames a second; the shock at 4 s.
    readonly property string crash: "R_20261206_100000_D_E"

    // Every sample: 1 g on x, a little below 0 on y, a float's 0.7 on z.
    property var sensor: QtObject {
        function readPOICnt() { return 60 }
        function readMagneticDataX(i) { return 1.0 }
        function readMagneticDataY(i) { return Math.fround(-0.01234) }
        function readMagneticDataZ(i) { return Math.fround(0.7) }
        function readPeakIndex() { return 15 }
    }
    property var player: Item {
        property real position: 0
        function isStopped() { return false }
    }

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: crash + ".avi", channels: 2, seconds: 6, impactFrame: 120 },
        ])
        verify(card !== "", "the card could not be written")
    }

    // A graph of the stand-in samples over the window's cells.
    function standInGraph(height) {
        var graph = Qt.createComponent("qrc:/GraphViewer.qml").createObject(
                    win.contentItem, { "fileIO": sensor, "player": player, "playDuration": 2000,
                                       "width": 300, "height": height, "z": 100 })
        verify(graph, "no graph")
        graph.refresh()
        return graph
    }

    // The row of column x where the X curve (red, unlike the grid, the
    // labels and the other curves) is strongest; -1 where it is not drawn.
    function rowOfXCurve(graph, x) {
        var cell = findChild(graph, "graphCell"), image = grabImage(cell), best = -1, most = 40
        for (var y = 0; y < cell.height; ++y) {
            if (image.red(x, y) - image.green(x, y) > most) {
                best = y
                most = image.red(x, y) - image.green(x, y)
            }
        }
        return best
    }

    // A sample arrives as a single-precision float.
    function test_valuesAreCutToFourDecimals() {
        compare([Math.fround(0.7), Math.fround(-0.7), -0.01234, 0.5].map(Graph.valueText),
                ["0.7", "-0.7", "-0.0124", "0.5"])
        compare([Graph.playedFraction(500, 0), Graph.indexAt(1, 1800), Graph.indexAt(0.5, 0)],
                [0, 1799, -1])
        compare([Graph.peakJumpTarget(0.01, 60000), Graph.peakJumpTarget(-1, 60000)], [0, -1])
        var graph = standInGraph(200)
        compare([findChild(graph, "legendY").text, findChild(graph, "legendZ").text],
                ["Y: -0.0124", "Z: 0.7"])
    }

    // The grid stretches with the cell, and so do the curves: 1 g is a quarter of it.
    function test_oneGStandsAQuarterAboveTheMiddle_data() {
        return [{ tag: "short cell", height: 200 }, { tag: "tall cell", height: 420 }]
    }
    function test_oneGStandsAQuarterAboveTheMiddle(data) {
        var graph = standInGraph(data.height), cell = findChild(graph, "graphCell")
        tryVerify(function() { return Math.abs(rowOfXCurve(graph, 150) - cell.height / 4) <= 1 },
                  5000, "1 g at row " + rowOfXCurve(graph, 150) + " of " + cell.height)
    }

    // A recording with a header duration clears the curves of the one before.
    function test_headerDurationRecordingLeavesTheCanvasEmpty() {
        var graph = standInGraph(200)
        tryVerify(function() { return rowOfXCurve(graph, 150) >= 0 }, 5000, "no curve drawn")
        graph.curDuration = 2
        graph.refresh()
        tryVerify(function() { return rowOfXCurve(graph, 150) < 0 }, 5000, "the old curve stays")
        compare([graph.drawPointCnt, findChild(graph, "legendX").text, graph.peakFraction],
                [60, qsTranslate("GraphViewer", "empty"), -1])
        compare([findChild(graph, "peakMarker").visible, findChild(graph, "progressLine").visible],
                [false, false])
    }

    function pausedAt(name) {
        playRecording(name)
        clickControl("play_pauseBtn")
        tryCompare(child("videoOut1"), "playbackState", MediaPlayer.PausedState)
    }

    // The marker on the graph and the tick on the seek bar stand at the
    // shock; the key I goes to two seconds before it.
    function test_peakIsMarkedAndReachedByKey() {
        pausedAt(crash)
        var graph = child("graphloader"), cell = child("graphCell"), v1 = child("videoOut1")
        compare(graph.peakIndex, 120)
        var marker = child("peakMarker"), tick = child("peakTick"), bar = child("progBG")
        compare([marker.visible, tick.visible, child("peakTick1").visible], [true, true, false])
        fuzzyCompare(marker.x + marker.width / 2, cell.width * 2 / 3, 1)
        fuzzyCompare(tick.x + tick.width / 2, bar.width * 2 / 3, 1)

        win.requestActivate()
        tryCompare(win, "active", true)
        keyClick(Qt.Key_I)
        tryVerify(function() { return Math.abs(v1.position - 2000) < 34 }, 5000,
                  "at " + v1.position)
    }

    // A click at three quarters of the graph moves every view there.
    function test_clickOnTheGraphSeeks() {
        pausedAt(crash)
        var cell = child("graphCell"), views = [child("videoOut1"), child("videoOut2")]
        mouseClick(cell, cell.width * 3 / 4, cell.height / 2)
        views.forEach(function(v) {
            tryVerify(function() { return v.position > 3000 }, 5000,
                      v.objectName + " at " + v.position)
        })
    }
}
