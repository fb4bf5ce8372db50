#pragma once

// The enumerations the scenes name as MediaPlayer.PlayingState and
// VideoOutput.Stretch.
#include <QObject>

namespace velmora {

class MediaPlayerEnums : public QObject {
    Q_OBJECT
public:
    enum PlaybackState { StoppedState = 0, PlayingState = 1, PausedState = 2 };
    Q_ENUM(PlaybackState)
};

class VideoOutputEnums : public QObject {
    Q_OBJECT
public:
    enum FillMode { Stretch = 0, PreserveAspectFit = 1 };
    Q_ENUM(FillMode)
};

} // namespace velmora
