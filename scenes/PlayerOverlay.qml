import QtQuick 2.12
import VelmoraPlayer 1.0
import "playercontrol.js" as Control

// Everything drawn over a large player: the loading indicator, the speed
// read-out, the zoom point, hover help and the toolbar with its controls.
// The in-window large view and the full-screen player each carry one; the
// full-screen copy's objects are named with "1" appended (its zoom buttons
// "zoomIn2" and "zoomOut2"). The overlay itself takes the mouse on the
// picture: presses show the toolbar, a click places the zoom point and a drag
// pans a zoomed picture. What the controls do is up to `actions`.
MouseArea {
    id: overlay

    property ChannelView player: null
    property bool fullScreen: false
    property QtObject actions: null

    readonly property string suffix: fullScreen ? "1" : ""
    // The window's size class, taken as the compact one wherever the full
    // lower row would run into the sliders (a large view under about 970 px
    // wide).
    readonly property real sizeClass: width < 970 ? Theme.compactClass : mainWin.resolution
    readonly property bool stopped: player === null || player.isStopped()
    property alias toolbarShown: toolbar.shown
    property alias nameText: toolbar.nameText
    property alias stopTimer: tFileTimer
    property alias zoomMarker: zoomPoint

    // This player's zoom point (the main window's zoomCenterX/Y take it
    // when it zooms).
    property real pointX: 0
    property real pointY: 0

    // Pan: the mouse position and region at the last processed move.
    property point lastMouse: Qt.point(0, 0)
    property var panOrigin: null
    property int moveCount: 0
    property bool dragged: false

    function activity() {
        toolbarTimer.restart()
    }

    function showHover(button, text, rise, at, shift) {
        hoverTxt.text = text
        var p = button.mapToItem(overlay, 0, 0)
        hoverHelp.x = Math.max(0, Math.min(p.x - shift, width - hoverHelp.width))
        hoverHelp.y = isNaN(at) ? p.y - rise : at
        hoverHelp.visible = true
    }

    function hideHover() {
        hoverHelp.visible = false
        hoverTxt.text = ""
    }

    function centreZoomPoint() {
        placeZoomPoint(width / 2, height / 2)
        zoomPoint.visible = false
    }

    // The zoom point follows a click; the marker is drawn where the mouse is.
    function placeZoomPoint(x, y) {
        zoomPoint.x = x - 10
        zoomPoint.y = y - 10
        zoomPoint.visible = true
        pointX = x
        pointY = y
        mainWin.zoomCenterX = x
        mainWin.zoomCenterY = y
    }

    function pan(x, y) {
        var r = Control.panRegion(panOrigin, x - lastMouse.x, y - lastMouse.y, player.videoTrack,
                                  player.videoFrameWidth, player.videoFrameHeight)
        player.roi_x = r.x
        player.roi_y = r.y
        panOrigin = r
        lastMouse = Qt.point(x, y)
        actions.refreshIfPaused(player)
    }

    function region() {
        return { "x": player.roi_x, "y": player.roi_y, "width": player.roi_width,
                 "height": player.roi_height }
    }

    objectName: "overlay" + suffix
    anchors.fill: parent
    // Above the picture, which the player adds as its own child.
    z: 1
    hoverEnabled: true

    onPressed: {
        toolbar.shown = true
        activity()
        dragged = false
        moveCount = 0
        lastMouse = Qt.point(mouse.x, mouse.y)
        panOrigin = region()
    }
    onPositionChanged: {
        activity()
        if (!pressed)
            return
        if (!dragged && mouse.x === lastMouse.x && mouse.y === lastMouse.y)
            return
        dragged = true
        zoomPoint.visible = false
        if (player.zoom > 1.0) {
            // Only the first move and every second one after it.
            if (moveCount % 2 === 0)
                pan(mouse.x, mouse.y)
            ++moveCount
        }
    }
    onReleased: {
        if (!dragged)
            placeZoomPoint(mouse.x, mouse.y)
    }
    onEntered: {
        if (!stopped)
            toolbar.shown = true
    }
    onExited: {
        if (!stopped) {
            toolbar.shown = false
            zoomPoint.visible = false
        }
    }

    Timer {
        id: toolbarTimer
        objectName: "toolbarTimer" + overlay.suffix
        interval: 3000
        repeat: true
        running: true
        onTriggered: {
            if (!overlay.stopped) {
                toolbar.shown = false
                zoomPoint.visible = false
            }
        }
    }

    // Recordings with a header duration stop after it, counted from the last
    // start or resume.
    Timer {
        id: tFileTimer
        objectName: "tFileTimer" + overlay.suffix
        repeat: false
        onTriggered: overlay.actions.headerDurationEnded(overlay)
    }

    Item {
        id: lodingStr
        objectName: "lodingStr" + overlay.suffix
        anchors.fill: parent
        // While a recording is prepared: toolbar hidden, player stopped.
        readonly property bool shown: !toolbar.shown && overlay.stopped
        opacity: shown ? 0.9 : 0
        Behavior on opacity {
            NumberAnimation {
                duration: 300
            }
        }

        Image {
            id: loadingImage
            anchors.centerIn: parent
            source: "qrc:/images/loading.png"
        }
        Text {
            anchors.top: loadingImage.bottom
            anchors.topMargin: 15
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTranslate("main", "loading...")
            font.pixelSize: Theme.fontTitle
            font.family: Theme.fontRegular.name
            color: Theme.loadingText
        }
    }

    Text {
        id: speedText
        objectName: "speedText" + overlay.suffix
        x: 30
        y: 55
        text: overlay.player ? myFile.readCurrentSpeed(
                                   Math.floor(Math.min(overlay.player.position, mainWin.playDuration)
                                              / 1000), mainWin.speedUnit) : ""
        font.pixelSize: Theme.fontDisplay
        font.family: Theme.fontRegular.name
        color: Theme.text
        // Readable over a bright picture too.
        style: Text.Outline
        styleColor: Theme.textOutline
    }

    Image {
        id: zoomPoint
        objectName: "zoomPoint" + overlay.suffix
        visible: false
        source: "qrc:/images/zoom-point.png"
    }

    PlayerToolbar {
        id: toolbar
        overlay: overlay
    }

    Rectangle {
        id: hoverHelp
        objectName: "hoverHelp" + overlay.suffix
        z: 2
        visible: false
        width: hoverTxt.width + 20
        height: 30
        radius: 5
        color: Theme.hoverBackground

        Text {
            id: hoverTxt
            objectName: "hoverTxt" + overlay.suffix
            anchors.centerIn: parent
            font.bold: true
            font.pixelSize: Theme.fontBody
            font.family: Theme.fontBold.name
            color: Theme.hoverText
        }
    }
}
