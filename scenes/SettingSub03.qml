import QtQuick 2.12

// Sound: microphone and speaker volume.
SettingPage {
    id: page

    SettingLabel {
        y: 20
        text: qsTr("마이크")
    }
    SettingSwitch {
        objectName: "micSwitch"
        x: page.sliderX
        y: 27
        stored: page.fileIO.vol_mic
        onChangedTo: page.fileIO.vol_mic = value
    }
    SettingLabel {
        y: 150
        text: qsTr("스피커")
    }
    SettingSlider {
        x: page.sliderX
        y: 157
        name: "speakerSlider"
        to: 5
        stored: page.fileIO.vol_speaker
        onChangedTo: page.fileIO.vol_speaker = value
    }
}
