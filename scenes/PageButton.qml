import QtQuick 2.12
import QtQuick.Controls 2.12

// A 120 x 40 button of the card dialog's pages, on the bottom line.
Button {
    id: button

    width: 120
    height: 40
    font.family: Theme.fontBold.name
    font.bold: true
    font.pointSize: Theme.pageButtonPoints
    background: Rectangle {
        color: Theme.buttonFace
        radius: 5
    }
    contentItem: Text {
        text: button.text
        font: button.font
        color: Theme.text
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
