import QtQuick 2.12
import QtQuick.Controls 2.12
import "settings.js" as Settings

// Time: manual clock, time zone and summer time. The zone is written only
// when the user picks one.
SettingPage {
    id: page

    SettingLabel {
        y: 20
        text: qsTr("수동 설정")
    }
    SettingSwitch {
        objectName: "timeManualSwitch"
        x: 300
        y: 27
        stored: page.fileIO.time_manual
        onChangedTo: page.fileIO.time_manual = value
    }
    SettingLabel {
        y: 150
        text: qsTr("타임존")
    }
    ComboBox {
        id: zones
        objectName: "timeZoneList"
        x: 300
        y: 150
        width: 300
        height: 40
        model: Settings.timeZones
        currentIndex: page.fileIO.time_zone
        font.family: Theme.fontRegular.name
        font.pointSize: Theme.optionPoints
        contentItem: Text {
            leftPadding: 10
            text: zones.displayText
            font: zones.font
            color: Theme.text
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        background: Rectangle {
            color: zones.pressed ? Theme.buttonPressed : Theme.buttonFace
        }
        onActivated: page.fileIO.time_zone = index
    }
    SettingLabel {
        y: 300
        text: qsTr("서머타임")
    }
    SettingSwitch {
        objectName: "timeDstSwitch"
        x: 300
        y: 307
        stored: page.fileIO.time_dst
        onChangedTo: page.fileIO.time_dst = value
    }
}
