import QtQuick 2.12
import QtQuick.Controls 2.12

// A button of the settings screens: filled, or outlined with a border that
// darkens while pressed.
Button {
    id: button

    property string label: ""
    property bool filled: false

    width: 120
    height: 40
    contentItem: Text {
        text: button.label
        font.family: Theme.fontBold.name
        font.pixelSize: Theme.fontBody
        color: Theme.text
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        readonly property color face: button.pressed ? Theme.buttonPressed : Theme.buttonFace
        color: button.filled ? face : Theme.clear
        border.width: button.filled ? 0 : 2
        border.color: face
    }
}
