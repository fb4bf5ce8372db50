import QtQuick 2.12
import "settings.js" as Settings

// Recording: parking mode and the low-voltage cut-off.
SettingPage {
    id: page

    SettingLabel {
        y: 20
        text: qsTr("주차모드")
    }
    SettingOptions {
        x: page.controlX
        y: 20
        namePrefix: "parkingOption"
        labels: [qsTr("OFF"), qsTr("ECO"), qsTr("CAMERA")]
        value: page.fileIO.parking_mode
        onChosen: page.fileIO.parking_mode = index
    }
    SettingLabel {
        y: 150
        text: qsTr("저전압 차단")
    }
    SettingOptions {
        x: page.controlX
        y: 150
        namePrefix: "cutVoltOption"
        perLine: 3
        labels: Settings.cutVoltages
        value: page.fileIO.cut_volt
        onChosen: page.fileIO.cut_volt = index
    }
}
