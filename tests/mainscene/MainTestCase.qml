import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// A case over the viewer's main window from the resource bundle; inner objects by objectName.
TestCase {
    id: mainCase

    property var win: null
    property var closing: null
    // The card the cases share, made by initTestCase.
    property string card: ""

    Component {
        id: spyComponent
        SignalSpy {}
    }

    function openMain() {
        var component = Qt.createComponent("qrc:/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        // Snapshots of the report go to a scratch folder, not the desktop.
        win.currentWrokDir = fixture.makeFolder() + "/"
        // Laid out and on the screen, so that clicks land where they aim.
        waitForRendering(child("videoOut1"))
    }

    function child(name) {
        var found = findChild(win, name)
        verify(found, "no object named " + name)
        return found
    }

    function argumentsOf(signalSpy, index) {
        return Array.prototype.slice.call(signalSpy.signalArguments[index])
    }

    function spy(target, signalName) {
        return spyComponent.createObject(mainCase, { "target": target, "signalName": signalName })
    }

    // As confirming the card dialog does; the start-up's dialogs are closed.
    function chooseCard(card) {
        child("myFile").source = card
        win.sdCardDetect = 1
        win.setList()
        child("menu1Popup").item.close()
        child("notiPopup").close()
    }

    // The window's notice box says `text`; without a text, no notice is shown.
    function expectNotice(text) {
        if (text === undefined)
            return compare(child("notiPopup").visible, false, child("notiPopuptxt").text)
        tryCompare(child("notiPopup"), "opened", true)
        compare(child("notiPopuptxt").text, text)
    }

    function waitUntilPlaying(player) {
        tryCompare(player, "playbackState", MediaPlayer.PlayingState, 15000)
    }

    function playRecording(name) {
        var myFile = child("myFile")
        for (var i = 0; myFile.readfilename(0, i) !== name + ".avi"; ++i)
            verify(i < myFile.readfileCnt(0), "no recording " + name)
        child("listActions").listPlayDBClick(0, i, myFile.readfileCnt(0))
        waitUntilPlaying(child("videoOut1"))
    }

    // The toolbar is shown first, as the user's mouse would show it.
    function clickControl(name, toolbarName) {
        child(toolbarName || "toolbar").shown = true
        mouseClick(child(name))
    }

    // After `action` each of `players` plays from `stored` (ms): once it plays
    // it is not before `stored` less one frame, and then it advances.
    function expectResumeFrom(players, stored, action) {
        var at = players.map(function() { return -1 })
        var hooks = players.map(function(p, i) {
            return function() { if (at[i] < 0) at[i] = p.position }
        })
        players.forEach(function(p, i) { p.playing.connect(hooks[i]) })
        action()
        players.forEach(function(p, i) {
            tryVerify(function() { return at[i] >= 0 }, 10000, p.objectName + " did not play")
            p.playing.disconnect(hooks[i])
            verify(at[i] >= stored - 34, p.objectName + " played from " + at[i] + ", not " + stored)
            tryVerify(function() { return p.position > at[i] }, 10000, p.objectName)
        })
    }

    function init() {
        openMain()
        chooseCard(card)
    }

    function cleanup() {
        if (!win)
            return
        win.shutDown()
        // A property that held a destroyed object reads null.
        closing = win
        win.destroy()
        win = null
        tryVerify(function() { return closing === null }, 5000, "the window was not destroyed")
    }
}
