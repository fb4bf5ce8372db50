#include "mpvplayer.h"

#include "mpvnames.h"
#include "playerlog.h"
#include "recordingprotocol.h"

#include <QDebug>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <mpv/client.h>

namespace velmora {

namespace n = mpvnames;

namespace {

void log(const QString &line) {
    qCDebug(lcPlayer).noquote() << QStringLiteral("Video: ") + line;
}

QByteArray seconds(qint64 ms) {
    return QByteArray::number(double(ms) / 1000.0, 'f', 3);
}

// Copying decoders only: the picture is drawn by our own code, not through
// a graphics interop.
QByteArray decoderName(const QString &name) {
    static const QHash<QString, QByteArray> names = {
        {"vaapi", "vaapi-copy"},
        {"cuda", "nvdec-copy"},
        {"nvdec", "nvdec-copy"},
        {"vdpau", "vdpau-copy"},
        {"dxva", "dxva2-copy"},
        {"d3d11", "d3d11va-copy"},
        {"videotoolbox", "videotoolbox-copy"},
    };
    return names.value(name.toLower());
}

} // namespace

MpvPlayer::MpvPlayer(QObject *parent)
    : QObject(parent)
    , m_waker(new ThreadWaker(this)) {
    connect(m_waker, &ThreadWaker::woken, this, &MpvPlayer::handleEvents);
    m_clock.start();
    QString error;
    m_mpv = MpvHandle::create(&error);
    if (!m_mpv) {
        log(QStringLiteral("no player: ") + error);
        return;
    }
    mpv_handle *mpv = m_mpv->get();
    // VELMORA_MPV_LOG=warn (or info, debug...) passes mpv's own messages on.
    if (const QByteArray level = qgetenv("VELMORA_MPV_LOG"); !level.isEmpty())
        mpv_request_log_messages(mpv, level.constData());
    mpv_observe_property(mpv, 0, n::TimePos, MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv, 0, n::Duration, MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv, 0, n::ContainerFps, MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv, 0, n::Width, MPV_FORMAT_INT64);
    mpv_observe_property(mpv, 0, n::Height, MPV_FORMAT_INT64);
    // Runs on mpv's threads: it only wakes this one.
    mpv_set_wakeup_callback(
        mpv, [](void *waker) { static_cast<ThreadWaker *>(waker)->wake(); }, m_waker);
}

MpvPlayer::~MpvPlayer() {
    if (!m_mpv)
        return;
    mpv_set_wakeup_callback(m_mpv->get(), nullptr, nullptr);
    // A renderer may hold the core a little longer; it should not play on.
    command({n::Stop});
}

void MpvPlayer::setFile(const QString &path) {
    m_file = path;
}

// Every call from here is asynchronous. A blocking call could wait for the
// core while the core waits for a picture to be drawn, and the drawing (on
// the scene graph's render thread) waits for this thread.
void MpvPlayer::command(std::initializer_list<const char *> args) {
    if (!m_mpv)
        return;
    const char *argv[8] = {};
    int i = 0;
    for (const char *arg : args)
        argv[i++] = arg;
    mpv_command_async(m_mpv->get(), 0, argv);
}

void MpvPlayer::setText(const char *name, const QByteArray &value) {
    if (!m_mpv)
        return;
    const char *text = value.constData();
    mpv_set_property_async(m_mpv->get(), 0, name, MPV_FORMAT_STRING, &text);
}

void MpvPlayer::setFlag(const char *name, bool on) {
    setText(name, on ? "yes" : "no");
}

void MpvPlayer::setDouble(const char *name, double value) {
    if (m_mpv)
        mpv_set_property_async(m_mpv->get(), 0, name, MPV_FORMAT_DOUBLE, &value);
}

void MpvPlayer::setVideoTrack(int track) {
    setText(n::Vid, QByteArray::number(track + 1));
}

void MpvPlayer::setVolume(qreal volume) {
    setDouble(n::Volume, qBound(0.0, volume, 1.0) * 100.0);
}

void MpvPlayer::setMuted(bool muted) {
    setFlag(n::Mute, muted);
    // The camera's sound is the first audio stream; the probe can take the
    // telemetry stream for a second one.
    setText(n::Aid, muted ? "no" : "1");
}

void MpvPlayer::setSpeed(qreal rate) {
    m_speed = rate;
    setDouble(n::Speed, rate);
}

void MpvPlayer::setPicture(qreal brightness, qreal contrast) {
    m_brightness = qBound(-1.0, brightness, 1.0);
    m_contrast = qBound(-1.0, contrast, 1.0);
    applyPicture();
}

// One video filter for both picture paths: mpv's software renderer ignores
// its own adjustments, and its OpenGL renderer's contrast is a gain from
// black that leaves saturated colours alone. The filter's contrast turns
// about mid-grey. Without adjustments there is no filter at all.
void MpvPlayer::applyPicture() {
    QByteArray filter;
    if (m_brightness != 0 || m_contrast != 0)
        filter = "eq=brightness=" + QByteArray::number(m_brightness, 'f', 3) +
                 ":contrast=" + QByteArray::number(1.0 + m_contrast, 'f', 3);
    setText(n::Vf, filter);
}

void MpvPlayer::setDecoders(const QStringList &priority) {
    QByteArrayList chosen;
    for (const QString &name : priority) {
        const QByteArray decoder = decoderName(name);
        if (!decoder.isEmpty() && !chosen.contains(decoder))
            chosen.append(decoder);
    }
    setText(n::Hwdec, chosen.isEmpty() ? QByteArray("no") : chosen.join(','));
}

void MpvPlayer::play() {
    if (!m_mpv)
        return;
    if (m_load == Load::Loading || m_load == Load::Opening) {
        m_pauseWhenOpen = false;
    } else if (m_load == Load::Open) {
        if (m_state == Paused) {
            setFlag(n::Pause, false);
            enter(Playing);
            emit playing();
        }
    } else if (m_file.isEmpty()) {
        log(QStringLiteral("nothing to play"));
    } else {
        m_load = Load::Loading;
        m_pauseWhenOpen = false;
        if (m_output == Output::Ready)
            startLoad();
        else
            m_loadWaiting = true;
        if (m_output == Output::Failed)
            setOutputReady(false);
    }
}

void MpvPlayer::startLoad() {
    m_loadWaiting = false;
    // Opened paused, so that a seek asked for meanwhile comes first.
    setFlag(n::Pause, true);
    const QByteArray address = recordingAddress(m_file);
    // The reply names the playlist entry of this load; only that entry's
    // events count (a load stopped before it began leaves no events at all).
    ++m_loadSerial;
    m_entry = -1;
    const char *argv[] = {n::LoadFile, address.constData(), nullptr};
    if (m_mpv)
        mpv_command_async(m_mpv->get(), LoadReply + m_loadSerial, argv);
}

// The entry of the current load is known: events that came before the reply
// are taken up now.
void MpvPlayer::loadAccepted(qint64 entry) {
    m_entry = entry;
    if (m_load == Load::Idle)
        return;
    if (m_ended.entry == entry)
        fileEnded(m_ended.reason, m_ended.error);
    else if (m_load == Load::Loading && m_loadedEntry == entry)
        fileOpened();
}

void MpvPlayer::setOutputReady(bool ok) {
    m_output = ok ? Output::Ready : Output::Failed;
    if (!m_loadWaiting)
        return;
    if (ok) {
        startLoad();
    } else {
        m_loadWaiting = false;
        cannotPlay(QStringLiteral("no picture output"));
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_load == Load::Loading && !m_loadWaiting)
                    endLoad();
            },
            Qt::QueuedConnection);
    }
}

