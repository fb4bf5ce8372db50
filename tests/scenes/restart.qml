import QtQuick 2.12
import QtQuick.Window 2.12

// Restarts the viewer once. A marker file beside the scene tells the first
// run from the second: the first writes "restarting" and restarts, the
// second writes "restarted" and quits.
Window {
    visible: true
    width: 240
    height: 120

    function writeMarker(text, then) {
        var put = new XMLHttpRequest()
        put.onreadystatechange = function() {
            if (put.readyState === XMLHttpRequest.DONE)
                then()
        }
        put.open("PUT", Qt.resolvedUrl("restart-marker.txt"))
        put.send(text)
    }

    Timer {
        interval: 0
        running: true
        onTriggered: {
            var get = new XMLHttpRequest()
            get.onreadystatechange = function() {
                if (get.readyState !== XMLHttpRequest.DONE)
                    return
                if (get.responseText === "")
                    writeMarker("restarting", function() { commonFunc.WindowRestart = 0 })
                else
                    writeMarker("restarted", function() { Qt.quit() })
            }
            get.open("GET", Qt.resolvedUrl("restart-marker.txt"))
            get.send()
        }
    }
}
