import QtQuick 2.12

// An image button of the player overlay. It shows `dimSource` while pressed
// and while `dimmed` (it can go no further), fades to half opacity while
// pressed when `pressEffect` is set, and acts on release over it. Its hover
// text is shown by the overlay `overlay` at `hoverRise` px above it, or at
// the overlay's y `hoverAt` when that is set, and `hoverShift` px left of it.
Image {
    id: button

    property url normalSource
    property url dimSource: normalSource
    property bool dimmed: false
    property bool pressEffect: false
    property string hoverText: ""
    property real hoverRise: 40
    property real hoverAt: NaN
    property real hoverShift: 0
    property Item overlay: null
    readonly property bool pressed: area.pressed

    signal activated

    source: pressed || dimmed ? dimSource : normalSource
    opacity: pressEffect && pressed ? 0.5 : 1

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onEntered: {
            if (button.hoverText !== "" && button.overlay)
                button.overlay.showHover(button, button.hoverText, button.hoverRise,
                                         button.hoverAt, button.hoverShift)
        }
        onExited: {
            if (button.overlay)
                button.overlay.hideHover()
        }
        onPositionChanged: {
            if (button.overlay)
                button.overlay.activity()
        }
        onReleased: {
            if (containsMouse)
                button.activated()
        }
    }
}
