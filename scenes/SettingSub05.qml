import QtQuick 2.12
import "settings.js" as Settings

// Memory: the share of the card kept for parking recordings, shown only.
SettingPage {
    id: page

    Column {
        x: 10
        y: 20
        width: 250
        Text {
            width: parent.width
            text: qsTr("주차녹화 메모리 할당")
            wrapMode: Text.Wrap
            font.family: Theme.fontBold.name
            font.pointSize: Theme.size(page.sizeClass, Theme.settingLabelPoints, 14)
            color: Theme.text
        }
        Text {
            text: qsTr("(Read-Only)")
            font.family: Theme.fontRegular.name
            font.pointSize: Theme.optionPoints
            color: Theme.textSecondary
        }
    }
    Repeater {
        model: Settings.memoryShares
        delegate: Rectangle {
            objectName: "memoryBox" + index
            x: page.controlX + index * 150
            y: 20
            width: 130
            height: 40
            color: Theme.clear
            border.width: 2
            border.color: Theme.buttonFace
            Text {
                anchors.centerIn: parent
                text: modelData
                font.family: Theme.fontBold.name
                font.pointSize: Theme.optionPoints
                color: index === page.fileIO.memory_type_mmc ? Theme.text : Theme.textSecondary
            }
        }
    }
}
