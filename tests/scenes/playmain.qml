import QtQuick 2.12

// Loaded by scripts/check-bad-files.sh in place of the main scene: opens the
// main window on the file of the command line, as the viewer does for a file
// it is asked to open, and quits once its views have stopped, with one line
// saying how many, and how far they got or what the window told when they
// could not play.
QtObject {
    id: probe

    property var startupFiles: []
    property var refusedFiles: []
    property var win: null
    property bool started: false
    property bool failed: false
    property real reached: 0

    function child(item, name) {
        if (item.objectName === name)
            return item
        var kids = item.data !== undefined ? item.data : item.children
        for (var i = 0; kids !== undefined && i < kids.length; ++i) {
            var found = child(kids[i], name)
            if (found)
                return found
        }
        return null
    }

    property Connections large: Connections {
        target: probe.win ? probe.win.videoOut1 : null
        function onPlaybackStateChanged() {
            if (probe.win.videoOut1.playbackState === 1)
                probe.started = true
        }
        function onPositionChanged() {
            probe.reached = Math.max(probe.reached, probe.win.videoOut1.position)
        }
        function onFailed() {
            probe.failed = true
        }
    }

    // Once every view is stopped for good, after playing or failing.
    property Timer watch: Timer {
        interval: 100
        repeat: true
        running: probe.win !== null
        onTriggered: {
            var player = probe.win.videoOut1
            var views = probe.win.playersInUse()
            if (!(probe.started || probe.failed) ||
                    !views.every(function(v) { return probe.win.isStopped(v) }))
                return
            var notice = probe.child(probe.win, "notiPopup")
            if (probe.failed)
                console.log("playmain: " + views.length + " views stopped; the window says:",
                            notice.opened ? probe.child(probe.win, "notiPopuptxt").text : "nothing")
            else
                console.log("playmain: " + views.length + " views stopped after playing",
                            probe.reached, "of", player.duration, "ms")
            Qt.quit()
        }
    }

    Component.onCompleted: {
        if (startupFiles.length === 0) {
            console.log("playmain: refused", refusedFiles.join(" "))
            Qt.quit()
            return
        }
        var component = Qt.createComponent("qrc:/main.qml")
        if (component.status !== Component.Ready) {
            console.log("playmain: " + component.errorString())
            Qt.quit()
            return
        }
        win = component.createObject(null, { "startupFiles": startupFiles })
    }
}
