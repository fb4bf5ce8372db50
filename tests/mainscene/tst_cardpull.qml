import QtQuick 2.12
import QtTest 1.2
import "qrc:/report.js" as Paths

// The card pulled while the viewer works on it, and put back.
MainTestCase {
    name: "CardPull"

    readonly property string recording: "R_20261206_081512_T_N"
    readonly property var recordings: [
        { folder: "Drive", name: recording + ".avi", channels: 3, seconds: 4 },
    ]

    // Each case puts in a card of its own.
    function init() {
        fixture.unmountAll()
        openMain()
    }

    // Stopped before the notice shows (the clip would end on its own), told,
    // nothing listed; the next card put in is offered.
    function pullAndExpectOffered() {
        var myFile = child("myFile")
        var views = ["videoOut1", "videoOut2", "videoOut3"].map(child)
        var atNotice = []
        var note = function() {
            atNotice = views.map(function(v) { return v.isStopped() })
        }
        child("notiPopup").aboutToShow.connect(note)
        verify(fixture.pullCard(card))
        tryCompare(child("notiPopup"), "opened", true, 10000)
        child("notiPopup").aboutToShow.disconnect(note)
        compare(child("notiPopuptxt").text, qsTranslate("main", "SDCard를 삽입해주세요"))
        compare(atNotice, [true, true, true])
        compare([myFile.source, myFile.readfileCnt(0), win.currentPlayFilePath], ["none", 0, ""])

        var back = fixture.makeCard("DASHCAM", recordings)
        tryCompare(child("menu1Popup").item, "page", 1, 10000)
        verify(child("menu1Popup").item.opened)
        compare(myFile.source, back)
    }

    function test_pulledDuringPlayback_data() {
        return [
            { tag: "card folder removed", loop: false },
            { tag: "mount lazily unmounted", loop: true },
        ]
    }

    function test_pulledDuringPlayback(data) {
        card = data.loop ? fixture.makeLoopCard(recordings)
                         : fixture.makeCard("DASHCAM", recordings)
        if (data.loop && card === "")
            skip("no loop-mounted card here: " + fixture.loopProblem())
        verify(card !== "", "the card could not be written")
        chooseCard(card)
        playRecording(recording)
        pullAndExpectOffered()
    }

    // In full screen, with the report screen open on a channel being saved
    // (hanging in a read, as from a slow card): the window comes back from
    // full screen with every view stopped, the save is cancelled and leaves
    // nothing, and the report screen and its cover close.
    function test_pulledUnderTheReportInFullScreen() {
        card = fixture.makeCard("DASHCAM", recordings)
        verify(card !== "", "the card could not be written")
        chooseCard(card)
        playRecording(recording)
        win.playersInUse().forEach(waitUntilPlaying)
        win.enterFullScreen()
        child("mainMenus").menuClicked(5)
        var report = child("reportPopup")
        tryCompare(report, "opened", true, 10000)
        var saved = spy(report.reportFunc, "exportFinished")
        report.popupPath = fixture.makeFolder()
        report.channelBtnIdx = [1, 0, 0]
        fixture.holdCopies()
        report.saveChannels()
        tryVerify(function() { return fixture.copyHangs() }, 10000, "the save did not begin")
        compare(child("loadingPopup").visible, true)
        pullAndExpectOffered()
        verify(fixture.releaseCopies(), "the window waited for the save")
        tryCompare(saved, "count", 1)
        compare(saved.signalArguments[0][1], false)
        compare(fixture.files(report.popupPath), [])
        compare([win.fullmode, child("videoOut1popup").isStopped(), report.opened, report.saving,
                 child("loadingPopup").visible], [0, true, false, false, false])
    }

    // A copy off the pulled card, hanging in a write as on a slow card, is
    // given up without waiting for it; it leaves nothing behind and reports
    // nothing.
    function test_pulledDuringCopy() {
        card = fixture.makeCard("DASHCAM", [])
        var name = "R_20261206_090000_T_N.avi"
        verify(fixture.makePath(card + "Drive"))
        verify(fixture.makeSparseFile(card + "Drive/" + name, 4 * 1024 * 1024))
        chooseCard(card)
        var myFile = child("myFile")
        compare(myFile.readfilename(0, 0), name)
        var reported = spy(myFile, "copyFinished")
        var target = fixture.makeFolder()
        fixture.holdCopies()
        myFile.fileSave(0, 0, target)
        myFile.fileSaveStart()
        child("listActions").listSaveSuccess() // the save pop-up, as the list opens it
        tryVerify(function() { return fixture.copyHangs() }, 10000, "the copy did not begin")
        compare(fixture.files(target).length, 1, "no temporary file while the copy hangs")
        pullAndExpectOffered()
        verify(fixture.releaseCopies(), "the window waited for the copy")
        tryCompare(child("copyProgress"), "opened", false)
        tryVerify(function() { return fixture.files(target).length === 0 }, 10000,
                  "left in the target: " + fixture.files(target))
        compare(reported.count, 0)
    }

    // A clip shared from the pulled card is cancelled and leaves nothing.
    function test_pulledDuringShare() {
        var name = "R_20261206_081530_T_N"
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: name + ".avi", channels: 3, seconds: 20 },
        ])
        verify(card !== "", "the card could not be written")
        chooseCard(card)
        var dialog = child("shareDialog")
        dialog.ask(name, card + "Drive/" + name + ".avi", 20000, 0)
        dialog.whole = true
        var folder = fixture.makeFolder()
        dialog.saveTo(Paths.fileUrl(folder + "/" + name + ".mp4"))
        tryVerify(function() { return dialog.job.framesDone > 0 }, 30000, "the share did not begin")
        pullAndExpectOffered()
        tryCompare(child("shareNotice"), "opened", true, 60000)
        compare(child("shareNoticeText").text,
                qsTranslate("ShareDialog", "Cancelled: nothing was written"))
        compare(fixture.files(folder), [])
    }
}