void MpvPlayer::pause() {
    if (m_load == Load::Open && m_state == Playing) {
        setFlag(n::Pause, true);
        enter(Paused);
        emit paused();
        return;
    }
    if (m_load == Load::Idle)
        play();
    if (m_load == Load::Loading || m_load == Load::Opening)
        m_pauseWhenOpen = true;
}

void MpvPlayer::stop() {
    if (m_load == Load::Idle)
        return;
    m_loadWaiting = false;
    command({n::Stop});
    ++m_loadSerial; // a late reply to the stopped load is no longer ours
    m_entry = -1;
    endLoad();
}

void MpvPlayer::seek(qint64 ms) {
    ms = qMax<qint64>(0, ms);
    if (m_load == Load::Loading || m_load == Load::Opening) {
        m_pendingSeek = ms;
    } else if (m_load == Load::Open) {
        const QByteArray to = seconds(ms);
        command({n::Seek, to.constData(), n::SeekAbsoluteExact});
        m_seekAt = m_clock.elapsed();
        setPosition(ms);
    }
}

void MpvPlayer::step(bool forward) {
    if (m_load != Load::Open)
        return;
    // mpv pauses on a frame step; the state follows it here.
    if (m_state == Playing) {
        enter(Paused);
        emit paused();
    }
    command({forward ? n::FrameStep : n::FrameBackStep});
}

