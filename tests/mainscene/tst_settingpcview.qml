import QtQuick 2.12
import QtTest 1.2
import EnumLanguage 1.0

// The viewer settings screen over the window: what Save writes, when the
// language changes, and what a failed save tells.
MainTestCase {
    name: "SettingPCView"

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [])
        verify(card !== "", "the card could not be written")
    }

    function init() {
        fixture.resetViewerConfig()
        openMain()
        chooseCard(card)
    }

    // The next cases start from the default settings and in English.
    function cleanupTestCase() {
        fixture.unlockViewerConfig()
        fixture.resetViewerConfig()
        LanguageManager.language = EnumLanguage.ENG
    }

    function tr(text) {
        return qsTranslate("SettingPCView", text)
    }

    function openScreen() {
        win.settingPcViewPopup()
        var screen = child("settingPCV")
        tryCompare(screen, "opened", true)
        waitForRendering(screen.contentItem)
        return screen
    }

    function part(name) {
        var found = findChild(child("settingPCV").contentItem, name)
        verify(found, "no part named " + name)
        return found
    }

    function noticeText() {
        tryCompare(child("pcSaveNotice"), "opened", true)
        waitForRendering(child("pcSaveNotice").contentItem)
        return child("pcSaveNoticeText").text
    }

    // Keys go to the active window.
    function typeKeys(keys) {
        win.requestActivate()
        tryCompare(win, "active", true)
        keys.forEach(function(k) { keyClick(k[0], k[1]) })
    }

    function test_languageAppliesWhenTheNoticeCloses_data() {
        return [
            { tag: "notice's button", close: function() { mouseClick(child("pcSaveNoticeClose")) } },
            { tag: "Escape", close: function() { typeKeys([[Qt.Key_Escape]]) } },
            { tag: "click outside", close: function() { mouseClick(child("pcPanel"), 5, 5) } },
        ]
    }

    function test_languageAppliesWhenTheNoticeCloses(data) {
        var screen = openScreen()
        var englishTitle = part("pcTitle").text
        mouseClick(part("pcLangOption1"))
        mouseClick(part("pcResOption2"))
        compare(LanguageManager.language, EnumLanguage.ENG)
        mouseClick(part("saveButton"))
        compare(noticeText(), tr("Save Success"))
        compare([LanguageManager.language, part("pcTitle").text], [EnumLanguage.ENG, englishTitle])
        var text = fixture.viewerConfigText()
        verify(/lang=fr\s+resolution=2\s/.test(text), text)

        data.close()
        tryCompare(child("pcSaveNotice"), "visible", false)
        compare(LanguageManager.language, EnumLanguage.FRE)
        compare(part("pcTitle").text, "Paramètres de la visionneuse PC")
        compare(screen.opened, true)
    }

    // The file cannot be written: no success is claimed, the screen and its
    // choices stay, the file keeps its bytes; the language still applies.
    function test_failedSaveClaimsNoSuccess() {
        var before = fixture.viewerConfigText()
        if (!fixture.lockViewerConfig())
            skip("cannot make the settings folder read-only here")
        var screen = openScreen()
        mouseClick(part("pcLangOption1"))
        mouseClick(part("saveButton"))
        var text = noticeText()
        fixture.unlockViewerConfig()
        compare(text, tr("Could not save the viewer settings"))
        compare(fixture.viewerConfigText(), before)
        compare([screen.opened, part("pcLangOption1").checked, part("pcLangOption0").checked],
                [true, true, false])
        compare(screen.save(), true)
        compare(noticeText(), tr("Save Success"))
        mouseClick(child("pcSaveNoticeClose"))
        tryCompare(LanguageManager, "language", EnumLanguage.FRE)
    }

    // The switch and the folder (picked, then typed) are saved with the other keys.
    function test_mapRowReachesTheFile() {
        var screen = openScreen(), field = part("mapOfflineDirField")
        compare([part("mapOnlineSwitch").checked, field.text], [true, ""])
        mouseClick(part("mapOnlineSwitch"))
        screen.chooseOfflineDir("file:///tmp/tiles%20offline/%23one")
        compare(field.text, "/tmp/tiles offline/#one")
        compare(screen.save(), true)
        var text = fixture.viewerConfigText()
        verify(/maptileurl=\s/.test(text) && text.indexOf("mapofflinedir=/tmp/tiles offline/#one") >= 0,
               text)
        mouseClick(child("pcSaveNoticeClose"))

        mouseClick(part("mapOnlineSwitch"))
        mouseClick(field)
        typeKeys([[Qt.Key_A, Qt.ControlModifier]].concat("/srv/t".split("").map(function(c) {
            return [c]
        })))
        mouseClick(part("saveButton"))
        compare(noticeText(), tr("Save Success"))
        text = fixture.viewerConfigText()
        verify(text.indexOf("maptileurl=https://tile.openstreetmap.org/") >= 0
               && text.indexOf("mapofflinedir=/srv/t") >= 0, text)
    }

    // Close writes nothing, and the next opening shows the choices held.
    function test_closeKeepsTheChoicesUnsaved() {
        var before = fixture.viewerConfigText()
        var screen = openScreen()
        mouseClick(part("pcResOption3"))
        mouseClick(part("mapOnlineSwitch"))
        mouseClick(part("closeButton"))
        tryCompare(screen, "visible", false)
        compare(fixture.viewerConfigText(), before)
        openScreen()
        compare([part("pcResOption3").checked, part("pcResOption4").checked,
                 part("mapOnlineSwitch").checked], [true, false, false])
    }
}
