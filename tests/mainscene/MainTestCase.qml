import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// A case that opens the viewer's main window from the resource bundle and
// closes it again afterwards. Inner objects are found by their objectName.
TestCase {
    id: mainCase

    property var win: null
    property var closing: null

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
        // Laid out and on the screen, so that clicks land where they aim.
        waitForRendering(child("videoOut1"))
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
        // The dialogs of the start-up stand aside as a user would close them.
        if (child("menu1Popup").item)
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

    // Index of a recording in the list of category 0.
    function indexOf(name) {
        var myFile = child("myFile")
        for (var i = 0; i < myFile.readfileCnt(0); ++i) {
            if (myFile.readfilename(0, i) === name + ".avi")
                return i
        }
        fail("no recording " + name)
    }

    function playRecording(name) {
        child("listActions").listPlayDBClick(0, indexOf(name), child("myFile").readfileCnt(0))
        waitUntilPlaying(child("videoOut1"))
    }

    // A click on a control of a large player's toolbar, shown first as a
    // user's mouse would show it.
    function clickControl(name, toolbarName) {
        child(toolbarName || "toolbar").shown = true
        mouseClick(child(name))
    }

    function cleanup() {
        if (!win)
            return
        // Stop without any follow-up, then close.
        win.dbClickCheck = 2
        win.stopAll()
        child("readyTimer").stop()
        child("playTimer").stop()
        // A property that held a destroyed object reads null.
        closing = win
        win.destroy()
        win = null
        tryVerify(function() { return closing === null }, 5000, "the window was not destroyed")
    }
}
