import QtQuick 2.12
import VelmoraPlayer 1.0
import "playercontrol.js" as Control

// The toolbar of a large player: names, transport, the seek bar and times,
// the picture controls and the sliders. It fades in and out over 300 ms;
// while hidden its controls take no mouse input, so a click there reaches
// the picture and shows the toolbar again.
Item {
    id: toolbar

    property Item overlay: null
    // Shown or hidden; the opacity follows.
    property bool shown: true

    readonly property ChannelView player: overlay.player
    readonly property QtObject actions: overlay.actions
    readonly property string suffix: overlay.suffix
    readonly property real rowStep: Theme.toolbarRowStep(overlay.sizeClass)
    readonly property real buttonScale: Theme.toolbarButtonScale(overlay.sizeClass)
    readonly property real lowerRowY: progress_Bar.y + 30
    property alias nameText: currentPlayFName.text

    objectName: "toolbar" + suffix
    anchors.fill: parent
    enabled: shown
    opacity: shown ? 1 : 0
    Behavior on opacity {
        NumberAnimation {
            duration: 300
        }
    }

    // Shading behind the labels and the controls, so that they stay
    // readable over a bright picture.
    Rectangle {
        width: parent.width
        height: 100
        gradient: Gradient {
            GradientStop {
                position: 0
                color: Theme.shade
            }
            GradientStop {
                position: 1
                color: Theme.clear
            }
        }
    }
    Rectangle {
        y: progress_Bar.y - 60
        width: parent.width
        height: parent.height - y
        gradient: Gradient {
            GradientStop {
                position: 0
                color: Theme.clear
            }
            GradientStop {
                position: 0.4
                color: Theme.shade
            }
            GradientStop {
                position: 1
                color: Theme.shadeDeep
            }
        }
    }

    Text {
        id: currentPlayFName
        objectName: "currentPlayFName" + toolbar.suffix
        anchors.horizontalCenter: parent.horizontalCenter
        y: 30
        font.pixelSize: Theme.fontTitle
        font.family: Theme.fontRegular.name
        color: Theme.text
    }
    // The playback speed, beside the name, while it is not the normal one.
    Text {
        objectName: "speedLabel" + toolbar.suffix
        anchors.left: currentPlayFName.right
        anchors.leftMargin: 12
        anchors.baseline: currentPlayFName.baseline
        text: toolbar.player ? Control.speedText(toolbar.player.playbackRate) : ""
        visible: text !== ""
        font.pixelSize: Theme.fontTitle
        font.family: Theme.fontBold.name
        color: Theme.accent
    }
    Text {
        id: playFrontText
        objectName: "playFrontText" + toolbar.suffix
        anchors.horizontalCenter: parent.horizontalCenter
        y: 55
        text: playerActions.trackLabel(toolbar.player ? toolbar.player.videoTrack : 0)
        font.pixelSize: Theme.fontDisplay
        font.family: Theme.fontRegular.name
        color: Theme.text
    }

    // ---- transport, on the middle line ----------------------------------

    OverlayButton {
        objectName: "beforeBtn" + toolbar.suffix
        x: 5
        anchors.verticalCenter: parent.verticalCenter
        normalSource: "qrc:/images/previous-file.png"
        pressEffect: true
        hoverText: qsTranslate("main", "Previous file")
        hoverRise: 20
        overlay: toolbar.overlay
        onActivated: toolbar.actions.stepList(toolbar.overlay, 1)
    }
    OverlayButton {
        objectName: "nextBtn" + toolbar.suffix
        x: parent.width - width
        anchors.verticalCenter: parent.verticalCenter
        normalSource: "qrc:/images/next-file.png"
        pressEffect: true
        hoverText: qsTranslate("main", "Next file")
        hoverRise: 20
        hoverShift: myFile.vlang === 0 ? 10 : 30
        overlay: toolbar.overlay
        onActivated: toolbar.actions.stepList(toolbar.overlay, -1)
    }
    OverlayButton {
        objectName: "rewBtn" + toolbar.suffix
        x: 200 * mainWin.widthRate
        anchors.verticalCenter: parent.verticalCenter
        normalSource: "qrc:/images/player-rewind.png"
        pressEffect: true
        hoverText: qsTranslate("main", "Rewind 3 seconds")
        hoverRise: 30
        overlay: toolbar.overlay
        onActivated: toolbar.actions.skip(toolbar.overlay, -1)
    }
    OverlayButton {
        objectName: "ffBtn" + toolbar.suffix
        x: parent.width - width - 200 * mainWin.widthRate
        anchors.verticalCenter: parent.verticalCenter
        normalSource: "qrc:/images/player-forward.png"
        pressEffect: true
        hoverText: qsTranslate("main", "Fast forward 3 seconds")
        hoverRise: 30
        overlay: toolbar.overlay
        onActivated: toolbar.actions.skip(toolbar.overlay, 1)
    }
    OverlayButton {
        objectName: "play_pauseBtn" + toolbar.suffix
        anchors.centerIn: parent
        scale: toolbar.buttonScale
        normalSource: toolbar.player && toolbar.player.playbackState === MediaPlayer.PlayingState
                      ? "qrc:/images/player-pause.png" : "qrc:/images/player-play.png"
        pressEffect: true
        overlay: toolbar.overlay
        onActivated: {
            if (mainWin.mutexLock === 0 && toolbar.shown)
                toolbar.actions.playPause(toolbar.overlay)
        }
    }

    // ---- the seek bar and times -----------------------------------------

    Item {
        id: progress_Bar
        objectName: "progress_Bar" + toolbar.suffix
        x: 17
        y: parent.height - 120
        width: parent.width - 34
        height: progBG.height

        readonly property bool running: toolbar.player !== null && !toolbar.overlay.stopped
        readonly property real shownPosition: running && mainWin.playDuration > 0
                                              ? Math.min(toolbar.player.position, mainWin.playDuration)
                                              : 0
        // Width of the filled part; the knob stands at its end.
        readonly property real filled: running && mainWin.playDuration > 0
                                       ? progBG.width * shownPosition / mainWin.playDuration : 0

        Image {
            id: progBG
            objectName: "progBG" + toolbar.suffix
            width: parent.width
            source: "qrc:/images/seek-track.png"
        }
        Image {
            width: progress_Bar.filled
            height: progBG.height
            source: "qrc:/images/seek-played.png"
        }
        // The moment of the strongest shock, where the graph marks it.
        Rectangle {
            readonly property real fraction: mainWin.graphloader
                                             ? mainWin.graphloader.peakFraction : -1
            objectName: "peakTick" + toolbar.suffix
            x: progBG.width * fraction - width / 2
            y: -4
            width: 2
            height: progBG.height + 8
            color: Theme.graphPeak
            visible: progress_Bar.running && fraction >= 0
        }
        Image {
            id: progPoint
            objectName: "progPoint" + toolbar.suffix
            x: progress_Bar.filled - 6
            y: -6
            width: progress_Bar.running ? 16 : 0
            source: "qrc:/images/seek-knob.png"
        }
        MouseArea {
            // A little taller than the bar, so it is easy to hit.
            anchors.fill: parent
            anchors.topMargin: -8
            anchors.bottomMargin: -8
            enabled: mainWin.curDuration <= 0
            onPressed: toolbar.actions.seekTo(toolbar.overlay, Control.seekBarTarget(
                                                  mouse.x, progBG.width, mainWin.playDuration))
            onPositionChanged: {
                if (pressed)
                    toolbar.actions.seekTo(toolbar.overlay, Control.seekBarTarget(
                                               mouse.x, progBG.width, mainWin.playDuration))
            }
        }
        Text {
            objectName: "currentTime" + toolbar.suffix
            y: -25 - height / 2
            text: progress_Bar.running ? Control.clockText(progress_Bar.shownPosition) : ""
            font.bold: true
            font.pixelSize: Theme.fontItem
            font.family: Theme.fontBold.name
            color: Theme.text
        }
        Text {
            objectName: "endTime" + toolbar.suffix
            anchors.right: parent.right
            y: -25 - height / 2
            text: progress_Bar.running ? Control.clockText(mainWin.playDuration) : ""
            font.bold: true
            font.pixelSize: Theme.fontItem
            font.family: Theme.fontBold.name
            color: Theme.text
        }
    }

    PictureControls {
        anchors.fill: parent
        toolbar: toolbar
        rowX: progress_Bar.x
        rowY: toolbar.lowerRowY
    }
}
