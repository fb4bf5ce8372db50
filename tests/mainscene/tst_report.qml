import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0
import "qrc:/report.js" as Rules

// The report screen over the window's own snapshots: what it shows of a
// moment, the end of its wait, and what a save tells.
MainTestCase {
    name: "Report"

    readonly property string one: "R_20261206_081512_S_N"
    readonly property string two: "R_20261206_090000_D_E"

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: one + ".avi", channels: 1, seconds: 3 },
            { folder: "Drive", name: two + ".avi", channels: 2, seconds: 6 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function tr(text) {
        return qsTranslate("Report", text)
    }

    function pausedAt(name, ms) {
        playRecording(name)
        // Each view has its picture before the pause.
        win.playersInUse().forEach(waitUntilPlaying)
        clickControl("play_pauseBtn")
        tryCompare(child("videoOut1"), "playbackState", MediaPlayer.PausedState)
        if (ms !== undefined)
            seekTo(ms)
    }

    // Twice: a position the player reported before its pause can arrive
    // after the first seek and stand in for it.
    function seekTo(ms) {
        for (var round = 0; round < 2; ++round) {
            child("playerActions").seekTo(win.largeOverlay, ms)
            tryVerify(function() { return Math.abs(child("videoOut1").position - ms) < 34 }, 5000)
        }
    }

    // The Report menu entry; the screen opens once its pictures are written.
    function openReport() {
        child("mainMenus").menuClicked(5)
        tryCompare(child("reportPopup"), "opened", true, 10000)
        compare(child("loadingPopup").visible, false)
        // Laid out on screen, so that clicks land on the buttons.
        waitForRendering(child("reportPopup").contentItem)
        return child("reportPopup")
    }

    // A part of the open screen (its rows and buttons are a repeater's).
    function part(name) {
        var found = findChild(child("reportPopup").contentItem, name)
        verify(found, "no part named " + name)
        return found
    }

    function notice() {
        tryCompare(child("reportNotice"), "opened", true)
        return child("reportNoticeText").text
    }

    // One picture, the front's; the other channels can be neither shown nor saved.
    function test_frontOnlyRecording() {
        pausedAt(one, 1500)
        var report = openReport(), image = part("reportImage0")
        tryCompare(image, "status", Image.Ready)
        compare([part("reportImage1").source.toString(), part("reportImage2").source.toString()],
                ["", ""])
        compare(part("reportTag0").text, tr("전방"))
        compare([0, 1, 2].map(function(i) { return part("channelButton" + i).enabled }),
                [true, false, false])
        compare(part("reportDate").text, "2026-12-06 08:15:13")
        verify(/^X:-?[0-9.]+   Y:-?[0-9.]+   Z:-?[0-9.]+$/.test(part("reportSensor").text),
               part("reportSensor").text)
        compare(part("reportPosition").text, child("myFile").readGioDataInfo(1))

        mouseClick(part("saveButton"))
        compare(notice(), tr("No channel is selected"))
        child("reportNotice").close()

        report.chooseFolder("file:///tmp/100%25%20sure/car%23one")
        compare(part("reportFolder").text, "/tmp/100% sure/car#one")
        mouseClick(part("closeButton"))
        tryCompare(report, "visible", false)
        compare(image.source.toString(), "")
    }

    // A view whose picture cannot be written ends the wait at once.
    function test_failedSnapshotEndsTheWait() {
        pausedAt(one)
        // Inside a file: no folder can be made there.
        win.currentWrokDir = card + "Drive/" + one + ".avi/"
        child("mainMenus").menuClicked(5)
        compare(notice(), tr("The pictures could not be taken"))
        compare([child("loadingPopup").visible, child("reportWaitTimer").running,
                 child("reportPopup").opened], [false, false, false])
    }

    // A second report of another moment, after a channel switch, shows the
    // new pictures under new sources, tagged by the views' channels.
    function test_secondReportShowsTheNewMoment() {
        pausedAt(two, 500)
        var report = openReport(), images = [part("reportImage0"), part("reportImage1")]
        tryCompare(images[1], "status", Image.Ready)
        var sources = images.map(function(i) { return i.source.toString() })
        var before = grabImage(images[0])
        mouseClick(part("closeButton"))

        clickControl("play_pauseBtn")
        waitUntilPlaying(child("videoOut1"))
        clickControl("switchSC")
        compare(child("videoOut1").videoTrack, 1)
        win.playersInUse().forEach(waitUntilPlaying)
        clickControl("play_pauseBtn")
        tryCompare(child("videoOut1"), "playbackState", MediaPlayer.PausedState)
        seekTo(4500)
        openReport()
        tryCompare(images[1], "status", Image.Ready)
        verify(images[0].source.toString() !== sources[0] && images[1].source.toString() !== sources[1])
        verify(!grabImage(images[0]).equals(before), "the first report's picture is shown again")
        compare([part("reportTag0").text, part("reportTag1").text], ["CAM1", tr("전방")])
        compare(part("reportDate").text, "2026-12-06 09:00:04")
        compare([0, 1, 2].map(function(i) { return part("channelButton" + i).enabled }),
                [true, true, false])
    }

    // The PDF shows this moment's pictures, and its route is the map cell at
    // the moment, not the drawn one.
    function test_savePdfShowsTheMap() {
        pausedAt(two, 2500)
        var report = openReport(), pdf = fixture.makeFolder() + "/report #1.pdf"
        report.savePdf(Rules.fileUrl(pdf))
        compare(notice(), tr("Saved: %1").arg(pdf))
        var text = fixture.pdfText(pdf)
        if (text === "")
            skip("poppler-utils is not installed")
        verify(text.indexOf("OpenStreetMap contributors") >= 0, text)
        // The snapshots of both channels, from the window's work folder.
        compare(fixture.pdfImageSizes(pdf).slice(0, 2), ["320x180", "320x180"])
        child("reportNotice").close()
        mouseClick(part("closeButton"))
    }

    // The CAM1 export cannot be written (a folder stands in its place): the
    // save says so, and the front export is written all the same.
    function test_saveNamesTheFailedChannel() {
        pausedAt(two)
        var report = openReport(), folder = fixture.makeFolder()
        verify(fixture.makePath(folder + "/" + two + "_CAM1.avi"))
        report.chooseFolder(Rules.fileUrl(folder))
        // What the cover says along the way.
        var progress = []
        var record = function() { progress.push(child("loadingText").text) }
        child("loadingText").textChanged.connect(record)
        report.toggleChannel(0)
        report.toggleChannel(1)
        report.saveChannels()
        compare(notice(), tr("These channels could not be saved: %1").arg("CAM1"))
        child("loadingText").textChanged.disconnect(record)
        compare(progress, [tr("%1 of %2").arg(1).arg(2), tr("%1 of %2").arg(2).arg(2), ""])
        compare([child("loadingPopup").visible, child("loadingText").text], [false, ""])
        compare(fixture.files(folder), [two + "_front.avi"])
    }
}
