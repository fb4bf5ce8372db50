import QtQml 2.12
import VelmoraPlayer 1.0
import "playercontrol.js" as Control

// What the controls of the two large players do, and how the players start
// and stop. `overlay` names the player acted on: the in-window large view
// (`largeOverlay`, whose controls act on the channel players in use) or the
// full-screen player (`fullOverlay`, whose controls act on it alone).
// The window's players and shared state are those of the main window.
QtObject {
    id: actions

    // ---- names, labels and the channel layout ------------------------------

    function setNameLabels(name, channels) {
        largeOverlay.nameText = name
        fullOverlay.nameText = name
        smallView2.nameText = channels >= 2 ? name : ""
        smallView3.nameText = channels >= 3 ? name : ""
    }

    function clearNameLabels() {
        actions.setNameLabels("", 3)
    }

    function trackLabel(track) {
        var labels = [qsTranslate("main", "전방"), qsTranslate("main", "CAM1"),
                      qsTranslate("main", "CAM2")]
        return labels[track] || ""
    }

    // The tracks of the three views by the channel layout (videoViewPos).
    function applyChannelLayout(channels) {
        var tracks = Control.channelTracks(channels, mainWin.videoViewPos)
        if (tracks[0] < 0)
            return
        videoOut1.videoTrack = tracks[0]
        videoOut1popup.videoTrack = tracks[0]
        videoOut2.videoTrack = tracks[1]
        if (tracks[2] >= 0)
            videoOut3.videoTrack = tracks[2]
    }

    function refreshIfPaused(player) {
        if (player.playbackState === MediaPlayer.PausedState)
            player.seek(player.position)
    }

    // The players a control of `overlay` acts on.
    function targets(overlay) {
        return overlay.fullScreen ? [videoOut1popup] : mainWin.playersInUse()
    }

    function resetZoom(overlay) {
        var player = overlay.player
        player.zoom = 1.0
        player.roi_x = 0
        player.roi_y = 0
        player.roi_width = player.videoFrameWidth
        player.roi_height = player.videoFrameHeight
        overlay.centreZoomPoint()
    }

    // ---- starting and stopping ------------------------------------------

    // A large player has started or resumed.
    function largeBegan(overlay) {
        var player = overlay.player
        largeOverlay.nameText = mainWin.currentPlayFileName
        fullOverlay.nameText = mainWin.currentPlayFileName
        if (mainWin.curDuration > 0) {
            overlay.stopTimer.interval = mainWin.curDuration * 1000
            overlay.stopTimer.restart()
            mainWin.playDuration = mainWin.curDuration * 1000
        } else {
            mainWin.playDuration = player.duration
        }
        mainWin.playTrigger()
        if (mainWin.seekposition1 > 0) {
            player.seek(mainWin.seekposition1)
            mainWin.seekposition1 = 0
        }
        overlay.toolbarShown = false
        // A zoom survives a pause, and so does its point.
        if (player.zoom <= 1.0)
            overlay.centreZoomPoint()
        player.fillMode = VideoOutput.Stretch
    }

    // The small views end with the large one, even when a shorter or later
    // track of theirs has a little left.
    function largeEnded() {
        if (mainWin.fullmode === 0)
            videoOut1popup.halt()
        videoOut2.halt()
        videoOut3.halt()
        largeOverlay.stopTimer.stop()
        largeOverlay.toolbarShown = true
        mainWin.stopTrigger()
        resetZoom(largeOverlay)
        mainWin.stopDispatch()
        videoOut1.fillMode = VideoOutput.PreserveAspectFit
    }

    // In full-screen mode the stop of the in-window large view carries the
    // play pipeline on. When a recording was started in full screen, those
    // players never ran, and the pipeline goes on from here in the same way.
    function fullEnded() {
        fullOverlay.stopTimer.stop()
        resetZoom(fullOverlay)
        videoOut1popup.fillMode = VideoOutput.PreserveAspectFit
        if (mainWin.fullmode !== 1)
            return
        if (!videoOut1.isStopped()) {
            mainWin.stopAll()
        } else {
            videoOut2.halt()
            videoOut3.halt()
            mainWin.stopDispatch()
        }
    }

    function headerDurationEnded(overlay) {
        var players = targets(overlay)
        for (var i = 0; i < players.length; ++i)
            players[i].halt()
    }

    // ---- transport ------------------------------------------------------

    // Previous (+1: the next older recording) or next (-1).
    function stepList(overlay, delta) {
        if (mainWin.videoPlayListCount <= 0)
            return
        var index = mainWin.videoPlayListCurIdx + delta
        if (index >= mainWin.videoPlayListCount) {
            mainWin.videoPlayListCurIdx = mainWin.videoPlayListCount - 1
            return
        }
        if (index < 0) {
            mainWin.videoPlayListCurIdx = 0
            return
        }
        mainWin.videoPlayListCurIdx = index
        if (overlay.stopped) {
            mainWin.videoListfunc()
        } else if (overlay.fullScreen) {
            mainWin.dbClickCheck = 1
            videoOut1popup.halt()
        } else {
            // The stop handler starts the new recording.
            mainWin.stopForFollowUp(1)
        }
    }

    function seekTo(overlay, ms) {
        if (overlay.stopped)
            return
        var players = targets(overlay)
        for (var i = 0; i < players.length; ++i)
            players[i].seek(ms)
    }

    // Rewind (-1) or fast forward (+1) by three seconds.
    function skip(overlay, direction) {
        var position = overlay.player.position
        seekTo(overlay, direction < 0 ? Control.rewindTarget(position)
                                      : Control.forwardTarget(position, mainWin.playDuration))
    }

    function playPause(overlay) {
        var players = targets(overlay)
        var i
        if (overlay.player.playbackState === MediaPlayer.PlayingState) {
            for (i = 0; i < players.length; ++i)
                players[i].pause()
        } else if (overlay.player.playbackState === MediaPlayer.PausedState) {
            for (i = 0; i < players.length; ++i)
                players[i].play()
        } else if (overlay.stopped && mainWin.videoPlayListCount > 0) {
            mainWin.videoPlayListCurIdx = mainWin.videoPlayListCount - 1
            mainWin.videoListfunc()
        }
    }

    // The player on the screen: the full-screen one while it is shown.
    function shownOverlay() {
        return mainWin.fullmode === 1 ? fullOverlay : largeOverlay
    }

    // Every view plays at `rate`, the full-screen player too.
    function setSpeed(rate) {
        var players = [videoOut1, videoOut2, videoOut3, videoOut1popup]
        for (var i = 0; i < players.length; ++i)
            players[i].playbackRate = rate
    }

    function stepSpeed(overlay, up) {
        setSpeed(Control.nextSpeed(overlay.player.playbackRate, up))
    }

    // One frame on (+1) or back (-1) in the paused players.
    function stepFrame(overlay, direction) {
        if (overlay.player.playbackState !== MediaPlayer.PausedState)
            return
        var players = targets(overlay)
        for (var i = 0; i < players.length; ++i) {
            if (direction > 0)
                players[i].stepForward()
            else
                players[i].stepBackward()
        }
    }

    // ---- the picture --------------------------------------------------------

    // The large views show the default picture of their track, unrotated.
    function resetPicture() {
        videoOut1.showTrackDefault()
        videoOut1popup.showTrackDefault()
        mainWin.video1Rotate = 0
    }

    function switchChannel(overlay) {
        if (overlay.stopped || overlay.player.starting)
            return
        var channels = mainWin.videoChannelIdx
        if (channels >= 2) {
            var position = overlay.player.position
            var players = targets(overlay)
            var i
            mainWin.seekposition1 = position
            if (!overlay.fullScreen) {
                mainWin.seekposition2 = position
                if (channels === 3)
                    mainWin.seekposition3 = position
            }
            mainWin.dbClickCheck = 2
            for (i = 0; i < players.length; ++i)
                players[i].halt()
            mainWin.videoViewPos = Control.nextViewPos(channels, mainWin.videoViewPos)
            actions.applyChannelLayout(channels)
            for (i = 0; i < players.length; ++i)
                players[i].start()
        }
        resetPicture()
    }

    function rotate(overlay) {
        if (overlay.stopped)
            return
        mainWin.video1Rotate = (mainWin.video1Rotate + 1) % 4
        var orientation = Control.rotationOrientation(mainWin.video1Rotate, overlay.player.videoTrack)
        videoOut1.orientation = orientation
        videoOut1popup.orientation = orientation
        refreshIfPaused(overlay.player)
    }

    // The horizontal mirror turns the picture by 180 and flips it; the
    // vertical one only flips it.
    function mirror(overlay, horizontal) {
        if (overlay.stopped)
            return
        var flip = !overlay.player.vflip
        var players = [videoOut1, videoOut1popup]
        for (var i = 0; i < players.length; ++i) {
            if (horizontal)
                players[i].orientation = flip ? 180 : 0
            players[i].vflip = flip
        }
        overlay.player.opacity = overlay.player.opacity === 1 ? 0.99 : 1
        refreshIfPaused(overlay.player)
    }

    function zoom(overlay, plus) {
        var player = overlay.player
        if (plus === 1 ? player.zoom >= Control.zoomMax : player.zoom <= Control.zoomMin)
            return
        mainWin.zoomCenterX = overlay.pointX
        mainWin.zoomCenterY = overlay.pointY
        mainWin.videoZoomEx(player, plus)
    }

    // Brightness and contrast are shared by the two large views.
    function setPicture(overlay, name, value) {
        videoOut1[name] = value
        videoOut1popup[name] = value
        refreshIfPaused(overlay.player)
        overlay.activity()
    }

    // ---- sound and speed unit ---------------------------------------------

    function setVolume(overlay, value) {
        overlay.player.volume = value
        overlay.activity()
    }

    function toggleMute(overlay) {
        var player = overlay.player
        if (player.volume > 0) {
            mainWin.volumeLevelPre = player.volume
            player.volume = 0
        } else {
            player.volume = mainWin.volumeLevelPre
        }
        overlay.activity()
    }

    function toggleSpeedUnit() {
        mainWin.speedUnit = mainWin.speedUnit === 1 ? 0 : 1
        myFile.vspeedunit = mainWin.speedUnit
        myFile.writePCConfig()
    }

    // The playing recording from around the moment `overlay` shows; nothing
    // while no recording is loaded.
    function shareClip(overlay) {
        if (!overlay.stopped)
            mainWin.shareClip(Math.min(overlay.player.position, mainWin.playDuration))
    }

    // ---- full screen ------------------------------------------------------

    // The full-screen player takes over at the large view's position; a
    // recording with a header duration starts over. The in-window players
    // never play beside it: they pause, or stop for a restart.
    function enterFullScreen() {
        if (mainWin.curDuration > 0)
            largeOverlay.stopTimer.stop()
        mainWin.flags = Qt.Window | Qt.FramelessWindowHint
        mainWin.visibility = "Maximized"
        mainWin.fullmode = 1
        videoOut1popup.volume = videoOut1.volume
        videoOut1popup.opacity = 1
        videoOut1popup.visible = true
        var loaded = videoOut1popup.source.toString() !== ""
        if (mainWin.curDuration > 0) {
            if (loaded)
                videoOut1popup.start()
            // Giving way is no end of clip.
            if (!videoOut1.isStopped())
                mainWin.stopForFollowUp(2)
        } else {
            if (videoOut1.position > 0)
                mainWin.seekposition1 = videoOut1.position
            if (loaded)
                videoOut1popup.start()
            mainWin.pauseAll()
        }
        resetZoom(largeOverlay)
    }

    // The in-window players take over at the full-screen position (from the
    // beginning for a recording with a header duration).
    // `resume` false leaves the views stopped (the recording is gone).
    function leaveFullScreen(resume) {
        if (mainWin.curDuration > 0)
            fullOverlay.stopTimer.stop()
        resetZoom(fullOverlay)
        mainWin.fullmode = 0
        videoOut1.volume = videoOut1popup.volume
        var position = 0
        if (mainWin.curDuration > 0) {
            videoOut1popup.halt()
        } else {
            position = videoOut1popup.position
            if (videoOut1popup.playbackState === MediaPlayer.PlayingState)
                videoOut1popup.pause()
        }
        var players = mainWin.playersInUse()
        var keys = ["seekposition1", "seekposition2", "seekposition3"]
        for (var i = 0; i < players.length && resume !== false; ++i) {
            mainWin[keys[i]] = position
            if (players[i].source.toString() !== "")
                players[i].start()
        }
        videoOut1popup.opacity = 0
        videoOut1popup.visible = false
        mainWin.flags = Qt.Window
        mainWin.visibility = "Maximized"
    }

    function toggleFullScreen(overlay) {
        if (overlay.fullScreen)
            mainWin.leaveFullScreen()
        else
            mainWin.enterFullScreen()
    }
}
