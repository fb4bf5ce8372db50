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

        function dialog() {
            return main.scene
        }
        function part(name) {
            var item = findChild(dialog().contentItem, name)
            verify(item !== null, name)
            return item
        }
        function openPage(n) {
            main.viewPopup(n)
            tryCompare(dialog(), "opened", true)
            waitForRendering(dialog().contentItem)
        }
        function shownPages() {
            var names = ["drivePage", "snapshotPage", "versionPage", "savePage"]
            var shown = []
            for (var i = 0; i < names.length; ++i) {
                if (part(names[i]).opacity === 1)
                    shown.push(names[i])
            }
            return shown
        }

        function test_drivePageListsTheCards() {
            openPage(1)
            compare(shownPages(), ["drivePage"])
            var combo = part("driveSel")
            compare(combo.count, 2)
            compare(combo.currentIndex, 0)
            compare(combo.textAt(0), "DASHCAM  " + cardFixture.firstCard)
            compare(combo.textAt(1), "DASHCAM  " + cardFixture.secondCard)
            // The first card is the source before the user touches anything.
            compare(main.file.source, cardFixture.firstCard)
            compare(combo.width, 470)
            // Opening again lists the cards afresh.
            dialog().close()
            openPage(1)
            compare(part("driveSel").count, 2)
            compare(part("driveSel").width, 470)
        }

        function test_confirmSecondCard() {
            openPage(1)
            var combo = part("driveSel")
            combo.currentIndex = 1
            combo.activated(1)
            compare(main.file.source, cardFixture.secondCard)
            mouseClick(part("driveConfirm"))
            compare(main.sdCardDetect, 1)
            compare(main.setListCalls, 1)
            tryCompare(dialog(), "visible", false)
            compare(main.file.readfileCnt(0), 2)
            compare(main.file.readfilename(0, 0), "R_20260402_080100_T_N.avi")
            compare(main.file.readfileCnt(4), 0)
        }

        function test_cancel() {
            // Before any confirmation the catalogue keeps no card.
            openPage(1)
            mouseClick(part("driveCancel"))
            compare(main.file.source, "none")
            compare(main.setListCalls, 0)
            tryCompare(dialog(), "visible", false)

            // After one, the card last chosen here stays.
            main.sdCardDetect = 1
            openPage(1)
            compare(main.file.source, cardFixture.firstCard)
            part("driveSel").activated(1)
            mouseClick(part("driveCancel"))
            compare(main.file.source, cardFixture.secondCard)
            compare(main.setListCalls, 0)
        }

        function test_versionPage() {
            var source = main.file.source
            openPage(3)
            compare(shownPages(), ["versionPage"])
            compare(part("versionText").text, "2.0.0")
            compare(part("driveSel").width, 0)
            // The buttons of the hidden pages under the open one take no click.
            mouseClick(part("driveConfirm"))
            mouseClick(part("driveCancel"))
            compare(main.setListCalls, 0)
            compare(main.sdCardDetect, 0)
            compare(main.file.source, source)
            verify(dialog().opened)
        }

        function test_unknownPageOpensEmpty() {
            openPage(7)
            compare(shownPages(), [])
        }

        function test_savePage() {
            openPage(4)
            compare(shownPages(), ["savePage"])
            var desktop = main.file.getDesktopPath()
            compare(dialog().popupPath, desktop)
            compare(part("savePath").text, desktop)
            mouseClick(part("saveConfirm"))
            compare(main.savedPaths, [desktop])
            tryCompare(dialog(), "visible", false)

            // The folder of one page is the default of the other.
            dialog().popupPath = cardFixture.saveFolder
            openPage(2)
            compare(part("snapshotPath").text, cardFixture.saveFolder)
            dialog().close()
            openPage(4)
            compare(part("savePath").text, cardFixture.saveFolder)
        }

        function test_snapshot() {
            openPage(2)
            compare(shownPages(), ["snapshotPage"])
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
            verify(dialog().opened)
            // The notice's button closes both.
            mouseClick(findChild(notice.contentItem, "noticeClose"))
            tryCompare(dialog(), "visible", false)
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
            wait(50)
            verify(!part("notiPopup01").opened)
        }
    }
}
