import QtQuick 2.12
import "settings.js" as Settings

// Sensitivity: impact, motion and radar. A camera without radar stores 0 (or
// less) there: its slider is disabled and the value left as it is.
SettingPage {
    id: page

    SettingLabel {
        y: 20
        text: qsTr("충격 감도")
    }
    SettingSlider {
        x: page.sliderX
        y: 27
        name: "gsensorSlider"
        to: 5
        stored: page.fileIO.gsensor_sensitivity
        onChangedTo: page.fileIO.gsensor_sensitivity = value
    }
    SettingLabel {
        y: 150
        text: qsTr("모션 감도")
    }
    SettingSlider {
        x: page.sliderX
        y: 157
        name: "motionSlider"
        to: 3
        stored: page.fileIO.motion_sensitivity
        onChangedTo: page.fileIO.motion_sensitivity = value
    }
    SettingLabel {
        y: 280
        text: qsTr("레이더 감도")
    }
    SettingSlider {
        x: page.sliderX
        y: 287
        name: "radarSlider"
        to: 3
        lowest: 1
        stored: page.fileIO.radar_sensitivity
        enabled: Settings.hasRadar(stored)
        onChangedTo: page.fileIO.radar_sensitivity = value
    }
}
