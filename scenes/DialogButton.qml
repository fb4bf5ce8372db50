import QtQuick 2.12
import QtQuick.Controls 2.12

// The outlined button of the scene's dialogs.
Button {
    id: button

    property string label: ""

    width: 70
    height: 25
    contentItem: Text {
        text: button.label
        font.pointSize: Theme.dialogButtonPoints
        font.family: Theme.fontRegular.name
        color: Theme.text
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        color: Theme.clear
        radius: 5
        border.width: 2
        border.color: button.pressed ? Theme.buttonPressed : Theme.buttonFace
    }
}
