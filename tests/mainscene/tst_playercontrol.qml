import QtQuick 2.12
import QtTest 1.2
import "qrc:/playercontrol.js" as Control

// The bounds and tables of the players' controls that the scenes cannot
// show directly: a seek past the end looks the same as one to the end.
TestCase {
    name: "PlayerControl"

    function test_seekTargetsStayWithinTheRecording() {
        compare(Control.forwardTarget(4000, 6000), 6000)
        compare(Control.forwardTarget(1000, 6000), 4000)
        compare(Control.rewindTarget(2999), 0)
        compare(Control.seekBarTarget(-5, 100, 6000), 0)
        compare(Control.seekBarTarget(150, 100, 6000), 6000)
        compare(Control.seekBarTarget(25, 100, 6000), 1500)
        compare(Control.seekBarTarget(10, 0, 6000), 0)
    }

    function test_clockCountsMinutesModuloAnHour() {
        compare(Control.clockText(0), "00:00")
        compare(Control.clockText(59999), "00:59")
        compare(Control.clockText(61000), "01:01")
        compare(Control.clockText(3661000), "01:01")
    }

    function test_twoChannelLayoutsAndCarriedLayouts() {
        compare(Control.channelTracks(2, 1), [1, 0, -1])
        compare(Control.nextViewPos(2, 1), 0)
        // A three-channel layout carried into a two-channel recording.
        compare(Control.nextViewPos(2, 2), 0)
        compare(Control.nextViewPos(1, 2), 2)
        verify(Control.layoutExceeds(2, [1, 2, 0]))
        verify(Control.layoutExceeds(1, [2, 0, 1]))
        verify(!Control.layoutExceeds(2, [1, 0, 2]))
        verify(!Control.layoutExceeds(3, [2, 0, 1]))
    }

    function test_rotationOfTheOtherCameras() {
        var steps = []
        for (var step = 1; step <= 4; ++step)
            steps.push(Control.rotationOrientation(step, 2))
        compare(steps, [270, 0, 90, 180])
    }
}
