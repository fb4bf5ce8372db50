import QtQuick 2.12
import VelmoraPlayer 1.0
import "playercontrol.js" as Control

// One channel player. A player still opening its recording reports the
// stopped state; `starting` marks it as started all the same, and a stop
// asked for meanwhile is carried out once it has opened (stopping it before
// that can leave it unable to play again). `began` and `ended` report the
// playing and stopped states to the scene.
Video {
    id: view

    // play() was called and the player has not reported back yet.
    property bool starting: false
    // A stop, or a pause, was asked for while it was opening.
    property bool stopWhenOpen: false
    property bool pauseWhenOpen: false

    signal began
    signal ended

    function isStopped() {
        return playbackState === MediaPlayer.StoppedState && !starting
    }

    // Starts a stopped player or resumes a paused one; a playing one goes on.
    function start() {
        stopWhenOpen = false
        pauseWhenOpen = false
        if (playbackState === MediaPlayer.StoppedState)
            starting = true
        play()
    }

    function hold() {
        if (starting)
            pauseWhenOpen = true
        else if (playbackState === MediaPlayer.PlayingState)
            pause()
    }

    function halt() {
        if (starting)
            stopWhenOpen = true
        else
            stop()
    }

    // The picture as its track shows it by default.
    function showTrackDefault() {
        orientation = Control.defaultOrientation(videoTrack)
        vflip = Control.defaultVflip(videoTrack)
    }

    onPlaying: {
        starting = false
        if (stopWhenOpen) {
            stopWhenOpen = false
            stop()
            return
        }
        began()
        if (pauseWhenOpen) {
            pauseWhenOpen = false
            pause()
        }
    }
    onStopped: {
        starting = false
        stopWhenOpen = false
        pauseWhenOpen = false
        ended()
    }
}