void MpvPlayer::capture(const QString &path) {
    if (!m_mpv || m_load != Load::Open) {
        QMetaObject::invokeMethod(
            this, [this, path] { emit captureFinished(path, false); }, Qt::QueuedConnection);
        return;
    }
    const quint64 id = m_nextCapture++;
    m_captures.insert(id, path);
    log(QStringLiteral("capture ") + path);
    const QByteArray file = QFile::encodeName(path);
    const char *argv[] = {n::ScreenshotToFile, file.constData(), n::ScreenshotVideo, nullptr};
    mpv_command_async(m_mpv->get(), id, argv);
}

qint64 MpvPlayer::countProperty(const char *name) const {
    int64_t value = 0;
    if (m_mpv && mpv_get_property(m_mpv->get(), name, MPV_FORMAT_INT64, &value) < 0)
        value = 0;
    return value;
}

qint64 MpvPlayer::droppedFrames() const {
    return countProperty(n::FrameDropCount) + countProperty(n::DecoderFrameDropCount);
}

qint64 MpvPlayer::delayedFrames() const {
    return countProperty(n::VoDelayedFrameCount);
}

void MpvPlayer::handleEvents() {
    if (!m_mpv)
        return;
    while (true) {
        const mpv_event *event = mpv_wait_event(m_mpv->get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handle(*event);
    }
}

void MpvPlayer::handle(const mpv_event &event) {
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_startedEntry = static_cast<const mpv_event_start_file *>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        m_loadedEntry = m_startedEntry;
        if (m_load == Load::Loading && m_entry >= 0 && m_loadedEntry == m_entry)
            fileOpened();
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<const mpv_event_end_file *>(event.data);
        m_ended = {end->playlist_entry_id, end->reason, end->error};
        if (m_load != Load::Idle && m_entry >= 0 && end->playlist_entry_id == m_entry)
            fileEnded(end->reason, end->error);
        break;
    }
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto *change = static_cast<const mpv_event_property *>(event.data);
        const QByteArray name(change->name);
        // The frame rate comes as soon as the file is read, before it is open.
        if (change->format == MPV_FORMAT_DOUBLE && name == n::ContainerFps) {
            const double fps = *static_cast<double *>(change->data);
            if (fps > 1 && fps < 1000)
                m_frameMs = 1000.0 / fps;
        } else if (change->format == MPV_FORMAT_DOUBLE && m_load == Load::Open) {
            const qint64 ms = std::llround(*static_cast<double *>(change->data) * 1000.0);
            if (name == n::TimePos) {
                setPosition(ms);
            } else if (name == n::Duration && ms != m_duration) {
                m_duration = ms;
                emit durationChanged();
            }
        } else if (change->format == MPV_FORMAT_INT64) {
            setFrameDimension(name, int(*static_cast<int64_t *>(change->data)));
        }
        break;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_seekAt >= 0)
            m_lastSeekMs = m_clock.elapsed() - m_seekAt;
        m_seekAt = -1;
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY:
        // Replies to a load that was stopped meanwhile are left alone.
        if (event.reply_userdata == OpenReply && m_load == Load::Opening)
            openReply(*static_cast<const mpv_event_property *>(event.data));
        break;
    case MPV_EVENT_LOG_MESSAGE: {
        const auto *message = static_cast<const mpv_event_log_message *>(event.data);
        log(QStringLiteral("mpv %1: %2")
                .arg(QString::fromUtf8(message->prefix),
                     QString::fromUtf8(message->text).trimmed()));
        break;
    }
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata == LoadReply + m_loadSerial) {
            const qint64 entry = entryOf(static_cast<const mpv_event_command *>(event.data));
            if (event.error < 0 || entry < 0) {
                cannotPlay(QString::fromUtf8(mpv_error_string(event.error)));
                if (m_load != Load::Idle)
                    endLoad();
            } else {
                loadAccepted(entry);
            }
        } else if (m_captures.contains(event.reply_userdata)) {
            const QString path = m_captures.take(event.reply_userdata);
            const bool ok = event.error >= 0 && QFileInfo(path).isFile();
            log((ok ? QStringLiteral("captured ") : QStringLiteral("capture failed: ")) + path);
            emit captureFinished(path, ok);
        }
        break;
    default:
        break;
    }
}

