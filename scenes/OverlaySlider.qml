import QtQuick 2.12
import QtQuick.Controls 2.12

// An icon with a slider 40 px to its right and 7 px lower: brightness,
// contrast or volume. A click on the icon emits `iconClicked`.
Item {
    id: control

    property alias icon: iconImage.source
    property alias slider: slider
    property real from: -1.0
    property real to: 1.0
    property real value: 0
    property Item overlay: null

    signal moved(real value)
    signal iconClicked

    // Moving over the control counts as activity, as over the picture.
    HoverHandler {
        onPointChanged: {
            if (control.overlay)
                control.overlay.activity()
        }
    }

    width: 40 + slider.width
    height: Math.max(iconImage.height, 7 + slider.height)

    Image {
        id: iconImage

        MouseArea {
            anchors.fill: parent
            onClicked: control.iconClicked()
        }
    }

    Slider {
        id: slider
        x: 40
        y: 7
        width: 120
        height: 25
        padding: 0
        from: control.from
        to: control.to
        stepSize: 0.1
        value: control.value
        onMoved: {
            control.moved(Math.round(value * 10) / 10)
            if (control.overlay)
                control.overlay.activity()
        }

        background: Rectangle {
            x: slider.leftPadding
            y: slider.topPadding + (slider.availableHeight - height) / 2
            width: slider.availableWidth
            height: 4
            color: Theme.sliderTrack

            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                color: Theme.accent
            }
        }
        handle: Rectangle {
            x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
            y: slider.topPadding + (slider.availableHeight - height) / 2
            width: 10
            height: 10
            radius: 5
            color: Theme.accent
        }
    }
}
