import QtQuick 2.12
import QtQuick.Controls 2.12
import "settings.js" as Settings

// A slider over whole steps with its value beside it. It shows `stored`
// within its range; when that differs from `stored` the page is told at once,
// so that the value saved is the one shown. A move below `lowest` stores
// `lowest` and shows it.
Item {
    id: row

    property alias name: slider.objectName
    property int stored: 0
    property alias from: slider.from
    property alias to: slider.to
    property int lowest: from

    signal changedTo(int value)

    width: 320 + valueText.width
    height: 26

    Slider {
        id: slider
        width: 300
        height: 26
        padding: 0
        stepSize: 1
        snapMode: Slider.SnapAlways
        value: Settings.clamp(row.stored, from, to)
        background: Rectangle {
            y: (slider.height - height) / 2
            width: slider.width
            height: 4
            radius: 2
            color: Theme.sliderTrack
            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                radius: 2
                color: Theme.accent
            }
        }
        handle: Rectangle {
            x: slider.visualPosition * (slider.width - width)
            y: (slider.height - height) / 2
            width: 16
            height: 26
            radius: 5
            color: slider.enabled ? Theme.accent : Theme.reportDisabled
        }
        onMoved: {
            var settled = Settings.settledValue(value, row.lowest)
            value = settled
            row.changedTo(settled)
        }
    }
    Text {
        id: valueText
        x: 320
        anchors.verticalCenter: slider.verticalCenter
        text: slider.value
        font.family: Theme.fontRegular.name
        font.pointSize: Theme.optionPoints
        color: Theme.text
    }

    Component.onCompleted: {
        if (enabled && slider.value !== stored)
            changedTo(slider.value)
    }
}