// The file is open: its duration and frame size are asked for, and the
// element enters its state once they have come (opened()).
void MpvPlayer::fileOpened() {
    m_load = Load::Opening;
    applyPicture();
    mpv_get_property_async(m_mpv->get(), OpenReply, n::Duration, MPV_FORMAT_DOUBLE);
    mpv_get_property_async(m_mpv->get(), OpenReply, n::Width, MPV_FORMAT_INT64);
    mpv_get_property_async(m_mpv->get(), OpenReply, n::Height, MPV_FORMAT_INT64);
    m_openReplies = 3;
}

void MpvPlayer::openReply(const mpv_event_property &property) {
    const QByteArray name(property.name);
    if (property.format == MPV_FORMAT_DOUBLE && name == n::Duration) {
        const qint64 duration = std::llround(*static_cast<double *>(property.data) * 1000.0);
        if (duration != m_duration) {
            m_duration = duration;
            emit durationChanged();
        }
    } else if (property.format == MPV_FORMAT_INT64) {
        setFrameDimension(name, int(*static_cast<int64_t *>(property.data)));
    }
    if (--m_openReplies == 0 && m_load == Load::Opening)
        opened();
}

void MpvPlayer::setFrameDimension(const QByteArray &name, int value) {
    int &field = name == n::Width ? m_frameWidth : m_frameHeight;
    if (value <= 0 || field == value)
        return;
    field = value;
    emit frameSizeChanged();
}

void MpvPlayer::opened() {
    m_load = Load::Open;
    if (m_pendingSeek >= 0) {
        const QByteArray to = seconds(m_pendingSeek);
        command({n::Seek, to.constData(), n::SeekAbsoluteExact});
        m_seekAt = m_clock.elapsed();
    }
    setPosition(qMax<qint64>(0, m_pendingSeek));
    m_pendingSeek = -1;
    if (m_pauseWhenOpen) {
        enter(Paused);
        emit paused();
    } else {
        setFlag(n::Pause, false);
        enter(Playing);
        emit playing();
    }
}

qint64 MpvPlayer::entryOf(const mpv_event_command *reply) {
    if (!reply || reply->result.format != MPV_FORMAT_NODE_MAP)
        return -1;
    const mpv_node_list *map = reply->result.u.list;
    for (int i = 0; i < map->num; ++i) {
        if (qstrcmp(map->keys[i], "playlist_entry_id") == 0 &&
            map->values[i].format == MPV_FORMAT_INT64)
            return map->values[i].u.int64;
    }
    return -1;
}

void MpvPlayer::fileEnded(int reason, int error) {
    if (reason == MPV_END_FILE_REASON_ERROR) {
        const QString why = QFileInfo::exists(m_file) ? QString::fromUtf8(mpv_error_string(error))
                                                      : QStringLiteral("no such file");
        cannotPlay(why);
    }
    endLoad();
}

void MpvPlayer::cannotPlay(const QString &why) {
    log(QStringLiteral("cannot play ") + m_file + QStringLiteral(": ") + why);
    emit failed(why);
}

void MpvPlayer::endLoad() {
    m_load = Load::Idle;
    m_seekAt = -1;
    m_frameMs = DefaultFrameMs;
    m_pendingSeek = -1;
    m_pauseWhenOpen = false;
    setPosition(0);
    enter(Stopped);
    emit stopped();
}

void MpvPlayer::enter(State state) {
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

bool MpvPlayer::seeking() const {
    // A seek that never reports its end (one past the end of the file) does
    // not hold the position back for more than two seconds.
    return m_seekAt >= 0 && m_clock.elapsed() - m_seekAt < 2000;
}

qint64 MpvPlayer::clockPosition() const {
    if (m_state != Playing)
        return m_position;
    if (seeking())
        return -1;
    // Carried forward by at most 50 ms of real time (a frame and a half at
    // normal speed), however fast it plays.
    const double since = double(std::min<qint64>(m_clock.elapsed() - m_positionAt, 50)) * m_speed;
    return m_position + std::llround(since);
}

void MpvPlayer::setPosition(qint64 ms) {
    m_positionAt = m_clock.elapsed();
    if (ms == m_position)
        return;
    m_position = ms;
    emit positionChanged();
}

} // namespace velmora
