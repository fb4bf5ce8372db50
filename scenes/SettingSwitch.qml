import QtQuick 2.12
import QtQuick.Controls 2.12
import "settings.js" as Settings

// An on/off switch over a stored 0 or 1. Any other stored value shows on and
// is reported as 1 at once, so that the value saved is the one shown.
Switch {
    id: control

    property int stored: 0

    signal changedTo(int value)

    width: 65
    height: 26
    padding: 0
    checked: Settings.switchValue(stored) === 1
    indicator: Rectangle {
        width: 65
        height: 26
        radius: 13
        color: control.checked ? Theme.accent : Theme.switchOff
        Text {
            x: control.checked ? 10 : parent.width - width - 8
            anchors.verticalCenter: parent.verticalCenter
            text: control.checked ? qsTr("ON") : qsTr("OFF")
            font.family: Theme.fontBold.name
            font.pointSize: Theme.switchPoints
            color: Theme.text
        }
        Rectangle {
            x: control.checked ? parent.width - width : 0
            width: 26
            height: 26
            radius: 13
            color: control.pressed ? Theme.switchKnobPressed : Theme.switchKnob
            border.color: parent.color
            Behavior on x {
                enabled: !control.pressed
                SmoothedAnimation { velocity: 200 }
            }
        }
    }
    contentItem: Item {}
    onToggled: changedTo(checked ? 1 : 0)

    Component.onCompleted: {
        if (Settings.switchValue(stored) !== stored)
            changedTo(Settings.switchValue(stored))
    }
}
