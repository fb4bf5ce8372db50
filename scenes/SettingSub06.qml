import QtQuick 2.12

// System: the camera's screen, language, security LED and speed unit, and
// what the card says about the camera (code, version, model), shown as plain
// text whatever it holds.
SettingPage {
    id: page

    SettingLabel {
        y: 20
        text: qsTr("화면설정")
    }
    SettingOptions {
        x: page.controlX
        y: 20
        namePrefix: "screenOption"
        labels: [qsTr("On"), qsTr("Clock"), qsTr("Off")]
        points: [page.fileIO.vlang === 0 ? Theme.optionPoints : Theme.noticePoints]
        value: page.fileIO.screen
        onChosen: page.fileIO.screen = index
    }
    SettingLabel {
        y: 90
        text: qsTr("언어")
    }
    SettingOptions {
        x: page.controlX
        y: 90
        namePrefix: "langOption"
        labels: [qsTr("영어"), qsTr("프랑스어")]
        value: page.fileIO.lang
        onChosen: page.fileIO.lang = index
    }
    SettingLabel {
        y: 160
        text: qsTr("시큐리티 LED")
    }
    SettingSwitch {
        objectName: "securityLedSwitch"
        x: page.controlX
        y: 167
        stored: page.fileIO.security_led
        onChangedTo: page.fileIO.security_led = value
    }
    SettingLabel {
        y: 230
        text: qsTr("비밀번호")
    }
    Rectangle {
        x: page.controlX
        y: 230
        width: 130
        height: 40
        color: Theme.clear
        border.width: 2
        border.color: Theme.buttonFace
        CardText {
            objectName: "secretText"
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            text: page.fileIO.secret
        }
    }
    SettingLabel {
        y: 300
        text: qsTr("속도 단위")
    }
    SettingOptions {
        x: page.controlX
        y: 300
        namePrefix: "speedOption"
        labels: [qsTr("mi"), qsTr("km")]
        value: page.fileIO.gps_speed
        onChosen: page.fileIO.gps_speed = index
    }
    SettingLabel {
        y: 370
        text: qsTr("버전")
    }
    CardText {
        objectName: "verText"
        x: page.controlX
        y: 370
        width: page.width - x - 10
        text: page.fileIO.ver
    }
    SettingLabel {
        y: 440
        text: qsTr("모델")
    }
    CardText {
        objectName: "modelText"
        x: page.controlX
        y: 440
        width: page.width - x - 10
        text: page.fileIO.model
    }
}
