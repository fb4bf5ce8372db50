#include "video.h"

#include "glframeitem.h"
#include "mpvplayer.h"
#include "swframeitem.h"
#include "videocapture.h"

#include <QQuickWindow>
#include <QSGRendererInterface>

namespace velmora {

Video::Video(QQuickItem *parent)
    : QQuickItem(parent)
    , m_player(new MpvPlayer(this))
    , m_capture(new VideoCapture(m_player, this)) {
    setClip(true);
    connect(m_player, &MpvPlayer::playing, this, &Video::playing);
    connect(m_player, &MpvPlayer::paused, this, &Video::paused);
    connect(m_player, &MpvPlayer::failed, this, &Video::failed);
    connect(m_player, &MpvPlayer::stopped, this, [this] {
        // A stopped follower starts the next recording at its own speed.
        setSpeedFactor(1.0);
        emit stopped();
    });
    connect(m_player, &MpvPlayer::stateChanged, this, &Video::playbackStateChanged);
    connect(m_player, &MpvPlayer::positionChanged, this, &Video::positionChanged);
    connect(m_player, &MpvPlayer::durationChanged, this, &Video::durationChanged);
    connect(m_player, &MpvPlayer::frameSizeChanged, this, [this] {
        placePicture();
        emit videoFrameSizeChanged();
    });
    m_player->setVideoTrack(m_videoTrack);
    m_player->setVolume(m_volume);
    m_player->setDecoders(m_codecPriority);
}

Video::~Video() {
    // The picture goes first: its renderer lets go of the core after it.
    delete m_picture.data();
}

void Video::itemChange(ItemChange change, const ItemChangeData &data) {
    QQuickItem::itemChange(change, data);
    if (change == ItemSceneChange && data.window && !m_picture)
        createPicture();
}

void Video::createPicture() {
    const QByteArray forced = qgetenv("VELMORA_VIDEO_RENDERER");
    m_software = forced == "software" ||
                 window()->rendererInterface()->graphicsApi() != QSGRendererInterface::OpenGL;
    if (m_software) {
        auto *picture = new SwFrameItem(m_player->handle(), this);
        connect(picture, &SwFrameItem::outputReady, m_player, &MpvPlayer::setOutputReady);
        connect(picture, &SwFrameItem::frameReady, this, &Video::frameReady);
        m_picture = picture;
    } else {
        auto *picture = new GlFrameItem(m_player->handle(), this);
        connect(picture, &GlFrameItem::outputReady, m_player, &MpvPlayer::setOutputReady);
        connect(picture, &GlFrameItem::frameReady, this, &Video::frameReady);
        m_picture = picture;
    }
    m_picture->setTransformOrigin(QQuickItem::Center);
    placePicture();
}

FramePlacement Video::placement() const {
    FrameView view;
    view.view = size();
    view.frame = QSize(m_player->frameWidth(), m_player->frameHeight());
    view.region = m_region;
    view.orientation = m_orientation;
    view.vflip = m_vflip;
    view.keepAspect = m_fillMode == VideoOutputEnums::PreserveAspectFit;
    return placeFrame(view);
}

void Video::placePicture() {
    if (!m_picture)
        return;
    const FramePlacement p = placement();
    if (!p.valid) {
        // Before the first frame: the renderer is made only for an item
        // that is drawn, so the picture stays, black, over the whole view.
        m_picture->setPosition(QPointF(0, 0));
        m_picture->setSize(size().expandedTo(QSizeF(1, 1)));
        m_picture->setRotation(0);
        return;
    }
    m_picture->setPosition(p.rect.topLeft());
    m_picture->setSize(p.rect.size());
    m_picture->setRotation(p.rotation);
    const QSize frame(m_player->frameWidth(), m_player->frameHeight());
    if (auto *gl = qobject_cast<GlFrameItem *>(m_picture)) {
        gl->setFrameSize(frame);
        gl->setMirrorVertically(p.mirrored);
    } else if (auto *sw = qobject_cast<SwFrameItem *>(m_picture)) {
        sw->setFrameSize(frame);
        sw->setMirrorVertically(p.mirrored);
    }
}

void Video::geometryChanged(const QRectF &now, const QRectF &before) {
    QQuickItem::geometryChanged(now, before);
    if (now.size() != before.size())
        placePicture();
}

void Video::setSource(const QUrl &source) {
    if (source == m_source)
        return;
    m_source = source;
    m_player->setFile(source.isLocalFile() ? source.toLocalFile() : source.toString());
    emit sourceChanged();
}

void Video::setVideoTrack(int track) {
    if (track == m_videoTrack)
        return;
    m_videoTrack = track;
    m_player->setVideoTrack(track);
    emit videoTrackChanged();
}

qint64 Video::position() const {
    return m_player->position();
}

qint64 Video::duration() const {
    return m_player->duration();
}

int Video::playbackState() const {
    return m_player->state();
}

void Video::setVolume(qreal volume) {
    volume = qBound(0.0, volume, 1.0);
    if (qFuzzyCompare(volume, m_volume))
        return;
    m_volume = volume;
    m_player->setVolume(volume);
    emit volumeChanged();
}

void Video::setMuted(bool muted) {
    if (muted == m_muted)
        return;
    m_muted = muted;
    m_player->setMuted(muted);
    emit mutedChanged();
}

void Video::setPlaybackRate(qreal rate) {
    if (rate <= 0 || qFuzzyCompare(rate, m_rate))
        return;
    m_rate = rate;
    m_player->setSpeed(m_rate * m_speedFactor);
    emit playbackRateChanged();
}

void Video::setSpeedFactor(qreal factor) {
    if (factor <= 0 || qFuzzyCompare(factor, m_speedFactor))
        return;
    m_speedFactor = factor;
    m_player->setSpeed(m_rate * m_speedFactor);
}

qint64 Video::clockPosition() const {
    return m_player->clockPosition();
}

bool Video::seeking() const {
    return m_player->seeking();
}

qint64 Video::lastSeekMs() const {
    return m_player->lastSeekMs();
}

double Video::frameMs() const {
    return m_player->frameMs();
}

void Video::setBrightness(qreal value) {
    value = qBound(-1.0, value, 1.0);
    if (value == m_brightness)
        return;
    m_brightness = value;
    m_player->setPicture(m_brightness, m_contrast);
    emit brightnessChanged();
}

void Video::setContrast(qreal value) {
    value = qBound(-1.0, value, 1.0);
    if (value == m_contrast)
        return;
    m_contrast = value;
    m_player->setPicture(m_brightness, m_contrast);
    emit contrastChanged();
}

void Video::setOrientation(int degrees) {
    if (degrees == m_orientation)
        return;
    m_orientation = degrees;
    placePicture();
    emit orientationChanged();
}

void Video::setVflip(bool flipped) {
    if (flipped == m_vflip)
        return;
    m_vflip = flipped;
    placePicture();
    emit vflipChanged();
}

void Video::setFillMode(int mode) {
    if (mode == m_fillMode)
        return;
    m_fillMode = mode;
    placePicture();
    emit fillModeChanged();
}

void Video::setVideoCodecPriority(const QStringList &priority) {
    if (priority == m_codecPriority)
        return;
    m_codecPriority = priority;
    m_player->setDecoders(priority);
    emit videoCodecPriorityChanged();
}

int Video::videoFrameWidth() const {
    return m_player->frameWidth();
}

int Video::videoFrameHeight() const {
    return m_player->frameHeight();
}

void Video::setZoom(qreal zoom) {
    zoom = qBound(1.0, zoom, 3.0);
    if (qFuzzyCompare(zoom, m_zoom))
        return;
    m_zoom = zoom;
    emit zoomChanged();
}

void Video::setRegion(const QRectF &region) {
    if (region == m_region)
        return;
    m_region = region;
    placePicture();
    emit regionChanged();
}

void Video::setRoiX(qreal x) {
    setRegion(QRectF(x, m_region.y(), m_region.width(), m_region.height()));
}

void Video::setRoiY(qreal y) {
    setRegion(QRectF(m_region.x(), y, m_region.width(), m_region.height()));
}

void Video::setRoiWidth(qreal width) {
    setRegion(QRectF(m_region.x(), m_region.y(), width, m_region.height()));
}

void Video::setRoiHeight(qreal height) {
    setRegion(QRectF(m_region.x(), m_region.y(), m_region.width(), height));
}

void Video::play() {
    m_player->play();
}

void Video::pause() {
    m_player->pause();
}

void Video::stop() {
    m_player->stop();
}

void Video::seek(qint64 ms) {
    m_player->seek(ms);
}

void Video::stepForward() {
    m_player->step(true);
}

void Video::stepBackward() {
    m_player->step(false);
}

QPointF Video::mapPointToSource(const QPointF &point) const {
    return placement().toFrame(point);
}

qint64 Video::droppedFrames() const {
    return m_player->droppedFrames();
}

qint64 Video::delayedFrames() const {
    return m_player->delayedFrames();
}

} // namespace velmora
