import QtQuick 2.12
import QtQuick.Controls 2.12

// A button of the report screen: filled (print, PDF) or outlined (close,
// save and the channels), with its text in `textColor`.
Button {
    id: button

    property string label: ""
    property bool filled: false
    property color textColor: Theme.text
    // The width the layout gives it; a longer label widens it.
    property real designWidth: 0

    width: Math.max(designWidth, contentItem.implicitWidth + 16)

    contentItem: Text {
        text: button.label
        font.family: Theme.fontBold.name
        font.pixelSize: Theme.fontBody
        color: button.enabled ? button.textColor : Theme.reportDisabled
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        color: !button.filled ? Theme.clear : button.pressed ? Theme.buttonPressed : Theme.buttonFace
        border.width: button.filled ? 0 : 2
        border.color: button.enabled ? Theme.buttonFace : Theme.reportDisabledBorder
    }
}
