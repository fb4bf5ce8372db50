#include "mpvhandle.h"

#include "mpvnames.h"
#include "playerlog.h"
#include "recordingprotocol.h"

#include <QFileInfo>
#include <mpv/client.h>

namespace velmora {

namespace {

// mpv's choice unless VELMORA_AUDIO_OUTPUT names one; "null" on a machine
// with neither a sound card nor a sound server (a headless run), where the
// sound libraries would only print their failures.
QByteArray audioOutput() {
    const QByteArray chosen = qgetenv("VELMORA_AUDIO_OUTPUT");
    if (!chosen.isEmpty())
        return chosen;
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    const bool server = !runtime.isEmpty() && (QFileInfo::exists(runtime + "/pulse/native") ||
                                               QFileInfo::exists(runtime + "/pipewire-0"));
    if (!server && !QFileInfo::exists(QStringLiteral("/dev/snd")) &&
        qgetenv("PULSE_SERVER").isEmpty())
        return QByteArrayLiteral("null");
    return QByteArray();
}

} // namespace

std::shared_ptr<MpvHandle> MpvHandle::create(QString *error) {
    mpv_handle *mpv = mpv_create();
    if (!mpv) {
        *error = QStringLiteral("mpv_create failed (is LC_NUMERIC \"C\"?)");
        return nullptr;
    }
    namespace n = mpvnames;
    const std::pair<const char *, const char *> options[] = {
        {n::Vo, "libmpv"},
        // The picture fills whatever size it is drawn at: the item keeps the
        // aspect, turns and crops it.
        {n::KeepAspect, "no"},
        {n::Idle, "yes"},
        {n::KeepOpen, "no"},
        {n::Sid, "no"},
        // No Lua scripts, controls or key bindings: each script would run an
        // interpreter on a thread of its own in every view, and the viewer
        // draws its own controls and takes its own keys. load-scripts covers
        // only the script folders; mpv's own scripts have an option each.
        {n::LoadScripts, "no"},
        {n::Ytdl, "no"},
        {n::LoadStatsOverlay, "no"},
        {n::LoadOsdConsole, "no"},
        {n::LoadAutoProfiles, "no"},
        {n::Osc, "no"},
        {n::InputDefaultBindings, "no"},
        {n::InputVoKeyboard, "no"},
        {n::AudioFallbackToNull, "yes"},
        {n::Terminal, "no"},
        {n::Hwdec, "no"},
        {n::ScreenshotPngCompression, "1"},
        {n::HrSeekFramedrop, "no"},
        {n::Aid, "1"},
        {n::GpuHwdecInterop, "no"}, // decoders copy to memory; no interop to probe
        // One packet decides a stream's codec: a longer probe reads the
        // telemetry records as MP3 and goes on through the whole file.
        {n::DemuxerLavfOptions, "max_probe_packets=1"},
    };
    for (const auto &[name, value] : options) {
        // An option this mpv lacks costs only what it would have saved.
        if (const int set = mpv_set_option_string(mpv, name, value); set < 0)
            qCWarning(lcPlayer, "mpv refused %s=%s: %s", name, value, mpv_error_string(set));
    }
    if (const QByteArray ao = audioOutput(); !ao.isEmpty())
        mpv_set_option_string(mpv, n::Ao, ao.constData());
    const int started = mpv_initialize(mpv);
    if (started < 0 || !registerRecordingProtocol(mpv)) {
        *error = QString::fromUtf8(mpv_error_string(started < 0 ? started : MPV_ERROR_GENERIC));
        mpv_terminate_destroy(mpv);
        return nullptr;
    }
    return std::shared_ptr<MpvHandle>(new MpvHandle(mpv));
}

MpvHandle::~MpvHandle() {
    mpv_terminate_destroy(m_mpv);
}

} // namespace velmora
