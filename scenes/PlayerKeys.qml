import QtQuick 2.12
import VelmoraPlayer 1.0
import "playercontrol.js" as Control

// The keys of the players, on the main window and on the full-screen player
// while it is shown. They act as the toolbar's controls of the player on the
// screen do, and stay quiet while a text field has the focus. While the
// recording has a header duration the seeking keys are locked, as the seek
// bar is; so are the speed keys, as its end is timed on the clock.
Item {
    id: keys

    readonly property Item focused: mainWin.activeFocusItem
    // TextInput and TextEdit both have a cursor; no other item of the window does.
    readonly property bool free: !focused || focused.cursorPosition === undefined
    readonly property bool seekable: free && mainWin.curDuration <= 0

    function overlay() {
        return playerActions.shownOverlay()
    }

    function changeVolume(delta) {
        var player = overlay().player
        playerActions.setVolume(overlay(), Control.clamp(player.volume + delta, 0, 1))
    }

    Shortcut {
        sequence: "Space"
        enabled: keys.free
        onActivated: playerActions.playPause(keys.overlay())
    }
    Shortcut {
        sequence: "Left"
        enabled: keys.seekable
        onActivated: playerActions.skip(keys.overlay(), -1)
    }
    Shortcut {
        sequence: "Right"
        enabled: keys.seekable
        onActivated: playerActions.skip(keys.overlay(), 1)
    }
    Shortcut {
        sequence: "Home"
        enabled: keys.seekable
        onActivated: playerActions.seekTo(keys.overlay(), 0)
    }
    Shortcut {
        sequence: ","
        enabled: keys.seekable
        onActivated: playerActions.stepFrame(keys.overlay(), -1)
    }
    Shortcut {
        sequence: "."
        enabled: keys.seekable
        onActivated: playerActions.stepFrame(keys.overlay(), 1)
    }
    Shortcut {
        // The previous recording is the next older one.
        sequence: "PgUp"
        enabled: keys.free
        onActivated: playerActions.stepList(keys.overlay(), 1)
    }
    Shortcut {
        sequence: "PgDown"
        enabled: keys.free
        onActivated: playerActions.stepList(keys.overlay(), -1)
    }
    Shortcut {
        sequence: "["
        enabled: keys.seekable
        onActivated: playerActions.stepSpeed(keys.overlay(), false)
    }
    Shortcut {
        sequence: "]"
        enabled: keys.seekable
        onActivated: playerActions.stepSpeed(keys.overlay(), true)
    }
    Shortcut {
        sequence: "Up"
        enabled: keys.free
        onActivated: keys.changeVolume(0.1)
    }
    Shortcut {
        sequence: "Down"
        enabled: keys.free
        onActivated: keys.changeVolume(-0.1)
    }
    Shortcut {
        sequence: "M"
        enabled: keys.free
        onActivated: playerActions.toggleMute(keys.overlay())
    }
    Shortcut {
        sequence: "F"
        enabled: keys.free && mainWin.fullmode !== 1
        onActivated: mainWin.enterFullScreen()
    }
    Shortcut {
        sequence: "Escape"
        enabled: keys.free && (help.visible || mainWin.fullmode === 1)
        onActivated: {
            if (help.visible)
                help.visible = false
            else
                mainWin.leaveFullScreen()
        }
    }
    Shortcut {
        objectName: "peakShortcut"
        sequence: "I"
        enabled: keys.free
        onActivated: mainWin.jumpToPeak()
    }
    Shortcut {
        sequences: ["F1", "?"]
        enabled: keys.free
        onActivated: help.visible = !help.visible
    }

    KeyHelp {
        id: help
        objectName: "keyHelp"
        parent: mainWin.contentItem
        visible: false
    }
}
