import QtQuick 2.12
import QtQuick.Controls 2.12
import Qt.labs.platform 1.1 as Platform

// One dialog with four pages: the camera card among the drives found, where a
// snapshot of the large view goes, the version, and where checked recordings
// are saved. main opens a page by emitting viewPopup(n).
Popup {
    id: bground

    property string popupStr: ""
    // Shared by the snapshot and the save page: a folder chosen on one is
    // the default of the other.
    property string popupPath: ""
    // The open page, 1..4; 0 when none is.
    property int page: 0
    // A snapshot asked for by this dialog is being written.
    property bool snapshotPending: false

    parent: Overlay.overlay
    x: 0
    y: 0
    width: mainWin.width
    height: mainWin.height
    padding: 0
    // Every page closes through its own buttons, so that cancelling the drive
    // page always takes effect.
    closePolicy: Popup.NoAutoClose

    background: Rectangle {
        color: Theme.backdrop
        opacity: 0.6
    }

    ListModel {
        id: cbItems
    }

    function openPage(vIdex) {
        page = 0
        switch (vIdex) {
        case 1:
            cbItems.clear()
            for (var i = 0; i < myFile.getDriveCount(); ++i)
                cbItems.append({ "driveName": myFile.getDriveName(i) + "  " + myFile.getDrivePath(i) })
            // The first card found is the source until the user picks another.
            myFile.source = myFile.getDrivePath(0)
            driveSel.currentIndex = 0
            page = 1
            break
        case 2:
            if (popupPath === "")
                popupPath = myFile.getDesktopPath()
            // A name edited for an earlier snapshot gives way to the playing
            // recording's.
            pwText.text = mainWin.currentPlayFileName
            page = 2
            break
        case 3:
            popupStr = Qt.application.version
            page = 3
            break
        case 4:
            if (popupPath === "")
                popupPath = myFile.getDesktopPath()
            page = 4
            break
        }
        open()
    }

    function confirmDrive() {
        console.log(Log.scenes, "setList ==========>:")
        mainWin.sdCardDetect = 1
        mainWin.setList()
        close()
    }

    function cancelDrive() {
        if (mainWin.sdCardDetect === 0)
            myFile.source = "none"
        close()
    }

    function takeSnapshot() {
        var capture = videoOut1.videoCapture
        capture.captureName = pwText.text
        capture.captureDir = popupPath
        snapshotPending = true
        capture.capture()
    }

    function confirmSave() {
        mainWin.saveListIndex(popupPath)
        close()
    }

    function browse() {
        console.log(Log.scenes, "Rectangle onClicked ==========>:")
        fileSaveDialog.open()
    }

    function showNotice(text) {
        notiText.text = text
        notiPopup01.open()
    }

    Connections {
        target: mainWin
        function onViewPopup(vIdex) {
            openPage(vIdex)
        }
    }

    // The notice tells of a snapshot only once the file is written.
    Connections {
        target: snapshotPending ? videoOut1.videoCapture : null
        ignoreUnknownSignals: true
        function onSaved(path) {
            snapshotPending = false
            showNotice(qsTr("Successfully Saved"))
        }
        function onFailed(path) {
            snapshotPending = false
            console.log(Log.scenes, "snapshot failed ==========>:" + path)
            showNotice(qsTr("The snapshot could not be saved: %1").arg(path))
        }
    }

    Platform.FolderDialog {
        id: fileSaveDialog
        options: Platform.FolderDialog.ShowDirsOnly
        onAccepted: popupPath = myFile.fileCut(folder.toString())
        onRejected: console.log(Log.scenes, "Rejected")
    }

    Image {
        id: panel
        anchors.centerIn: parent
        source: "qrc:/images/dialog-panel.png"

        Image {
            id: field
            x: 150
            y: 150
            source: "qrc:/images/field.png"
        }

        DialogPage {
            objectName: "drivePage"
            index: 1
            openPage: page
            title: qsTr("SD 카드 드라이브")
            label: qsTr("SDCard")

            ComboBox {
                id: driveSel
                objectName: "driveSel"
                x: field.x
                y: field.y
                width: page === 1 ? field.width : 0
                height: field.height
                model: cbItems
                textRole: "driveName"
                font.family: Theme.fontRegular.name
                font.bold: true
                font.pixelSize: Theme.fontBody
                onActivated: myFile.source = myFile.getDrivePath(index)
            }
            PageButton {
                objectName: "driveConfirm"
                x: 170
                y: panel.height - 80
                text: qsTr("Confirm")
                onClicked: confirmDrive()
            }
            PageButton {
                objectName: "driveCancel"
                x: panel.width - 170 - width
                y: panel.height - 80
                text: qsTr("Cancel")
                onClicked: cancelDrive()
            }
        }

        DialogPage {
            objectName: "snapshotPage"
            index: 2
            openPage: page
            title: qsTr("스냅샷 저장 위치")
            label: qsTr("Path")

            PathField {
                textName: "snapshotPath"
                text: popupPath
                field: field
                textRight: panel.width - 80
                onBrowse: bground.browse()
            }
            TextField {
                id: pwText
                objectName: "pwText"
                x: field.x
                y: field.y + 60
                width: field.width
                height: field.height
                color: Theme.text
                font.family: Theme.fontRegular.name
                font.pointSize: Theme.fieldPoints
                background: Rectangle {
                    color: Theme.inputBackground
                    radius: 2
                }
            }
            PageButton {
                objectName: "snapshotConfirm"
                x: 170
                y: panel.height - 80
                text: qsTr("Confirm")
                onClicked: takeSnapshot()
            }
            PageButton {
                x: panel.width - 170 - width
                y: panel.height - 80
                text: qsTr("Cancel")
                onClicked: close()
            }
        }

        DialogPage {
            objectName: "versionPage"
            index: 3
            openPage: page
            title: qsTr("버전 정보")
            label: qsTr("Version")

            Text {
                objectName: "versionText"
                x: 160
                y: 165
                width: panel.width - 80 - x
                text: popupStr
                color: Theme.text
                wrapMode: Text.Wrap
                font.family: Theme.fontRegular.name
                font.bold: true
                font.pixelSize: Theme.fontSmall
            }
            PageButton {
                x: (panel.width - width) / 2
                y: panel.height - 80
                text: qsTr("Close")
                onClicked: close()
            }
        }

        DialogPage {
            objectName: "savePage"
            index: 4
            openPage: page
            title: qsTr("영상 저장 위치")
            label: qsTr("Path")

            PathField {
                textName: "savePath"
                text: popupPath
                field: field
                textRight: panel.width - 80
                onBrowse: bground.browse()
            }
            PageButton {
                objectName: "saveConfirm"
                x: 170
                y: panel.height - 80
                text: qsTr("Confirm")
                onClicked: confirmSave()
            }
            PageButton {
                x: panel.width - 170 - width
                y: panel.height - 80
                text: qsTr("Cancel")
                onClicked: close()
            }
        }
    }

    Popup {
        id: notiPopup01
        objectName: "notiPopup01"
        modal: true
        width: 300
        height: 100
        x: (bground.width - width) / 2
        y: (bground.height - height) / 2
        padding: 0
        background: Rectangle {
            color: Theme.background
            border.width: 2
            border.color: Theme.boxBorder
        }

        Text {
            id: notiText
            objectName: "notiText"
            y: 10
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            color: Theme.accent
            font.family: Theme.fontBold.name
            font.pointSize: Theme.noticePoints
        }
        DialogButton {
            objectName: "noticeClose"
            y: 50
            anchors.horizontalCenter: parent.horizontalCenter
            label: qsTr("닫  기")
            onClicked: {
                notiPopup01.close()
                bground.close()
            }
        }
    }
}
