import QtQuick 2.12

// Loaded by the viewer in place of its main scene (scripts/soak-player.sh):
// opens the main window on the recordings named on the command line (oldest
// first), which plays the first and goes on to the next at the end of each.
// Every clip is sought to 1.5 s before its end once its first picture is on
// the screen; after the newest, the oldest is started again as a double click
// in the list would. Prints "soak: N recordings" when the N-th recording shows
// its first picture (the script reads the process's memory, files and
// threads at the counts it wants), and goes on playing until it is stopped.
QtObject {
    id: probe

    property var startupFiles: []
    property var refusedFiles: []
    property var win: null
    property int shown: 0
    property string shownSource: ""

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

    function nearTheEnd() {
        var players = win.playersInUse()
        var to = Math.max(0, win.videoOut1.duration - 1500)
        for (var i = 0; i < players.length; ++i)
            players[i].seek(to)
    }

    property Connections playerWatch: Connections {
        target: probe.win ? probe.win.videoOut1 : null
        function onFrameReady() {
            var player = probe.win.videoOut1
            var source = player.source.toString()
            if (player.playbackState !== 1 || source === probe.shownSource)
                return
            probe.shownSource = source
            probe.shown += 1
            console.log("soak: " + probe.shown + " recordings")
            probe.nearTheEnd()
        }
        // Past the newest the list stops: start again from the oldest.
        function onPlaybackStateChanged() {
            if (probe.win.videoOut1.playbackState === 0)
                restart.restart()
        }
    }

    // Once the window has handled the stop, as a later click would come.
    property Timer restart: Timer {
        interval: 500
        onTriggered: {
            if (probe.win.videoPlayListCurIdx >= 0 || !probe.win.isStopped(probe.win.videoOut1))
                return
            var count = probe.win.videoPlayListCount
            probe.child(probe.win, "listActions").listPlayDBClick(probe.win.videoPlayListKind,
                                                                  count - 1, count)
        }
    }

    Component.onCompleted: {
        var component = Qt.createComponent("qrc:/main.qml")
        if (component.status !== Component.Ready) {
            console.log("soak: " + component.errorString())
            Qt.quit()
            return
        }
        win = component.createObject(null, { "startupFiles": startupFiles })
    }
}
