import QtQuick 2.12
import QtQuick.Controls 2.12

// The settings chooser: the viewer's own settings or the camera's. Either
// button closes it and reports the choice.
Popup {
    id: settingSelect

    signal dashCamClick
    signal pcVIewClick

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 370
    height: 240
    modal: true
    padding: 0
    Overlay.modal: Rectangle {
        color: Theme.backdrop
        opacity: 0.6
    }
    background: Image {
        source: "qrc:/images/settings-panel.png"
    }

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 30
        text: qsTr("Setting")
        font.family: Theme.fontBold.name
        font.pointSize: Theme.settingTitlePoints
        color: Theme.text
    }
    Image {
        objectName: "settingSelectClose"
        x: parent.width - width - 8
        y: 8
        source: closeArea.containsMouse ? "qrc:/images/close-pre.png" : "qrc:/images/close-nor.png"
        MouseArea {
            id: closeArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: settingSelect.close()
        }
    }
    SettingButton {
        objectName: "pcViewButton"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 100
        width: 180
        label: Qt.platform.os === "osx" ? qsTr("MAC Viewer") : qsTr("PC Viewer")
        onClicked: {
            settingSelect.close()
            settingSelect.pcVIewClick()
        }
    }
    SettingButton {
        objectName: "dashCamButton"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 170
        width: 180
        filled: true
        label: qsTr("Dashcam")
        onClicked: {
            settingSelect.close()
            settingSelect.dashCamClick()
        }
    }
}
