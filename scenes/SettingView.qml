import QtQuick 2.12

// Placeholder for the camera settings dialog: filled in later. It is to open
// on mainWin.settingDashViewPopup().
Item {
    id: settingView
}
