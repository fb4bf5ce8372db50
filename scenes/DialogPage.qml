import QtQuick 2.12

// One page of the card dialog: its title, the label of its field, and what
// the page holds. Only the open page shows and takes input.
Item {
    property int index: 0
    property int openPage: 0
    property string title: ""
    property string label: ""

    anchors.fill: parent
    opacity: openPage === index ? 1 : 0
    z: openPage === index ? 1 : 0
    enabled: openPage === index

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 70
        text: parent.title
        color: Theme.text
        font.family: Theme.fontRegular.name
        font.bold: true
        font.pixelSize: Theme.fontBody
    }
    Text {
        x: 70
        y: 165
        text: parent.label
        color: Theme.text
        font.family: Theme.fontRegular.name
        font.bold: true
        font.pixelSize: Theme.fontBody
    }
}
