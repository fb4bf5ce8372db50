#pragma once

// Drives one mpv core: transport, the playback state and its signals,
// position, duration, frame size, tracks, audio, picture adjustments and
// captures. Lives on the GUI thread; mpv's events reach it through a queued
// call, so none of its code runs inside an mpv callback.
//
// The state changes with the signal that announces it: a play() of a stopped
// element loads the file and enters the playing state (emitting playing())
// once the file is open, when its duration is known. stopped() is emitted
// whenever an element that was loading, playing or paused stops: by stop(),
// at the end of the file, or when the file cannot be played.
#include "mpvhandle.h"
#include "threadwaker.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <memory>

struct mpv_event;
struct mpv_event_property;
struct mpv_event_command;

namespace velmora {

class MpvPlayer : public QObject {
    Q_OBJECT
public:
    enum State { Stopped = 0, Playing = 1, Paused = 2 };
    Q_ENUM(State)

    explicit MpvPlayer(QObject *parent = nullptr);
    ~MpvPlayer() override;

    // Null when the core could not be created; every call is then ignored.
    const std::shared_ptr<MpvHandle> &handle() const { return m_mpv; }

    QString file() const { return m_file; }
    void setFile(const QString &path);

    State state() const { return m_state; }
    qint64 position() const { return m_position; }
    qint64 duration() const { return m_duration; }
    int frameWidth() const { return m_frameWidth; }
    int frameHeight() const { return m_frameHeight; }
    // One frame of the video track, in ms (30 fps until the file tells).
    double frameMs() const { return m_frameMs; }
    // Where the picture is now, in ms: the last reported position carried
    // forward by the time since, at the current speed, by at most 50 ms of
    // real time (a core that stalls does not seem to move on). -1 while a
    // seek is under way, and the reported position when not playing.
    qint64 clockPosition() const;
    bool seeking() const;
    // How long the last seek took to show its picture, in ms (0: none yet).
    qint64 lastSeekMs() const { return m_lastSeekMs; }

    void setVideoTrack(int track); // 0 = the first video stream
    void setVolume(qreal volume);  // 0..1
    void setMuted(bool muted);     // a muted core decodes no audio
    void setSpeed(qreal rate);     // 1 = normal speed
    // -1..1 each, 0 neutral.
    void setPicture(qreal brightness, qreal contrast);
    void setDecoders(const QStringList &priority);

    // mpv may open a file only once a render context exists: until then a
    // play() waits. Without one (ok false) loading ends as a failure.
    void setOutputReady(bool ok);

    void play();
    void pause();
    void stop();
    void seek(qint64 ms);
    // One frame later or earlier; an open file is paused first.
    void step(bool forward);
    // Writes the current frame, as decoded, to `path` (PNG); the result
    // comes with captureFinished().
    void capture(const QString &path);

    // Frames mpv dropped, and frames it showed late, since the file was loaded.
    qint64 droppedFrames() const;
    qint64 delayedFrames() const;

signals:
    void stateChanged();
    void playing();
    void paused();
    void stopped();
    void positionChanged();
    void durationChanged();
    void frameSizeChanged();
    void captureFinished(const QString &path, bool ok);
    // The file could not be played, and why; logged once as "cannot play".
    void failed(const QString &reason);

private:
    enum class Load { Idle, Loading, Opening, Open };
    // Reply ids, apart from the capture ids (counted up from 1).
    static constexpr quint64 OpenReply = 0xffffffff;
    static constexpr quint64 LoadReply = quint64(1) << 40; // plus the load's serial

    void handleEvents();
    void handle(const mpv_event &event);
    void loadAccepted(qint64 entry);
    static qint64 entryOf(const mpv_event_command *reply);
    void fileOpened();
    void openReply(const mpv_event_property &property);
    void opened();
    void setFrameDimension(const QByteArray &name, int value);
    void setText(const char *name, const QByteArray &value);
    void fileEnded(int reason, int error);
    void cannotPlay(const QString &why);
    void enter(State state);
    void endLoad();
    void command(std::initializer_list<const char *> args);
    void setFlag(const char *name, bool on);
    void setDouble(const char *name, double value);
    void setPosition(qint64 ms);
    void startLoad();
    void applyPicture();
    qint64 countProperty(const char *name) const;

    std::shared_ptr<MpvHandle> m_mpv;
    QString m_file;
    Load m_load = Load::Idle;
    State m_state = Stopped;
    bool m_pauseWhenOpen = false;
    enum class Output { Waiting, Ready, Failed } m_output = Output::Waiting;
    bool m_loadWaiting = false; // a load asked for before the output was ready
    qreal m_brightness = 0;
    qreal m_contrast = 0;
    qint64 m_pendingSeek = -1;
    // Which of mpv's playlist entries is the current load (-1: not known
    // yet), and what mpv last reported of its entries.
    quint64 m_loadSerial = 0;
    qint64 m_entry = -1;
    qint64 m_startedEntry = -1;
    qint64 m_loadedEntry = -1;
    struct Ended {
        qint64 entry = -1;
        int reason = 0;
        int error = 0;
    } m_ended;
    qint64 m_position = 0;
    QElapsedTimer m_clock;
    qint64 m_positionAt = 0; // m_clock's reading when m_position came
    qint64 m_seekAt = -1;    // m_clock's reading when the last seek was sent; -1 once it ended
    qint64 m_lastSeekMs = 0;
    double m_speed = 1.0;
    static constexpr double DefaultFrameMs = 1000.0 / 30;
    double m_frameMs = DefaultFrameMs;
    qint64 m_duration = 0;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    ThreadWaker *m_waker;
    int m_openReplies = 0;
    quint64 m_nextCapture = 1;
    QHash<quint64, QString> m_captures; // pending captures by reply id
};

} // namespace velmora
