import QtQuick 2.12

// The label of a settings row, at the row's top.
Text {
    x: 10
    height: 40
    verticalAlignment: Text.AlignVCenter
    font.family: Theme.fontBold.name
    font.pointSize: Theme.settingLabelPoints
    color: Theme.text
}
