import QtQuick 2.12
import QtQuick.Layouts 1.12

// The six menu cells at the top left. The menu only says which cell was
// released; main decides what happens.
Rectangle {
    id: topMenu
    color: Theme.background

    signal menu1Click(int menuIdx)

    readonly property var cells: [
        { "image": "menu-card", "label": qsTr("SD카드"), "menuIdx": 1 },
        { "image": "menu-files", "label": qsTr("File"), "menuIdx": 2 },
        { "image": "menu-version", "label": qsTr("버전"), "menuIdx": 4 },
        { "image": "menu-report", "label": qsTr("보고서"), "menuIdx": 5 },
        { "image": "menu-snapshot", "label": qsTr("스냅샷"), "menuIdx": 6 },
        { "image": "menu-settings", "label": qsTr("설정"), "menuIdx": 7 }
    ]

    RowLayout {
        anchors.fill: parent
        spacing: 0

        Repeater {
            model: cells.length

            delegate: Rectangle {
                objectName: "menuCell" + (index + 1)
                color: Theme.background
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.maximumWidth: 99
                Layout.maximumHeight: 74

                Image {
                    id: cellImage
                    anchors.fill: parent
                    source: "qrc:/images/" + cells[index].image
                            + (cellArea.pressed ? "-pre.png" : "-nor.png")
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: cellImage.implicitHeight / 2 + 5
                    text: cells[index].label
                    color: Theme.text
                    font.family: Theme.fontRegular.name
                    font.pixelSize: Theme.fontCaption
                }
                // The release counts wherever the pointer is by then.
                MouseArea {
                    id: cellArea
                    anchors.fill: parent
                    onReleased: menu1Click(cells[index].menuIdx)
                }
            }
        }
    }
}
