import QtQuick 2.12
import QtTest 1.2

Item {
    width: 1000
    height: 700

    StandInMain {
        id: main
        anchors.fill: parent
    }

    TestCase {
        name: "CardDialog"
        when: windowShown

        function init() {
            verify(cardFixture.reset())
            main.sceneSource = ""
            main.sdCardDetect = 0
            main.setListCalls = 0
            main.savedPaths = []
            main.capture.requests = 0
            main.currentPlayFileName = "R_20260301_100300_T_N"
            // The card search, as main's SD card menu runs it.
            main.file.source = "DASHCAM"
            compare(main.file.getDriveCount(), 2)
            main.sceneSource = "qrc:/QSDSel.qml"
            verify(main.scene !== null)
        }

        function part(name) {
            var item = findChild(main.scene.contentItem, name)
            verify(item !== null, name)
            return item
        }
        function openPage(n) {
            main.viewPopup(n)
            tryCompare(main.scene, "opened", true)
            waitForRendering(main.scene.contentItem)
        }
        function shownPages() {
            return ["drivePage", "snapshotPage", "versionPage", "savePage"].filter(function(name) {
                return part(name).opacity === 1
            })
        }

        function test_pages_data() {
            return [
                { tag: "drive", page: 1, shown: ["drivePage"] },
                { tag: "snapshot", page: 2, shown: ["snapshotPage"] },
                { tag: "version", page: 3, shown: ["versionPage"], overDriveButtons: true },
                { tag: "save", page: 4, shown: ["savePage"] },
                { tag: "unknown", page: 7, shown: [], overDriveButtons: true }
            ]
        }

        // Only the page asked for shows; the drive page's buttons take no click
        // through another page.
        function test_pages(data) {
            var source = main.file.source
            openPage(data.page)
            compare(shownPages(), data.shown)
            compare(part("driveSel").width > 0, data.page === 1)
            verify(Qt.application.version !== "")
            compare(part("versionText").text, data.page === 3 ? Qt.application.version : "")
            if (!data.overDriveButtons)
                return
            mouseClick(part("driveConfirm"))
            mouseClick(part("driveCancel"))
            compare(main.setListCalls, 0)
            compare(main.sdCardDetect, 0)
            compare(main.file.source, source)
            verify(main.scene.opened)
        }

        // Listed afresh at each opening; the first card is the source until another is picked.
        function test_drivePageListsTheCards() {
            for (var round = 0; round < 2; ++round) {
                openPage(1)
                var combo = part("driveSel")
                compare(combo.count, 2)
                compare(combo.currentIndex, 0)
                compare(combo.textAt(0), "DASHCAM  " + cardFixture.firstCard)
                compare(combo.textAt(1), "DASHCAM  " + cardFixture.secondCard)
                compare(main.file.source, cardFixture.firstCard)
                combo.activated(1)
                main.scene.close()
            }
        }

        function test_driveButtons_data() {
            var second = cardFixture.secondCard
            return [
                { tag: "confirm", before: 0, pick: 1, button: "Confirm", source: second, detect: 1 },
                // Cancelled before any confirmation no card is kept, after one the last pick.
                { tag: "cancel first", before: 0, pick: 0, button: "Cancel", source: "none", detect: 0 },
                { tag: "cancel later", before: 1, pick: 1, button: "Cancel", source: second, detect: 1 }
            ]
        }

        function test_driveButtons(data) {
            var confirm = data.button === "Confirm"
            main.sdCardDetect = data.before
            openPage(1)
            part("driveSel").currentIndex = data.pick
            part("driveSel").activated(data.pick)
            compare(main.file.source, data.pick ? cardFixture.secondCard : cardFixture.firstCard)
            mouseClick(part("drive" + data.button))
            compare(main.file.source, data.source)
            compare(main.sdCardDetect, data.detect)
            compare(main.setListCalls, confirm ? 1 : 0)
            tryCompare(main.scene, "visible", false)
            // Confirming lists the chosen card's recordings.
            if (confirm)
                compare([main.file.readfileCnt(0), main.file.readfilename(0, 0), main.file.readfileCnt(4)],
                        [2, "R_20260402_080100_T_N.avi", 0])
        }

        function test_savePage() {
            openPage(4)
            var desktop = main.file.getDesktopPath()
            compare(main.scene.popupPath, desktop)
            compare(part("savePath").text, desktop)
            mouseClick(part("saveConfirm"))
            compare(main.savedPaths, [desktop])
            tryCompare(main.scene, "visible", false)

            // The folder of one page is the default of the other.
            main.scene.popupPath = cardFixture.saveFolder
            openPage(2)
            compare(part("snapshotPath").text, cardFixture.saveFolder)
            main.scene.close()
            openPage(4)
            compare(part("savePath").text, cardFixture.saveFolder)
        }

        function test_snapshot() {
            openPage(2)
            compare(part("pwText").text, main.currentPlayFileName)
            part("pwText").text = "crossing"
            mouseClick(part("snapshotConfirm"))
            compare(main.capture.requests, 1)
            compare(main.capture.captureName, "crossing")
            compare(main.capture.captureDir, main.file.getDesktopPath())
            // The notice waits for the file.
            var notice = part("notiPopup01")
            verify(!notice.opened)
            main.capture.saved(main.capture.captureDir + "crossing.png")
            tryCompare(notice, "opened", true)
            verify(main.scene.opened)
            // The notice's button closes both.
            mouseClick(findChild(notice.contentItem, "noticeClose"))
            tryCompare(main.scene, "visible", false)
            verify(!notice.opened)

            // The next snapshot is named after the recording then playing.
            main.currentPlayFileName = "R_20260301_100400_T_N"
            openPage(2)
            compare(part("pwText").text, "R_20260301_100400_T_N")
        }

        function test_snapshotFailureIsNoSuccess() {
            openPage(2)
            mouseClick(part("snapshotConfirm"))
            main.capture.failed("/nowhere/x.png")
            // The failure is told, and not as a success.
            tryCompare(part("notiPopup01"), "opened", true)
            compare(part("notiText").text,
                    qsTranslate("QSDSel", "The snapshot could not be saved: %1").arg("/nowhere/x.png"))
            part("notiPopup01").close()
            tryCompare(part("notiPopup01"), "opened", false)
            // Captures asked for elsewhere (the report) bring no notice here.
            main.capture.saved("/somewhere/F_x.png")
            verify(!part("notiPopup01").visible)
        }
    }
}
