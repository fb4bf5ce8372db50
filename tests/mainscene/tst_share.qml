import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0
import "qrc:/report.js" as Paths
import "qrc:/share.js" as Rules

// Share clip from the large player and from the report screen, over a real
// recording: the range proposed, the file written and what the notice says
// of it, and a cancel that leaves nothing.
MainTestCase {
    name: "Share"

    readonly property string one: "R_20261206_081512_T_N"

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: one + ".avi", channels: 3, seconds: 20 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function tr(text) {
        return qsTranslate("ShareDialog", text)
    }

    // Twice: a position the player reported before its pause can arrive
    // after the first seek and stand in for it.
    function pausedAt(ms) {
        playRecording(one)
        // Each view has its picture before the pause, for the report's.
        win.playersInUse().forEach(waitUntilPlaying)
        clickControl("play_pauseBtn")
        tryCompare(child("videoOut1"), "playbackState", MediaPlayer.PausedState)
        for (var round = 0; round < 2; ++round) {
            child("playerActions").seekTo(win.largeOverlay, ms)
            tryVerify(function() { return Math.abs(child("videoOut1").position - ms) < 34 }, 5000)
        }
    }

    function openedDialog() {
        var dialog = child("shareDialog")
        tryCompare(dialog, "opened", true)
        return dialog
    }

    function noticeText() {
        tryCompare(child("shareNotice"), "opened", true, 120000)
        return child("shareNoticeText").text
    }

    // Two seconds of the three cameras, into a folder whose name has to be
    // unescaped from the dialog's URL.
    function test_shareFromThePlayer() {
        pausedAt(12000)
        clickControl("shareClipButton")
        var dialog = openedDialog()
        compare([child("shareFrom").text, child("shareTo").text], ["2", "17"])
        compare(dialog.defaultName, one + "_2-17.mp4")
        child("shareFrom").text = "12"
        child("shareTo").text = "14"
        var folder = fixture.makeFolder() + "/shared #1", name = one + "_12-14.mp4"
        verify(fixture.makePath(folder))
        compare(dialog.defaultName, name)
        dialog.saveTo(Paths.fileUrl(folder + "/" + name))

        var text = noticeText()
        compare(dialog.opened, false)
        compare(fixture.files(folder), [name])
        var facts = fixture.videoFacts(folder + "/" + name)
        if (!facts.width)
            skip("ffprobe is not installed")
        compare(text, tr("Saved %1\n%2 × %3 pixels, %4 long").arg(name).arg(facts.width)
                .arg(facts.height).arg(Rules.lengthText(facts.ms)))
        compare(Rules.lengthText(facts.ms), "00:02")
    }

    // The report's moment is the middle of the range; a cancelled export of
    // the whole clip says so and leaves nothing in the folder.
    function test_shareFromTheReportAndCancel() {
        pausedAt(15000)
        child("mainMenus").menuClicked(5)
        var report = child("reportPopup")
        tryCompare(report, "opened", true, 10000)
        waitForRendering(report.contentItem)
        mouseClick(findChild(report.contentItem, "reportShareButton"))
        var dialog = openedDialog()
        compare([child("shareFrom").text, child("shareTo").text], ["5", "20"])
        compare(dialog.defaultName, one + "_5-20.mp4")
        mouseClick(findChild(dialog.contentItem, "shareRange1"))
        compare(dialog.defaultName, one + "_0-20.mp4")

        var folder = fixture.makeFolder()
        dialog.saveTo(folder + "/" + dialog.defaultName)
        mouseClick(child("shareCancel"))
        compare(noticeText(), tr("Cancelled: nothing was written"))
        compare(fixture.files(folder), [])
        compare(report.opened, true)
    }
}
