import QtQuick 2.12

// A page of the camera's settings: its controls start further left in the
// compact layout. The page reads `fileIO` once, when it is loaded.
Item {
    required property var fileIO
    required property int sizeClass
    // Where the option buttons, switches and texts start, and the sliders.
    readonly property real controlX: Theme.size(sizeClass, 300, 220)
    readonly property real sliderX: Theme.size(sizeClass, 300, 270)

    width: 750
    height: 470
}
