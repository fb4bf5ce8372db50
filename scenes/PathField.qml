import QtQuick 2.12

// A folder shown on a card dialog page, with the ". . ." button at the end of
// the field that asks for another.
Item {
    id: pathField

    property alias text: pathText.text
    property alias textName: pathText.objectName
    property Item field: null
    property real textRight: 0

    signal browse

    anchors.fill: parent

    Text {
        id: pathText
        x: 160
        y: 165
        width: pathField.textRight - x
        color: Theme.text
        clip: true
        font.family: Theme.fontRegular.name
        font.pixelSize: Theme.fontBody
    }
    Rectangle {
        x: pathField.field.x + pathField.field.width - 50
        y: pathField.field.y
        width: 53
        height: pathField.field.height
        color: browseArea.containsMouse ? Theme.browseButtonHover : Theme.browseButton
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            y: 20
            text: ". . ."
            color: Theme.text
            font.family: Theme.fontRegular.name
            font.bold: true
            font.pixelSize: Theme.fontSmall
        }
        MouseArea {
            id: browseArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: pathField.browse()
        }
    }
}
