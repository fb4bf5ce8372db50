import QtQuick 2.12
import QtQuick.Window 2.12
import VelmoraPlayer 1.0

// Loaded by scripts/check-bad-files.sh in place of the main scene: plays the
// first file of the command line in a Video element and quits once it has
// stopped, with one line saying how far it got.
Window {
    visible: true
    width: 320
    height: 180

    property var startupFiles: []
    property var refusedFiles: []
    property bool started: false
    property real reached: 0

    Video {
        id: video
        anchors.fill: parent
        onPositionChanged: reached = Math.max(reached, position)
        onStopped: {
            if (!started)
                return
            console.log("playfile: stopped (state " + playbackState + ") after playing",
                        reached, "of", duration, "ms")
            Qt.quit()
        }
    }

    Component.onCompleted: {
        if (startupFiles.length === 0) {
            console.log("playfile: refused", refusedFiles.join(" "))
            Qt.quit()
            return
        }
        started = true
        video.source = startupFiles[0]
        video.play()
    }
}
