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
        font.pointSize: 10
        font.family: fontMedium.name
        color: "white"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        color: "transparent"
        radius: 5
        border.width: 2
        border.color: button.pressed ? "#2f2f2f" : "#3f3f3f"
    }
}
