import QtQuick 2.12
import QtTest 1.2

// The camera's settings screen over a card's config.txt: what each control
// writes, what is saved, and that no failure is reported as a success.
MainTestCase {
    name: "SettingView"

    // A card's config.txt, with `changes` ("key=value" lines) in place of its own lines.
    function configText(changes) {
        var values = {
            adas_fcws: 1, adas_ldws: 0, cut_volt: 2, gps_speed: 1, gsensor_sensitivity: 3,
            lang: "fr", memory_type_mmc: 1, model: "VM-3000", motion_sensitivity: 2,
            parking_mode: 1, radar_sensitivity: 2, screen: 1, secret: 16909643, security_led: 1,
            time_dst: 0, time_manual: 1, time_zone: 12, ver: "2.1.7", vol_mic: 1, vol_speaker: 4
        }
        ;(changes || []).forEach(function(line) {
            var equals = line.indexOf("=")
            values[line.slice(0, equals)] = line.slice(equals + 1)
        })
        return "[config]\n" + Object.keys(values).map(function(key) {
            return key + "=" + values[key] + "\n"
        }).join("")
    }

    function init() {
        openMain()
        card = fixture.makeCard("DASHCAM", [])
        fixture.writeFile(card + "config.txt", configText())
        chooseCard(card)
    }

    // Opens the screen through the settings chooser's "Dashcam", on `tab`.
    function openSettings(tab) {
        var chooser = child("settingSelectP")
        win.settingSelectPopup()
        tryCompare(chooser, "opened", true)
        waitForRendering(chooser.contentItem)
        mouseClick(child("dashCamButton"))
        var view = child("settingPopup")
        tryCompare(view, "opened", true)
        waitForRendering(view.contentItem)
        if (tab)
            showTab(tab)
        return view
    }

    // A control of the camera screen's panel: the viewer's own settings
    // screen has buttons of the same names.
    function panelChild(name) {
        var found = findChild(child("settingPanel"), name)
        verify(found, "no " + name + " on the camera screen")
        return found
    }

    function showTab(index) {
        mouseClick(panelChild("settingTab" + index))
        waitForRendering(child("settingPopup").contentItem)
    }

    function control(name) {
        return findChild(child("settingPage").item, name)
    }

    function clickSave() {
        mouseClick(panelChild("saveButton"))
        var notice = child("settingNotice")
        tryCompare(notice, "opened", true)
        return child("settingNoticeText").text
    }

    function press(key) {
        return function(item) {
            win.requestActivate()
            tryCompare(win, "active", true)
            item.forceActiveFocus()
            keyClick(key)
        }
    }

    function test_controlsWriteAndSaveTheCamerasBytes() {
        var click = function(item) { mouseClick(item) }
        var rows = [
            { tab: 0, name: "parkingOption2", action: click, key: "parking_mode", value: 2 },
            { tab: 0, name: "cutVoltOption4", action: click, key: "cut_volt", value: 4 },
            { tab: 1, name: "gsensorSlider", action: press(Qt.Key_Right), key: "gsensor_sensitivity", value: 4 },
            { tab: 1, name: "motionSlider", action: press(Qt.Key_Left), key: "motion_sensitivity", value: 1 },
            { tab: 2, name: "micSwitch", action: click, key: "vol_mic", value: 0 },
            { tab: 2, name: "speakerSlider", action: press(Qt.Key_Right), key: "vol_speaker", value: 5 },
            { tab: 3, name: "timeManualSwitch", action: click, key: "time_manual", value: 0 },
            { tab: 3, name: "timeZoneList", action: press(Qt.Key_Down), key: "time_zone", value: 13 },
            { tab: 3, name: "timeDstSwitch", action: click, key: "time_dst", value: 1 },
            { tab: 5, name: "screenOption2", action: click, key: "screen", value: 2 },
            { tab: 5, name: "langOption0", action: click, key: "lang", value: 0, stored: "en" },
            { tab: 5, name: "securityLedSwitch", action: click, key: "security_led", value: 0 },
            { tab: 5, name: "speedOption0", action: click, key: "gps_speed", value: 0 },
            // The radar cannot be turned down to 0: the slider stops at 1.
            { tab: 1, name: "radarSlider", action: press(Qt.Key_Left), key: "radar_sensitivity", value: 1 },
            { tab: 1, name: "radarSlider", action: press(Qt.Key_Left), key: "radar_sensitivity", value: 1 },
        ]
        var myFile = child("myFile")
        openSettings(0)
        rows.forEach(function(row) {
            showTab(row.tab)
            var item = control(row.name)
            verify(item, "no control " + row.name)
            row.action(item)
            compare(myFile[row.key], row.value, row.name)
        })
        compare(control("radarSlider").value, 1)

        var reference = fixture.makeFolder() + "/"
        fixture.writeFile(reference + "config.txt", configText())
        compare(fixture.configSet(reference, rows.map(function(row) {
            return row.key + "=" + (row.stored || row.value)
        })), 0)
        compare(clickSave(), qsTranslate("SettingView", "Successfully Saved"))
        compare(fixture.fileHex(card + "config.txt"), fixture.fileHex(reference + "config.txt"))
    }

    // Out-of-range values are shown within range and saved as shown; a
    // camera without radar keeps its value.
    function test_storedValuesAsShownAndSaved() {
        var rows = [
            { stored: "gsensor_sensitivity=7", tab: 1, name: "gsensorSlider", shown: 5, saved: 5 },
            { stored: "gsensor_sensitivity=-1", tab: 1, name: "gsensorSlider", shown: 0, saved: 0 },
            { stored: "vol_speaker=9", tab: 2, name: "speakerSlider", shown: 5, saved: 5 },
            { stored: "vol_mic=2", tab: 2, name: "micSwitch", shown: true, saved: 1 },
            { stored: "security_led=-1", tab: 5, name: "securityLedSwitch", shown: true, saved: 1 },
            { stored: "radar_sensitivity=0", tab: 1, name: "radarSlider", shown: 0, saved: 0 },
            { stored: "radar_sensitivity=-1", tab: 1, name: "radarSlider", shown: 0, saved: -1 },
            { stored: "radar_sensitivity=5", tab: 1, name: "radarSlider", shown: 3, saved: 3 },
            { stored: "time_zone=12", tab: 3, name: "timeZoneList", shown: "         UTC", saved: 12 },
            { stored: "time_zone=30", tab: 3, name: "timeZoneList", shown: "-12   HOWLAND", saved: 24 },
            { stored: "parking_mode=5", tab: 0, name: "parkingOption2", shown: true, saved: 2 },
            // Saved from the first page: the other pages were never shown.
            { stored: "gsensor_sensitivity=7", tab: 0, name: "", saved: 5 },
            { stored: "vol_mic=2", tab: 0, name: "", saved: 1 },
            { stored: "gps_speed=-1", tab: 0, name: "", saved: 0 },
        ]
        rows.forEach(function(row) {
            var key = row.stored.split("=")[0]
            fixture.writeFile(card + "config.txt", configText([row.stored]))
            var view = openSettings(row.tab)
            if (row.name !== "") {
                var item = control(row.name)
                var shown = typeof row.shown === "boolean" ? item.checked || item.selected === true
                          : typeof row.shown === "string" ? item.currentText : item.value
                compare(shown, row.shown, row.stored)
                if (row.name === "radarSlider")
                    compare(item.enabled, row.saved > 0, row.stored)
            }
            compare(clickSave(), qsTranslate("SettingView", "Successfully Saved"))
            child("settingNotice").close()
            panelChild("closeButton").clicked()
            tryCompare(view, "opened", false)
            child("myFile").readConfig()
            compare(child("myFile")[key], row.saved, row.stored + " saved")
        })
    }

    // Close writes nothing, and the next opening shows the card's value, on
    // the same page as before.
    function test_closeWritesNothingAndReopeningShowsTheCard() {
        var before = fixture.fileHex(card + "config.txt")
        var view = openSettings(0)
        mouseClick(control("parkingOption2"))
        compare(child("myFile").parking_mode, 2)
        mouseClick(panelChild("closeButton"))
        tryCompare(view, "opened", false)
        compare(fixture.fileHex(card + "config.txt"), before)

        openSettings(0)
        compare(control("parkingOption1").selected, true)
        compare(control("parkingOption2").selected, false)
        compare(child("myFile").parking_mode, 1)
    }

    function test_failuresNeverClaimSuccess_data() {
        return [
            { tag: "read-only card", readOnly: true },
            { tag: "card without config.txt", missing: true },
            { tag: "card swapped while the screen is open", swapped: "secret=17171743" },
        ]
    }

    function test_failuresNeverClaimSuccess(data) {
        var path = card + "config.txt"
        if (data.readOnly) {
            card = fixture.makeReadOnlyCard(configText())
            if (card === "")
                skip("cannot make a read-only card here")
            path = card + "config.txt"
            chooseCard(card)
        }
        if (data.missing) {
            fixture.remove(path)
            child("mainMenus").settingDashCamClick()
            expectNotice(qsTranslate("main", "The SD card holds no camera settings (config.txt)"))
            compare(child("settingPopup").opened, false)
            compare(fixture.fileHex(path), "")
            return
        }
        var view = openSettings(0)
        mouseClick(control("parkingOption2"))
        if (data.swapped)
            fixture.writeFile(path, configText([data.swapped]))
        var before = fixture.fileHex(path)
        compare(clickSave(), qsTranslate("SettingView", "Could not save: config.txt is unchanged"))
        compare(fixture.fileHex(path), before)
        // The screen and the choice stay, to try again or close.
        compare(view.opened, true)
        compare(child("myFile").parking_mode, 2)
    }

    // Version and model come from the card as they are, never as markup, and
    // are cut short when long.
    function test_cardTextsArePlain() {
        var markup = "<img src=qrc:/images/logo.png><b>x</b>"
        fixture.writeFile(card + "config.txt", configText(["ver=" + markup, "model=<b>x</b>"]))
        openSettings(5)
        var ver = control("verText")
        compare([ver.text, control("modelText").text], [markup, "<b"])
        metrics.font = ver.font
        metrics.text = markup
        verify(ver.contentWidth >= metrics.advanceWidth - 1, "the markup was rendered")

        fixture.writeFile(card + "config.txt", configText(["ver=" + new Array(200).join("9.")]))
        panelChild("closeButton").clicked()
        openSettings(5)
        verify(control("verText").truncated, "a long version is cut short")
    }

    TextMetrics {
        id: metrics
    }
}
