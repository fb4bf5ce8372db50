import QtQuick 2.12
import QtTest 1.2
import "qrc:/playercontrol.js" as Control

// The bounds and tables of the players' controls that the scenes cannot
// show directly: a seek past the end looks the same as one to the end.
TestCase {
    name: "PlayerControl"

    function test_seekTargetsStayWithinTheRecording() {
        compare(Control.forwardTarget(4000, 6000), 6000)
        compare(Control.rewindTarget(2999), 0)
        compare(Control.seekBarTarget(150, 100, 6000), 6000)
        compare(Control.seekBarTarget(25, 100, 6000), 1500)
        compare(Control.seekBarTarget(10, 0, 6000), 0)
    }

    // A three-channel layout carried into a recording with fewer channels.
    function test_twoChannelLayoutsAndCarriedLayouts() {
        compare(Control.channelTracks(2, 1), [1, 0, -1])
        compare(Control.nextViewPos(2, 1), 0)
        compare(Control.nextViewPos(2, 2), 0)
        verify(Control.layoutExceeds(2, [1, 2, 0]))
        verify(!Control.layoutExceeds(2, [1, 0, 2]))
        verify(!Control.layoutExceeds(3, [2, 0, 1]))
    }
}
