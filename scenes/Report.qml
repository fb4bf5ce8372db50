import QtQuick 2.12

// Placeholder for the report screen: filled in later. Until then it only
// takes the loading cover away again after the report screen's own wait,
// so that the window is not left covered after the Report menu entry.
Item {
    id: report

    Timer {
        id: updateTimer
        interval: 3000
        onTriggered: loadingPopup.close()
    }

    Connections {
        target: mainWin
        function onSetValue(fFilename, rFilename, sFilename) {
            updateTimer.restart()
        }
    }
}
