import QtQuick 2.12
import QtTest 1.2

Item {
    width: 1000
    height: 700

    StandInMain {
        id: main
        anchors.fill: parent
    }

    SignalSpy { id: savedSpy; target: main; signalName: "saveListIndex" }

    TestCase {
        name: "CardDialog"
        when: windowShown

        function init() {
            main.sceneSource = ""
            main.sdCardDetect = 0
            main.setListCalls = 0
            savedSpy.clear()
            // The card search, as main's SD card menu runs it.
            main.file.source = "DASHCAM"
            main.sceneSource = "qrc:/QSDSel.qml"
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

        // Only the version shows; the drive page's buttons under it take no click.
        function test_versionPage() {
            var source = main.file.source
            openPage(3)
            compare([part("versionPage").opacity, part("drivePage").opacity, part("driveSel").width],
                    [1, 0, 0])
            verify(Qt.application.version !== "")
            compare(part("versionText").text, Qt.application.version)
            mouseClick(part("driveConfirm"))
            mouseClick(part("driveCancel"))
            compare([main.setListCalls, main.sdCardDetect, main.file.source], [0, 0, source])
            verify(main.scene.opened)
        }

        function test_driveButtons_data() {
            var second = cardFixture.secondCard
            return [
                { tag: "confirm", before: 0, button: "Confirm", source: second, detect: 1 },
                // Cancelled before any confirmation no card is kept, after one the last pick.
                { tag: "cancel first", before: 0, button: "Cancel", source: "none", detect: 0 },
                { tag: "cancel later", before: 1, button: "Cancel", source: second, detect: 1 }
            ]
        }

        // The page lists the cards, the first one the source until another is picked.
        function test_driveButtons(data) {
            main.sdCardDetect = data.before
            openPage(1)
            compare([part("driveSel").count, main.file.source], [2, cardFixture.firstCard])
            part("driveSel").activated(1)
            mouseClick(part("drive" + data.button))
            compare([main.file.source, main.sdCardDetect], [data.source, data.detect])
            tryCompare(main.scene, "visible", false)
            // Confirming lists the chosen card's recordings.
            compare(main.setListCalls, data.button === "Confirm" ? 1 : 0)
        }

        // The folder shown, the desktop by default, is where the recordings go.
        function test_savePage() {
            openPage(4)
            compare(part("savePath").text, main.file.getDesktopPath())
            mouseClick(part("saveConfirm"))
            compare(savedSpy.signalArguments[0][0], main.file.getDesktopPath())
            tryCompare(main.scene, "visible", false)
        }

        // Named after the playing recording; the notice waits for the file. A failure
        // is told as such; captures asked for elsewhere (the report) bring no notice.
        function test_snapshot() {
            openPage(2)
            compare(part("pwText").text, main.currentPlayFileName)
            part("pwText").text = "crossing"
            mouseClick(part("snapshotConfirm"))
            compare([main.capture.requests, main.capture.captureName], [1, "crossing"])
            var notice = part("notiPopup01")
            verify(!notice.opened)
            main.capture.saved(main.capture.captureDir + "crossing.png")
            tryCompare(notice, "opened", true)
            mouseClick(findChild(notice.contentItem, "noticeClose"))
            tryCompare(main.scene, "visible", false)
            main.currentPlayFileName = "R_20260301_100400_T_N"
            openPage(2)
            compare(part("pwText").text, "R_20260301_100400_T_N")

            mouseClick(part("snapshotConfirm"))
            main.capture.failed("/nowhere/x.png")
            tryCompare(notice, "opened", true)
            compare(part("notiText").text,
                    qsTranslate("QSDSel", "The snapshot could not be saved: %1").arg("/nowhere/x.png"))
            notice.close()
            tryCompare(notice, "opened", false)
            main.capture.saved("/somewhere/F_x.png")
            verify(!notice.visible)
        }
    }
}
