import QtQuick 2.12

// Placeholder for the sensor graph: filled in later. The report screen reads
// drawPointCnt, the number of sensor samples the graph has drawn.
Item {
    id: graphViewer

    property int drawPointCnt: 0
}
