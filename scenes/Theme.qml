pragma Singleton
import QtQuick 2.12

// The look of every scene: colours, the two faces of Source Sans Pro, and the
// sizes that depend on the window-size class (mainWin.resolution: 0 for the
// widest windows to 4, the compact layout).
QtObject {
    // The window, its cells and the dialogs.
    readonly property color background: "#282828"
    readonly property color accent: "#e4562e"
    readonly property color text: "white"
    readonly property color textSecondary: "#939292"
    readonly property color tabSelectedText: "#f05a30"
    readonly property color linkText: "#a0a0a0"
    readonly property color loadingText: "#838383"

    // The recording list's rows.
    readonly property color rowAlternate: "#232323"
    readonly property color rowCurrent: "#000000"

    // Buttons, fields and boxes.
    readonly property color buttonFace: "#3f3f3f"
    readonly property color buttonPressed: "#2f2f2f"
    readonly property color boxBorder: "#efefef"
    readonly property color browseButton: "#585858"
    readonly property color browseButtonHover: "#383838"
    readonly property color inputBackground: "black"
    readonly property color backdrop: "black"
    readonly property color clear: "transparent"

    // Over the picture: hover help, sliders, and the shading that keeps
    // labels readable over a bright picture.
    readonly property color hoverBackground: "#ffff00"
    readonly property color hoverText: "#585858"
    readonly property color sliderTrack: "#d6d6d6"
    readonly property color shade: "#99000000"
    readonly property color shadeDeep: "#b3000000"
    readonly property color textOutline: "#80000000"

    // The sensor graph: the X, Y and Z curves with their legends, the line
    // at the playing position and the marker of the strongest shock.
    readonly property color graphX: "#fd6c58"
    readonly property color graphY: "#dce63d"
    readonly property color graphZ: "#38cad3"
    readonly property color graphProgress: "#a0a0a0"
    readonly property color graphPeak: "#ffffff"

    // The report screen: the tag over each picture, the picture areas, a
    // channel left out of a save, and the controls of a channel the
    // recording lacks.
    readonly property color reportTag: "#585858"
    readonly property color reportPicture: "#1c1c1c"
    readonly property color reportChannelOff: "#aaaaaa"
    readonly property color reportDisabled: "#5a5a5a"
    readonly property color reportDisabledBorder: "#333333"

    // The settings screens' switches: the track when off, the knob.
    readonly property color switchOff: "#868686"
    readonly property color switchKnob: "#f6f6f6"
    readonly property color switchKnobPressed: "#a6a6a6"

    // The map cell: the size of its buttons and the space between them and
    // around its notices.
    readonly property int mapButton: 30
    readonly property int mapSpacing: 5

    readonly property FontLoader fontRegular: FontLoader {
        source: "qrc:/font/Source_Sans_Pro/SourceSansPro-Regular.ttf"
    }
    readonly property FontLoader fontBold: FontLoader {
        source: "qrc:/font/Source_Sans_Pro/SourceSansPro-Bold.ttf"
    }

    // Text sizes in pixels, by what the text is.
    // Small print: the card's version note, the browse button's dots.
    readonly property int fontSmall: 12
    // Captions under icons and the second line of a row or cell.
    readonly property int fontCaption: 13
    // The file name over a small view.
    readonly property int fontCellTitle: 14
    // Dialog text and fields, hover help.
    readonly property int fontBody: 15
    // The recording list's names and buttons, the seek bar's times.
    readonly property int fontItem: 16
    // The file name over a large player, its loading text and speed unit,
    // the site link.
    readonly property int fontTitle: 19
    // The report screen's title.
    readonly property int fontReportTitle: 21
    // The speed and the channel over a large player.
    readonly property int fontDisplay: 24

    // Text sizes in points, which follow the screen's dots per inch.
    readonly property int dialogButtonPoints: 10
    readonly property int noticePoints: 11
    readonly property int pageButtonPoints: 12
    readonly property int fieldPoints: 12
    // The settings screens: titles, row labels and tabs, option buttons and
    // values, the text inside a switch.
    readonly property int settingTitlePoints: 20
    readonly property int settingLabelPoints: 15
    readonly property int optionPoints: 13
    readonly property int switchPoints: 12

    // The window-size class of the compact layout.
    readonly property int compactClass: 4

    function isCompact(sizeClass) {
        return sizeClass === compactClass
    }

    // `normal` in every window-size class but the compact one.
    function size(sizeClass, normal, compact) {
        return isCompact(sizeClass) ? compact : normal
    }

    // The labels of the recording list's tabs.
    function fontTab(sizeClass) {
        return size(sizeClass, 12, 10)
    }

    // A large player's toolbar: the distance between the places of the
    // lower row's controls, and the scale of their buttons.
    function toolbarRowStep(sizeClass) {
        return size(sizeClass, 70, 45)
    }

    function toolbarButtonScale(sizeClass) {
        return size(sizeClass, 1.0, 0.8)
    }
}
