import QtQuick 2.12
import QtQuick.Layouts 1.12
import "graph.js" as Graph
import "playercontrol.js" as Control

// The three sensor curves of a recording over a grid of -2 g to +2 g, a line
// that follows the playing position, a marker at the strongest shock, and
// the values at the playing position below. The host calls refresh() when a
// recording's telemetry is ready; a click or drag on the curves asks for a
// seek to that moment. The report reads drawPointCnt.
Item {
    id: graphViewer

    required property var fileIO
    // The player whose position the line and the values follow.
    required property Item player
    // The header duration of the recording (s); its curves are not drawn
    // when it is not 0.
    property real curDuration: 0
    // The length of the recording as the seek bar uses it (ms).
    property real playDuration: 0

    // Sensor samples of the recording.
    property int drawPointCnt: 0
    // The curves of the recording are on the canvas.
    property bool drawn: false
    // The sample of the strongest shock, or -1.
    property int peakIndex: -1
    // The samples by series, read once per recording.
    property var samples: ({ "x": [], "y": [], "z": [] })

    readonly property real peakFraction: drawn ? Graph.peakFraction(peakIndex, drawPointCnt) : -1
    readonly property bool running: player !== null && !player.isStopped()
    readonly property real playedFraction: Graph.playedFraction(player ? player.position : 0,
                                                                playDuration)
    readonly property var series: [
        { "key": "x", "letter": "X", "query": "readMagneticDataX", "colour": Theme.graphX,
          "legend": "qrc:/images/legend-x.png" },
        { "key": "y", "letter": "Y", "query": "readMagneticDataY", "colour": Theme.graphY,
          "legend": "qrc:/images/legend-y.png" },
        { "key": "z", "letter": "Z", "query": "readMagneticDataZ", "colour": Theme.graphZ,
          "legend": "qrc:/images/legend-z.png" }
    ]

    signal seekRequested(real ms)

    // The recording's telemetry is ready: its samples are read and drawn,
    // or, for a recording with a header duration or without samples, the
    // canvas is cleared.
    function refresh() {
        drawPointCnt = fileIO.readPOICnt()
        drawn = curDuration === 0 && drawPointCnt > 0
        var read = { "x": [], "y": [], "z": [] }
        for (var s = 0; drawn && s < series.length; ++s) {
            var values = read[series[s].key]
            for (var i = 0; i < drawPointCnt; ++i)
                values.push(fileIO[series[s].query](i))
        }
        samples = read
        peakIndex = drawn ? fileIO.readPeakIndex() : -1
        console.log(Log.scenes, "graph ===> " + drawPointCnt + " samples, peak " + peakIndex
                    + (drawn ? "" : ", not drawn"))
        canvas.requestPaint()
    }

    function legendText(entry) {
        if (!drawn)
            return qsTr("empty")
        if (!running)
            return ""
        var index = Graph.indexAt(playedFraction, drawPointCnt)
        return entry.letter + ": " + Graph.valueText(samples[entry.key][index])
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 1

        Rectangle {
            id: cell
            objectName: "graphCell"
            Layout.fillWidth: true
            Layout.fillHeight: true
            color: Theme.background
            clip: true

            Image {
                anchors.fill: parent
                source: "qrc:/images/graph-grid.png"
            }

            Canvas {
                id: canvas
                objectName: "graphCanvas"
                anchors.fill: parent
                onWidthChanged: requestPaint()
                onHeightChanged: requestPaint()
                onPaint: {
                    var ctx = getContext("2d")
                    ctx.reset()
                    if (!graphViewer.drawn)
                        return
                    ctx.lineWidth = 1
                    var n = graphViewer.drawPointCnt
                    for (var s = 0; s < graphViewer.series.length; ++s) {
                        var entry = graphViewer.series[s]
                        var values = graphViewer.samples[entry.key]
                        ctx.beginPath()
                        ctx.strokeStyle = String(entry.colour)
                        for (var i = 0; i < n; ++i) {
                            var x = Graph.xOf(i, n, width)
                            var y = Graph.yOf(values[i], height)
                            if (i === 0)
                                ctx.moveTo(x, y)
                            else
                                ctx.lineTo(x, y)
                        }
                        ctx.stroke()
                    }
                }
            }

            // The strongest shock: a dashed line, unlike the playing
            // position's, with a notch at the top.
            Item {
                objectName: "peakMarker"
                x: Graph.xOf(graphViewer.peakIndex, graphViewer.drawPointCnt, cell.width)
                   - width / 2
                width: 9
                height: cell.height
                visible: graphViewer.peakFraction >= 0

                Column {
                    anchors.horizontalCenter: parent.horizontalCenter
                    spacing: 3
                    Repeater {
                        model: Math.ceil(cell.height / 7)
                        Rectangle {
                            width: 1
                            height: 4
                            color: Theme.graphPeak
                        }
                    }
                }
                Rectangle {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: -height / 2
                    width: 7
                    height: 7
                    rotation: 45
                    color: Theme.graphPeak
                }
            }

            Rectangle {
                objectName: "progressLine"
                x: cell.width * graphViewer.playedFraction
                width: 1
                height: cell.height
                color: Theme.graphProgress
                visible: graphViewer.drawn && graphViewer.running && graphViewer.playDuration > 0
            }

            Repeater {
                model: [{ "text": "+2.G", "y": 0 }, { "text": "0.G", "y": 0.5 },
                    { "text": "-2.G", "y": 1 }]
                // Shaded, so that a curve under it does not cross it out.
                Rectangle {
                    x: 2
                    y: (cell.height - height) * modelData.y
                    width: scaleLabel.implicitWidth + 4
                    height: scaleLabel.implicitHeight
                    radius: 2
                    color: Theme.shade

                    Text {
                        id: scaleLabel
                        x: 2
                        text: modelData.text
                        font.pixelSize: Theme.fontSmall
                        font.family: Theme.fontRegular.name
                        color: Theme.text
                    }
                }
            }

            MouseArea {
                anchors.fill: parent
                enabled: graphViewer.drawn && graphViewer.curDuration <= 0
                function seekAt(x) {
                    graphViewer.seekRequested(Control.seekBarTarget(x, width,
                                                                    graphViewer.playDuration))
                }
                onPressed: seekAt(mouse.x)
                onPositionChanged: {
                    if (pressed)
                        seekAt(mouse.x)
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: legend.implicitHeight + 6
            color: Theme.background

            Column {
                id: legend
                x: 5
                y: 3

                Repeater {
                    model: graphViewer.series
                    Row {
                        spacing: 5
                        Image {
                            anchors.verticalCenter: parent.verticalCenter
                            source: modelData.legend
                        }
                        Text {
                            objectName: "legend" + modelData.letter
                            text: graphViewer.legendText(modelData)
                            font.pixelSize: Theme.fontSmall
                            font.family: Theme.fontRegular.name
                            color: modelData.colour
                        }
                    }
                }
            }
        }
    }
}
