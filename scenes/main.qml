import QtQuick 2.12
import QtQuick.Window 2.12
import FileIO 1.0

// The main window. For now it finds the camera's cards and lists them; the
// players, the recording list and the menus take their places here.
Window {
    id: mainWin
    visible: true
    width: 960
    height: 600
    color: "#282828"
    title: "Velmora Viewer"

    FileIO {
        id: myFile
        source: "DASHCAM"
        onError: console.log("FileIO error:", msg)
    }

    Column {
        anchors.centerIn: parent
        spacing: 12

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            color: "white"
            font.pixelSize: 24
            font.bold: true
            text: "Velmora Viewer"
        }

        Repeater {
            id: cards
            model: myFile.getDriveCount()
            delegate: Text {
                anchors.horizontalCenter: parent.horizontalCenter
                color: "#939292"
                font.pixelSize: 16
                text: myFile.getDriveName(index) + "  " + myFile.getDrivePath(index)
            }
        }

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            visible: cards.count === 0
            color: "#e4562e"
            font.pixelSize: 16
            text: "No camera card found"
        }
    }
}
