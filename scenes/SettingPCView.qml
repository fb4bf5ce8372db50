import QtQuick 2.12

// Placeholder for the viewer settings dialog: filled in later. It is to open
// on mainWin.settingPcViewPopup().
Item {
    id: settingPCView
}
