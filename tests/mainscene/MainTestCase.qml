import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// A case that opens the viewer's main window from the resource bundle and
// closes it again afterwards. Inner objects are found by their objectName.
TestCase {
    id: mainCase

    property var win: null

    Component {
        id: spyComponent
        SignalSpy {}
    }

    function openMain() {
        var component = Qt.createComponent("qrc:/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        verify(win !== null, "the main window was not created")
        // Snapshots of the report go to a scratch folder, not the desktop.
        win.currentWrokDir = fixture.makeFolder() + "/"
        return win
    }

    function child(name) {
        var found = findChild(win, name)
        verify(found !== null, "no object named " + name)
        return found
    }

    // The arguments of one emission as a plain array.
    function argumentsOf(signalSpy, index) {
        return Array.prototype.slice.call(signalSpy.signalArguments[index])
    }

    function spy(target, signalName) {
        return spyComponent.createObject(mainCase, { "target": target, "signalName": signalName })
    }

    // The card becomes the source and its list is shown, as confirming the
    // card dialog does.
    function chooseCard(card) {
        child("myFile").source = card
        win.sdCardDetect = 1
        win.setList()
    }

    function waitUntilPlaying(player) {
        tryCompare(player, "playbackState", MediaPlayer.PlayingState, 15000)
    }

    function cleanup() {
        if (!win)
            return
        // Stop without any follow-up, then close.
        win.dbClickCheck = 2
        win.stopAll()
        child("readyTimer").stop()
        child("playTimer").stop()
        win.destroy()
        win = null
        wait(50)
    }
}
