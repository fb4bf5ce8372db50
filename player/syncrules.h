#pragma once

// What keeps the small views of a recording in step with the large one. The
// large view is the master; at every tick (a quarter of a second) the caller
// hands over each view's clock and applies what comes back: a follower more
// than one frame away gets its speed nudged (at most 10 % off the master's,
// in proportion to the drift) until it is back within half a frame; one more
// than 500 ms away is sought to the master's position.
//
// Pure rules, with no player behind them: ViewSync drives them from the
// views' clocks.
#include <QtGlobal>
#include <optional>
#include <vector>

namespace velmora {

struct ViewClock {
    qint64 position = -1; // ms; -1 while unknown
    bool seeking = false;
    bool ended = false; // a shorter track has run out
};

struct FollowerAction {
    std::optional<qint64> seekTo; // ms
    std::optional<double> speed;  // the follower's new playback speed

    bool none() const { return !seekTo && !speed; }
};

class SyncController {
public:
    static constexpr double MaxNudge = 0.10;
    static constexpr double SeekAboveMs = 500;
    // A nudge would take up the whole drift in this much time.
    static constexpr double CatchUpMs = 300;

    explicit SyncController(double frameMs = 1000.0 / 30)
        : m_frameMs(frameMs) {}

    // One action per follower, in the order given.
    std::vector<FollowerAction> tick(const ViewClock &master, double masterSpeed, bool paused,
                                     const std::vector<ViewClock> &followers);
    // A new recording: no follower is being nudged.
    void reset() { m_nudging.clear(); }
    void setFrameMs(double frameMs) {
        if (frameMs > 0)
            m_frameMs = frameMs;
    }

private:
    FollowerAction follow(const ViewClock &master, double masterSpeed, const ViewClock &follower,
                          std::size_t index);

    double m_frameMs;
    std::vector<bool> m_nudging;
};

} // namespace velmora
