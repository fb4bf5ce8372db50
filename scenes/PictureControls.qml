import QtQuick 2.12
import VelmoraPlayer 1.0

// The lower row of a large player's toolbar (zoom, channel switch, rotation,
// the mirrors, full screen, the speed unit and Share clip) and the brightness, contrast
// and volume sliders at its right. The row starts at (rowX, rowY); in the
// compact layout its steps shrink and its buttons are scaled to 0.8.
Item {
    id: controls

    property Item toolbar: null
    property real rowX: 0
    property real rowY: 0

    readonly property ChannelView player: toolbar.player
    readonly property QtObject actions: toolbar.actions
    readonly property Item overlay: toolbar.overlay
    readonly property string suffix: toolbar.suffix
    readonly property real step: toolbar.rowStep
    // The lower row's hover help stands 40 px above the seek bar.
    readonly property real hoverAt: rowY - 30 - 40

    function place(index) {
        return rowX + index * step
    }

    OverlayButton {
        objectName: controls.overlay.fullScreen ? "zoomIn2" : "zoomIn1"
        x: controls.place(0)
        y: controls.rowY
        scale: controls.toolbar.buttonScale
        normalSource: "qrc:/images/player-zoom-in-nor.png"
        dimSource: "qrc:/images/player-zoom-in-dim.png"
        dimmed: controls.player !== null && controls.player.zoom >= 3.0
        hoverText: qsTranslate("main", "Zoom In")
        hoverAt: controls.hoverAt
        overlay: controls.overlay
        onActivated: controls.actions.zoom(controls.overlay, 1)
    }
    OverlayButton {
        objectName: controls.overlay.fullScreen ? "zoomOut2" : "zoomOut1"
        x: controls.place(1)
        y: controls.rowY
        scale: controls.toolbar.buttonScale
        normalSource: "qrc:/images/player-zoom-out-nor.png"
        dimSource: "qrc:/images/player-zoom-out-dim.png"
        dimmed: controls.player === null || controls.player.zoom <= 1.0
        hoverText: qsTranslate("main", "Zoom Out")
        hoverAt: controls.hoverAt
        overlay: controls.overlay
        onActivated: controls.actions.zoom(controls.overlay, 0)
    }
    OverlayButton {
        objectName: "switchSC" + controls.suffix
        x: controls.place(2)
        y: controls.rowY
        scale: controls.toolbar.buttonScale
        normalSource: "qrc:/images/player-switch-nor.png"
        dimSource: "qrc:/images/player-switch-dim.png"
        hoverText: qsTranslate("main", "Switch screen")
        hoverAt: controls.hoverAt
        overlay: controls.overlay
        onActivated: controls.actions.switchChannel(controls.overlay)
    }
    OverlayButton {
        objectName: "rotateBtn" + controls.suffix
        x: controls.place(3)
        y: controls.rowY
        scale: controls.toolbar.buttonScale
        normalSource: mainWin.videoRotateNor[mainWin.video1Rotate]
        dimSource: mainWin.videoRotateDim[mainWin.video1Rotate]
        hoverText: qsTranslate("main", "Rotation")
        hoverAt: controls.hoverAt
        overlay: controls.overlay
        onActivated: controls.actions.rotate(controls.overlay)
    }
    OverlayButton {
        objectName: "hReverse" + controls.suffix
        x: controls.place(4)
        y: controls.rowY
        scale: controls.toolbar.buttonScale
        normalSource: "qrc:/images/player-mirror-horizontal-nor.png"
        dimSource: "qrc:/images/player-mirror-horizontal-dim.png"
        hoverText: qsTranslate("main", "Horizontal reverse")
        hoverAt: controls.hoverAt
        overlay: controls.overlay
        onActivated: controls.actions.mirror(controls.overlay, true)
    }
    OverlayButton {
        objectName: "vReverse" + controls.suffix
        x: controls.place(5)
        y: controls.rowY
        scale: controls.toolbar.buttonScale
        normalSource: "qrc:/images/player-mirror-vertical-nor.png"
        dimSource: "qrc:/images/player-mirror-vertical-dim.png"
        hoverText: qsTranslate("main", "Vertical reverse")
        hoverAt: controls.hoverAt
        overlay: controls.overlay
        onActivated: controls.actions.mirror(controls.overlay, false)
    }
    OverlayButton {
        objectName: "fullSC" + controls.suffix
        x: controls.place(6)
        y: controls.rowY
        scale: controls.toolbar.buttonScale
        normalSource: "qrc:/images/player-fullscreen-nor.png"
        dimSource: "qrc:/images/player-fullscreen-dim.png"
        hoverText: qsTranslate("main", "Full screen")
        hoverAt: controls.hoverAt
        overlay: controls.overlay
        onActivated: controls.actions.toggleFullScreen(controls.overlay)
    }
    Image {
        id: unitBox
        objectName: "speedUnitTxt" + controls.suffix
        x: controls.place(7)
        y: controls.rowY
        source: "qrc:/images/unit-box.png"

        Text {
            anchors.centerIn: parent
            text: mainWin.speedUnit === 1 ? qsTranslate("main", "Km/h") : qsTranslate("main", "Mi/h")
            font.pixelSize: Theme.fontTitle
            font.family: Theme.fontRegular.name
            color: Theme.text
        }
        MouseArea {
            anchors.fill: parent
            onClicked: controls.actions.toggleSpeedUnit()
        }
    }

    // A step after the unit box, whatever its width.
    OverlayButton {
        objectName: "shareClipButton" + controls.suffix
        x: unitBox.x + unitBox.width + controls.step - width
        y: controls.rowY
        scale: controls.toolbar.buttonScale
        normalSource: "qrc:/images/player-share-nor.png"
        dimSource: "qrc:/images/player-share-dim.png"
        dimmed: controls.overlay.stopped
        hoverText: qsTranslate("main", "Share clip")
        hoverAt: controls.hoverAt
        overlay: controls.overlay
        onActivated: controls.actions.shareClip(controls.overlay)
    }

    OverlaySlider {
        objectName: "brightnessCtrl" + controls.suffix
        slider.objectName: "brightnessslider" + controls.suffix
        x: controls.width - 378
        y: controls.rowY
        icon: "qrc:/images/brightness.png"
        value: controls.player ? controls.player.brightness : 0
        overlay: controls.overlay
        onMoved: controls.actions.setPicture(controls.overlay, "brightness", value)
        onIconClicked: controls.actions.setPicture(controls.overlay, "brightness", 0)
    }
    OverlaySlider {
        objectName: "contrastCtrl" + controls.suffix
        slider.objectName: "contrastslider" + controls.suffix
        x: controls.width - 378
        y: controls.rowY + 40
        icon: "qrc:/images/contrast.png"
        value: controls.player ? controls.player.contrast : 0
        overlay: controls.overlay
        onMoved: controls.actions.setPicture(controls.overlay, "contrast", value)
        onIconClicked: controls.actions.setPicture(controls.overlay, "contrast", 0)
    }
    OverlaySlider {
        objectName: "valumeCtrl" + controls.suffix
        slider.objectName: "volumeslider" + controls.suffix
        x: controls.width - 178
        y: controls.rowY
        from: 0
        to: 1
        icon: controls.player && controls.player.volume > 0 ? "qrc:/images/player-volume.png"
                                                            : "qrc:/images/player-muted.png"
        value: controls.player ? controls.player.volume : 0
        overlay: controls.overlay
        onMoved: controls.actions.setVolume(controls.overlay, value)
        onIconClicked: controls.actions.toggleMute(controls.overlay)
    }
}
