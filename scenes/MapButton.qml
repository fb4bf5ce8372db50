import QtQuick 2.12
import QtQuick.Controls 2.12

// A button of the map cell: its image, and a hint while the pointer rests on it.
Image {
    id: button

    property string hint

    signal clicked

    width: Theme.mapButton
    height: Theme.mapButton
    opacity: !enabled ? 0.4 : mouse.pressed ? 0.7 : 1.0

    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }

    ToolTip.visible: mouse.containsMouse && hint !== ""
    ToolTip.delay: 500
    ToolTip.text: hint
}
