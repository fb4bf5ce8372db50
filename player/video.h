#pragma once

// The QML element "Video" (module VelmoraPlayer 1.0): one camera track of a
// recording, played by its own mpv core.
//
// The picture is drawn by a child item, through mpv's OpenGL render API when
// the scene graph runs on OpenGL, through its software renderer otherwise
// (or when VELMORA_VIDEO_RENDERER is "software"). The region of interest, the
// orientation and the flip are applied to that child item, so they take
// effect at once, paused or not, and mapPointToSource() uses the same
// placement (see FrameView).
#include "framegeometry.h"
#include "playerenums.h"

#include <QPointF>
#include <QPointer>
#include <QQuickItem>
#include <QStringList>
#include <QUrl>

namespace velmora {

class MpvPlayer;
class VideoCapture;

class Video : public QQuickItem {
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(int videoTrack READ videoTrack WRITE setVideoTrack NOTIFY videoTrackChanged)
    Q_PROPERTY(qint64 position READ position NOTIFY positionChanged)
    Q_PROPERTY(qint64 duration READ duration NOTIFY durationChanged)
    Q_PROPERTY(int playbackState READ playbackState NOTIFY playbackStateChanged)
    Q_PROPERTY(qreal volume READ volume WRITE setVolume NOTIFY volumeChanged)
    Q_PROPERTY(bool muted READ muted WRITE setMuted NOTIFY mutedChanged)
    Q_PROPERTY(
        qreal playbackRate READ playbackRate WRITE setPlaybackRate NOTIFY playbackRateChanged)
    Q_PROPERTY(qreal brightness READ brightness WRITE setBrightness NOTIFY brightnessChanged)
    Q_PROPERTY(qreal contrast READ contrast WRITE setContrast NOTIFY contrastChanged)
    Q_PROPERTY(int orientation READ orientation WRITE setOrientation NOTIFY orientationChanged)
    Q_PROPERTY(bool vflip READ vflip WRITE setVflip NOTIFY vflipChanged)
    Q_PROPERTY(int fillMode READ fillMode WRITE setFillMode NOTIFY fillModeChanged)
    Q_PROPERTY(QStringList videoCodecPriority READ videoCodecPriority WRITE setVideoCodecPriority
                   NOTIFY videoCodecPriorityChanged)
    Q_PROPERTY(int videoFrameWidth READ videoFrameWidth NOTIFY videoFrameSizeChanged)
    Q_PROPERTY(int videoFrameHeight READ videoFrameHeight NOTIFY videoFrameSizeChanged)
    Q_PROPERTY(qreal zoom READ zoom WRITE setZoom NOTIFY zoomChanged)
    Q_PROPERTY(qreal roi_x READ roiX WRITE setRoiX NOTIFY regionChanged)
    Q_PROPERTY(qreal roi_y READ roiY WRITE setRoiY NOTIFY regionChanged)
    Q_PROPERTY(qreal roi_width READ roiWidth WRITE setRoiWidth NOTIFY regionChanged)
    Q_PROPERTY(qreal roi_height READ roiHeight WRITE setRoiHeight NOTIFY regionChanged)
    Q_PROPERTY(velmora::VideoCapture *videoCapture READ videoCapture CONSTANT)
public:
    explicit Video(QQuickItem *parent = nullptr);
    ~Video() override;

    QUrl source() const { return m_source; }
    void setSource(const QUrl &source);

    int videoTrack() const { return m_videoTrack; }
    void setVideoTrack(int track);

    qint64 position() const;
    qint64 duration() const;
    int playbackState() const;

    qreal volume() const { return m_volume; }
    void setVolume(qreal volume);

    bool muted() const { return m_muted; }
    void setMuted(bool muted);

    qreal playbackRate() const { return m_rate; }
    void setPlaybackRate(qreal rate);

    qreal brightness() const { return m_brightness; }
    void setBrightness(qreal value);

    qreal contrast() const { return m_contrast; }
    void setContrast(qreal value);

    int orientation() const { return m_orientation; }
    void setOrientation(int degrees);

    bool vflip() const { return m_vflip; }
    void setVflip(bool flipped);

    int fillMode() const { return m_fillMode; }
    void setFillMode(int mode);

    QStringList videoCodecPriority() const { return m_codecPriority; }
    void setVideoCodecPriority(const QStringList &priority);

    int videoFrameWidth() const;
    int videoFrameHeight() const;

    qreal zoom() const { return m_zoom; }
    void setZoom(qreal zoom);

    qreal roiX() const { return m_region.x(); }
    void setRoiX(qreal x);
    qreal roiY() const { return m_region.y(); }
    void setRoiY(qreal y);
    qreal roiWidth() const { return m_region.width(); }
    void setRoiWidth(qreal width);
    qreal roiHeight() const { return m_region.height(); }
    void setRoiHeight(qreal height);

    VideoCapture *videoCapture() const { return m_capture; }

    Q_INVOKABLE void play();
    Q_INVOKABLE void pause();
    Q_INVOKABLE void stop();
    Q_INVOKABLE void seek(qint64 ms);
    // One frame on or back; both leave the element paused.
    Q_INVOKABLE void stepForward();
    Q_INVOKABLE void stepBackward();
    // A point of this item in frame pixels, as the picture is drawn now.
    Q_INVOKABLE QPointF mapPointToSource(const QPointF &point) const;

    // For measurements: true when drawn through the software renderer, and
    // mpv's counts of dropped and late frames.
    bool softwareRendering() const { return m_software; }

    // For ViewSync: the picture's position now (see MpvPlayer::clockPosition),
    // whether a seek is under way, one frame in ms, and a factor on the
    // playback rate that the element applies without changing playbackRate.
    qint64 clockPosition() const;
    bool seeking() const;
    qint64 lastSeekMs() const;
    double frameMs() const;
    qreal speedFactor() const { return m_speedFactor; }
    void setSpeedFactor(qreal factor);
    qint64 droppedFrames() const;
    qint64 delayedFrames() const;

signals:
    // A new picture is ready and will be drawn with the window's next frame.
    void frameReady();
    void playing();
    void paused();
    void stopped();
    // The source could not be played; `reason` is the player's, in English.
    void failed(QString reason);
    void sourceChanged();
    void videoTrackChanged();
    void positionChanged();
    void durationChanged();
    void playbackStateChanged();
    void volumeChanged();
    void mutedChanged();
    void playbackRateChanged();
    void brightnessChanged();
    void contrastChanged();
    void orientationChanged();
    void vflipChanged();
    void fillModeChanged();
    void videoCodecPriorityChanged();
    void videoFrameSizeChanged();
    void zoomChanged();
    void regionChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData &data) override;
    void geometryChanged(const QRectF &now, const QRectF &before) override;

private:
    void createPicture();
    void placePicture();
    FramePlacement placement() const;
    void setRegion(const QRectF &region);

    MpvPlayer *m_player;
    VideoCapture *m_capture;
    QPointer<QQuickItem> m_picture;
    bool m_software = false;

    QUrl m_source;
    int m_videoTrack = 0;
    qreal m_volume = 1.0;
    bool m_muted = false;
    qreal m_rate = 1.0;
    qreal m_speedFactor = 1.0;
    qreal m_brightness = 0;
    qreal m_contrast = 0;
    int m_orientation = 0;
    bool m_vflip = false;
    int m_fillMode = VideoOutputEnums::PreserveAspectFit;
    QStringList m_codecPriority;
    qreal m_zoom = 1.0;
    QRectF m_region;
};

} // namespace velmora
