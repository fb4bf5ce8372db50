import QtQuick 2.12

// Placeholder for the map of the car's position: filled in later. It
// follows mainWin's playTrigger and stopTrigger once it exists.
Item {
    id: mapView
}
