#pragma once

// One mpv core, shared by the player that drives it and the renderer that
// draws its pictures: a renderer can outlive its item on the render thread,
// and the core must stay until the renderer has freed its render context.
#include <QString>
#include <memory>

struct mpv_handle;

namespace velmora {

class MpvHandle {
public:
    // A new core with the player's options, or null (with *error set).
    static std::shared_ptr<MpvHandle> create(QString *error);
    ~MpvHandle();
    MpvHandle(const MpvHandle &) = delete;
    MpvHandle &operator=(const MpvHandle &) = delete;

    mpv_handle *get() const { return m_mpv; }

private:
    explicit MpvHandle(mpv_handle *mpv)
        : m_mpv(mpv) {}
    mpv_handle *m_mpv;
};

} // namespace velmora
