import QtQuick 2.12
import QtQuick.Controls 2.12
import "playercontrol.js" as Control

// The save pop-up while the checked recordings are copied: the files and
// megabytes done, the time left, and Cancel, which stops in the current file
// (its partial copy is removed). The window's notice tells what was copied.
// The time left and Cancel read as in the share dialog and the notices.
Popup {
    id: box

    // FileIO: copyProgress and fileSaveCancel.
    required property var fileIO

    property int filesDone: 0
    property int filesTotal: 0
    property real bytesDone: 0
    property real bytesTotal: 0
    property bool cancelled: false
    property real startedAt: 0
    // -1 until there is enough to tell.
    readonly property int secondsLeft: {
        var elapsed = (Date.now() - startedAt) / 1000
        if (bytesDone <= 0 || bytesTotal <= 0 || elapsed <= 0)
            return -1
        return Math.round(elapsed * (bytesTotal - bytesDone) / bytesDone)
    }

    function begin() {
        filesDone = 0
        filesTotal = 0
        bytesDone = 0
        bytesTotal = 0
        cancelled = false
        startedAt = Date.now()
        open()
    }

    function megabytes(bytes) {
        return (bytes / 1048576).toFixed(1)
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 360
    height: 170
    modal: true
    closePolicy: Popup.NoAutoClose
    padding: 0
    background: Rectangle {
        color: Theme.background
        border.width: 2
        border.color: Theme.boxBorder
    }

    Connections {
        target: box.fileIO
        function onCopyProgress(filesDone, filesTotal, bytesDone, bytesTotal) {
            box.filesDone = filesDone
            box.filesTotal = filesTotal
            box.bytesDone = bytesDone
            box.bytesTotal = bytesTotal
        }
    }

    Text {
        x: 20
        y: 15
        width: parent.width - 40
        text: box.cancelled ? qsTr("Cancelling…") : qsTr("Saving recordings")
        color: Theme.accent
        font.family: Theme.fontBold.name
        font.pointSize: Theme.noticePoints
    }
    Rectangle {
        id: track
        x: 20
        y: 50
        width: parent.width - 40
        height: 12
        radius: 6
        color: Theme.buttonFace
        Rectangle {
            objectName: "copyProgressBar"
            width: box.bytesTotal > 0 ? parent.width * box.bytesDone / box.bytesTotal : 0
            height: parent.height
            radius: parent.radius
            color: Theme.accent
        }
    }
    Text {
        objectName: "copyFiles"
        x: track.x
        y: track.y + 25
        text: qsTr("%1 of %2 files").arg(box.filesDone).arg(box.filesTotal)
        color: Theme.text
        font.family: Theme.fontRegular.name
        font.pixelSize: Theme.fontBody
    }
    Text {
        x: track.x + track.width - width
        y: track.y + 25
        text: qsTr("%1 of %2 MB").arg(box.megabytes(box.bytesDone)).arg(box.megabytes(box.bytesTotal))
        color: Theme.text
        font.family: Theme.fontRegular.name
        font.pixelSize: Theme.fontBody
    }
    Text {
        objectName: "copyTimeLeft"
        x: track.x
        y: track.y + 50
        text: box.secondsLeft >= 0
              ? qsTranslate("ShareDialog", "About %1 left").arg(Control.clockText(box.secondsLeft * 1000))
              : qsTranslate("ShareDialog", "Starting…")
        color: Theme.text
        font.family: Theme.fontRegular.name
        font.pixelSize: Theme.fontBody
    }
    DialogButton {
        objectName: "copyCancel"
        anchors.horizontalCenter: parent.horizontalCenter
        y: box.height - 40
        enabled: !box.cancelled
        label: qsTranslate("main", "Cancel")
        onClicked: {
            box.cancelled = true
            box.fileIO.fileSaveCancel()
        }
    }
}
