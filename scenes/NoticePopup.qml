import QtQuick 2.12
import QtQuick.Controls 2.12

// A modal box of the main window with a message in the accent colour.
// `message` is the text item (named `textName` for the tests); without
// `confirmText` the box has one close button (named `closeName`), with it a
// confirm and a cancel button.
Popup {
    id: box

    property alias message: messageText
    property string textName: ""
    property real textTop: 30
    property string confirmText: ""
    property string confirmName: ""
    property string closeName: ""
    // Top of the buttons.
    property real buttonTop: height - 50

    signal confirmed

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    padding: 0
    background: Rectangle {
        color: Theme.background
        border.width: 2
        border.color: Theme.boxBorder
    }

    Text {
        id: messageText
        objectName: box.textName
        x: 10
        y: box.textTop
        width: parent.width - 20
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        font.family: Theme.fontBold.name
        font.pointSize: Theme.noticePoints
        color: Theme.accent
    }
    DialogButton {
        objectName: box.closeName
        visible: box.confirmText === ""
        y: box.buttonTop
        anchors.horizontalCenter: parent.horizontalCenter
        label: qsTranslate("main", "닫  기")
        onClicked: box.close()
    }
    DialogButton {
        objectName: box.confirmName
        visible: box.confirmText !== ""
        x: 50
        y: box.buttonTop
        label: box.confirmText
        onClicked: {
            box.confirmed()
            box.close()
        }
    }
    DialogButton {
        visible: box.confirmText !== ""
        x: parent.width - 50 - width
        y: box.buttonTop
        label: qsTranslate("main", "Cancel")
        onClicked: box.close()
    }
}
