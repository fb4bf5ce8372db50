#include "syncrules.h"

#include <algorithm>
#include <cmath>

namespace velmora {

std::vector<FollowerAction> SyncController::tick(const ViewClock &master, double masterSpeed,
                                                 bool paused,
                                                 const std::vector<ViewClock> &followers) {
    m_nudging.resize(followers.size(), false);
    std::vector<FollowerAction> actions(followers.size());
    if (paused || masterSpeed <= 0 || master.position < 0 || master.seeking || master.ended)
        return actions;
    for (std::size_t i = 0; i < followers.size(); ++i)
        actions[i] = follow(master, masterSpeed, followers[i], i);
    return actions;
}

FollowerAction SyncController::follow(const ViewClock &master, double masterSpeed,
                                      const ViewClock &follower, std::size_t index) {
    FollowerAction action;
    // An ended follower keeps its state: it is judged again once it plays.
    if (follower.position < 0 || follower.seeking || follower.ended)
        return action;

    // Positive while the follower lags behind.
    const double drift = double(master.position - follower.position);
    const bool wasNudged = m_nudging[index];
    if (std::abs(drift) > SeekAboveMs) {
        action.seekTo = master.position;
        m_nudging[index] = false;
    } else if (std::abs(drift) > m_frameMs || (wasNudged && std::abs(drift) > m_frameMs / 2)) {
        // Positions are in media time: at twice the speed a nudge covers twice the drift.
        const double nudge = std::clamp(drift / (CatchUpMs * masterSpeed), -MaxNudge, MaxNudge);
        action.speed = masterSpeed * (1 + nudge);
        m_nudging[index] = true;
        return action;
    } else {
        m_nudging[index] = false;
    }
    if (wasNudged)
        action.speed = masterSpeed;
    return action;
}

} // namespace velmora
