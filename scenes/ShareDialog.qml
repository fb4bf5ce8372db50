import QtQuick 2.12
import QtQuick.Controls 2.12
import Qt.labs.platform 1.1 as Platform
import FileIO 1.0
import "share.js" as Rules
import "report.js" as Paths
import "playercontrol.js" as Control

// "Share clip": asks for the stretch of the recording, the cameras and the
// caption, then for the file (on the desktop, named after the recording and
// the range), and writes it in the background with a progress bar and a
// Cancel button. The notice at the end tells what was written, or why
// nothing was.
Popup {
    id: share

    // FileIO: getDesktopPath and the speed unit (vspeedunit).
    required property var fileIO

    // The recording and moment of the last ask().
    property string fileName: ""
    property string filePath: ""
    property real durationMs: 0
    property bool whole: false
    property bool allCameras: true
    property bool caption: true
    // The name of the file being written.
    property string writing: ""

    readonly property alias job: job
    readonly property int fromSecond: parseInt(fromField.text, 10)
    readonly property int toSecond: parseInt(toField.text, 10)
    // The last whole second within the clip, for the seconds fields.
    readonly property int lastSecond: Rules.lastSecond(durationMs)
    readonly property bool rangeValid: whole || Rules.validRange(fromSecond, toSecond, durationMs)
    readonly property string defaultName: Rules.fileName(fileName, whole, fromSecond, toSecond,
                                                         durationMs)

    // Opens the dialog over the recording at `path`, its range around
    // `positionMs`.
    function ask(name, path, duration, positionMs) {
        if (job.running || path === "" || duration <= 0)
            return
        fileName = name
        filePath = path
        durationMs = duration
        var range = Rules.defaultRange(positionMs, duration)
        fromField.text = range.from
        toField.text = range.to
        whole = false
        open()
    }

    // The save dialog, on the desktop with the proposed name.
    function chooseFile() {
        var desktop = fileIO.getDesktopPath().replace(/\/$/, "")
        fileDialog.folder = Paths.fileUrl(desktop)
        fileDialog.currentFile = Paths.fileUrl(desktop + "/" + defaultName)
        fileDialog.open()
    }

    // Writes the chosen range to `url` (a file URL or a path).
    function saveTo(url) {
        var range = Rules.rangeMs(whole, fromSecond, toSecond, durationMs)
        var text = url.toString()
        writing = text.substring(text.lastIndexOf("/") + 1)
        if (text.indexOf("file:") === 0)
            writing = decodeURIComponent(writing)
        job.start(filePath, url.toString(), range.from, range.to, allCameras, caption,
                  fileIO.vspeedunit)
    }

    // `output` is the path the job wrote, or would have.
    function ended(status, message, output) {
        var outputName = output.substring(output.lastIndexOf("/") + 1)
        close()
        if (status === ShareClipJob.Written)
            notice.message.text = qsTr("Saved %1\n%2 × %3 pixels, %4 long").arg(outputName)
                    .arg(job.writtenSize.width).arg(job.writtenSize.height)
                    .arg(Rules.lengthText(job.writtenMs))
        else if (status === ShareClipJob.Cancelled)
            notice.message.text = qsTr("Cancelled: nothing was written")
        else
            notice.message.text = qsTr("The clip could not be saved: %1").arg(message)
        console.log(Log.scenes, "share notice ===> " + notice.message.text)
        notice.open()
    }

    parent: Overlay.overlay
    x: 0
    y: 0
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    padding: 0
    modal: true
    closePolicy: Popup.NoAutoClose
    background: Rectangle {
        color: Theme.backdrop
        opacity: 0.6
    }

    // A whole number of seconds within the clip.
    component SecondsField: TextField {
        width: 70
        height: 40
        horizontalAlignment: Text.AlignHCenter
        color: Theme.text
        selectByMouse: true
        validator: IntValidator {
            bottom: 0
            top: share.lastSecond
        }
        font.family: Theme.fontRegular.name
        font.pointSize: Theme.fieldPoints
        background: Rectangle {
            color: Theme.inputBackground
            radius: 2
        }
    }
    component Unit: Text {
        height: 40
        verticalAlignment: Text.AlignVCenter
        color: Theme.text
        font.family: Theme.fontRegular.name
        font.pointSize: Theme.optionPoints
    }

    ShareClipJob {
        id: job
        onFinished: share.ended(status, message, output)
    }

    Image {
        id: panel
        objectName: "sharePanel"
        anchors.centerIn: parent
        width: 620
        // The progress needs less room than the choice.
        height: job.running ? 380 : 500
        source: "qrc:/images/settings-panel.png"

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            y: 40
            text: qsTr("Share clip")
            color: Theme.text
            font.family: Theme.fontBold.name
            font.pointSize: Theme.settingTitlePoints
        }
        Text {
            objectName: "shareRecording"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 90
            width: parent.width - 80
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideMiddle
            text: share.fileName
            color: Theme.textSecondary
            font.family: Theme.fontRegular.name
            font.pixelSize: Theme.fontBody
        }

        // ---- the choice -----------------------------------------------------

        Item {
            anchors.fill: parent
            visible: !job.running

            Repeater {
                model: [qsTr("Range"), qsTr("Cameras"), qsTr("Caption")]
                Text {
                    x: 60
                    y: [140, 280, 350][index]
                    width: 140
                    height: 40
                    verticalAlignment: Text.AlignVCenter
                    text: modelData
                    color: Theme.text
                    elide: Text.ElideRight
                    font.family: Theme.fontRegular.name
                    font.pointSize: Theme.settingLabelPoints
                }
            }
            SettingOptions {
                x: 210
                y: 140
                namePrefix: "shareRange"
                labels: [qsTr("From – to"), qsTr("Whole clip")]
                value: share.whole ? 1 : 0
                onChosen: share.whole = index === 1
            }
            Row {
                x: 210
                y: 200
                spacing: 10
                enabled: !share.whole
                opacity: enabled ? 1 : 0.4

                SecondsField {
                    id: fromField
                    objectName: "shareFrom"
                }
                Unit {
                    text: qsTr("s")
                }
                Unit {
                    text: qsTr("to")
                }
                SecondsField {
                    id: toField
                    objectName: "shareTo"
                }
                Unit {
                    text: qsTr("s")
                }
            }
            Text {
                x: 210
                y: 245
                text: qsTr("The clip lasts %1").arg(Control.clockText(share.durationMs))
                color: Theme.textSecondary
                font.family: Theme.fontRegular.name
                font.pixelSize: Theme.fontBody
            }
            SettingOptions {
                x: 210
                y: 280
                namePrefix: "shareLayout"
                labels: [qsTr("All cameras"), qsTr("Front only")]
                value: share.allCameras ? 0 : 1
                onChosen: share.allCameras = index === 0
            }
            SettingSwitch {
                objectName: "shareCaption"
                x: 210
                y: 357
                stored: share.caption ? 1 : 0
                onChangedTo: share.caption = value === 1
            }
            Text {
                x: 290
                y: 350
                height: 40
                verticalAlignment: Text.AlignVCenter
                text: qsTr("Time, speed, place and sensor values")
                color: Theme.textSecondary
                font.family: Theme.fontRegular.name
                font.pixelSize: Theme.fontBody
            }
            ReportButton {
                objectName: "shareStart"
                x: 150
                y: panel.height - 80
                designWidth: 120
                height: 40
                filled: true
                enabled: share.rangeValid
                label: qsTr("Share")
                onClicked: share.chooseFile()
            }
            ReportButton {
                objectName: "shareClose"
                x: panel.width - 150 - width
                y: panel.height - 80
                designWidth: 120
                height: 40
                label: qsTr("Cancel")
                onClicked: share.close()
            }
        }

        // ---- the progress ---------------------------------------------------

        Item {
            anchors.fill: parent
            visible: job.running

            Text {
                x: track.x
                y: 160
                width: track.width
                elide: Text.ElideMiddle
                text: qsTr("Writing %1").arg(share.writing)
                color: Theme.text
                font.family: Theme.fontRegular.name
                font.pointSize: Theme.optionPoints
            }
            Rectangle {
                id: track
                x: 60
                y: 210
                width: parent.width - 120
                height: 12
                radius: 6
                color: Theme.buttonFace
                Rectangle {
                    objectName: "shareProgress"
                    width: job.framesTotal > 0 ? parent.width * job.framesDone / job.framesTotal : 0
                    height: parent.height
                    radius: parent.radius
                    color: Theme.accent
                }
            }
            Text {
                x: track.x
                y: track.y + 30
                text: job.framesTotal > 0
                      ? qsTr("%1 of %2 pictures").arg(job.framesDone).arg(job.framesTotal) : ""
                color: Theme.text
                font.family: Theme.fontRegular.name
                font.pixelSize: Theme.fontBody
            }
            Text {
                objectName: "shareTimeLeft"
                x: track.x + track.width - width
                y: track.y + 30
                text: job.secondsLeft >= 0
                      ? qsTr("About %1 left").arg(Control.clockText(job.secondsLeft * 1000))
                      : qsTr("Starting…")
                color: Theme.text
                font.family: Theme.fontRegular.name
                font.pixelSize: Theme.fontBody
            }
            ReportButton {
                objectName: "shareCancel"
                anchors.horizontalCenter: parent.horizontalCenter
                y: panel.height - 80
                designWidth: 120
                height: 40
                label: qsTr("Cancel")
                onClicked: job.cancel()
            }
        }
    }

    NoticePopup {
        id: notice
        objectName: "shareNotice"
        parent: share.parent
        textName: "shareNoticeText"
        textTop: 10
        width: 440
        height: Math.max(100, message.height + 60)
    }

    // Qt.labs.platform's dialog, as QtQuick.Dialogs' cannot propose a name.
    Platform.FileDialog {
        id: fileDialog
        objectName: "shareFileDialog"
        title: qsTr("Share clip")
        fileMode: Platform.FileDialog.SaveFile
        nameFilters: [qsTr("MP4 videos (*.mp4)")]
        defaultSuffix: "mp4"
        onAccepted: share.saveTo(file)
    }
}
