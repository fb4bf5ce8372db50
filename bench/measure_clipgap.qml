import QtQuick 2.12

// Loaded by the viewer in place of its main scene (scripts/measure-clipgap.sh):
// opens the main window on the recordings named on the command line, which
// plays the first and goes on to the next at the end of each. Every clip is
// sought to 1.5 s before its end once its first picture is on the screen.
// Prints, for each change of clip, the time from the last picture of one
// clip on the screen to the first of the next, and where it went: from that
// last picture to the large view's stop, from the stop to the players'
// start, and from there to the first picture. Times are the window's
// frame swaps, so the figures hold for the software scene graph, which swaps
// on this thread.
QtObject {
    id: probe

    property var startupFiles: []
    property var refusedFiles: []
    property var win: null

    property string shownSource: ""
    property string waitingSource: ""
    property real lastSwap: -1
    property real stoppedAt: -1
    property real startedAt: -1
    property var gaps: []

    function report() {
        var sorted = gaps.slice().sort(function (a, b) { return a - b })
        console.log("clip gap: " + gaps.length + " changes of clip, median "
                    + sorted[Math.floor((sorted.length - 1) / 2)] + " ms, largest "
                    + sorted[sorted.length - 1] + " ms")
        Qt.quit()
    }

    function nearTheEnd() {
        var players = win.playersInUse()
        var to = Math.max(0, win.videoOut1.duration - 1500)
        for (var i = 0; i < players.length; ++i)
            players[i].seek(to)
    }

    property Connections playerWatch: Connections {
        target: probe.win ? probe.win.videoOut1 : null
        // Only pictures of a player that has opened its file count: a
        // stopping or loading core may ask for a redraw of nothing new.
        function onFrameReady() {
            var player = probe.win.videoOut1
            if (player.playbackState === 1)
                probe.waitingSource = player.source.toString()
        }
        function onPlaybackStateChanged() {
            if (probe.win.videoOut1.playbackState === 0)
                probe.stoppedAt = Date.now()
        }
        // The main window sets the source just before it starts the players.
        function onSourceChanged() {
            probe.startedAt = Date.now()
        }
    }

    property Connections windowWatch: Connections {
        target: probe.win
        function onFrameSwapped() {
            if (probe.waitingSource === "")
                return
            var source = probe.waitingSource
            probe.waitingSource = ""
            var now = Date.now()
            if (source !== probe.shownSource) {
                if (probe.shownSource !== "") {
                    var gap = now - probe.lastSwap
                    probe.gaps.push(gap)
                    console.log("clip gap: " + gap + " ms (last picture to stop "
                                + (probe.stoppedAt - probe.lastSwap) + " ms, stop to start "
                                + (probe.startedAt - probe.stoppedAt) + " ms, start to picture "
                                + (now - probe.startedAt) + " ms) into "
                                + source.substring(source.lastIndexOf("/") + 1))
                }
                probe.shownSource = source
                if (probe.gaps.length === probe.startupFiles.length - 1)
                    return probe.report()
                probe.nearTheEnd()
            }
            probe.lastSwap = now
        }
    }

    property Timer giveUp: Timer {
        interval: 120000
        running: true
        onTriggered: {
            console.log("clip gap: gave up after " + probe.gaps.length + " changes of clip")
            Qt.quit()
        }
    }

    Component.onCompleted: {
        var component = Qt.createComponent("qrc:/main.qml")
        if (component.status !== Component.Ready) {
            console.log("clip gap: " + component.errorString())
            Qt.quit()
            return
        }
        win = component.createObject(null, { "startupFiles": startupFiles })
    }
}
