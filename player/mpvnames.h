#pragma once

// The names of the mpv options, properties and commands the player uses.
namespace velmora::mpvnames {

// Options set before the core starts.
inline constexpr char Vo[] = "vo";
inline constexpr char KeepAspect[] = "keepaspect";
inline constexpr char Idle[] = "idle";
inline constexpr char KeepOpen[] = "keep-open";
inline constexpr char Sid[] = "sid";
inline constexpr char LoadScripts[] = "load-scripts";
inline constexpr char Ytdl[] = "ytdl";
inline constexpr char LoadStatsOverlay[] = "load-stats-overlay";
inline constexpr char LoadOsdConsole[] = "load-osd-console";
inline constexpr char LoadAutoProfiles[] = "load-auto-profiles";
inline constexpr char Osc[] = "osc";
inline constexpr char InputDefaultBindings[] = "input-default-bindings";
inline constexpr char InputVoKeyboard[] = "input-vo-keyboard";
inline constexpr char AudioFallbackToNull[] = "audio-fallback-to-null";
inline constexpr char Ao[] = "ao";
inline constexpr char Terminal[] = "terminal";
inline constexpr char ScreenshotPngCompression[] = "screenshot-png-compression";
inline constexpr char HrSeekFramedrop[] = "hr-seek-framedrop";
inline constexpr char DemuxerLavfOptions[] = "demuxer-lavf-o";
inline constexpr char GpuHwdecInterop[] = "gpu-hwdec-interop";

// Properties.
inline constexpr char Pause[] = "pause";
inline constexpr char TimePos[] = "time-pos";
inline constexpr char Duration[] = "duration";
inline constexpr char ContainerFps[] = "container-fps";
inline constexpr char Width[] = "width";
inline constexpr char Height[] = "height";
inline constexpr char Vid[] = "vid";
inline constexpr char Aid[] = "aid";
inline constexpr char Volume[] = "volume"; // 0..100
inline constexpr char Mute[] = "mute";
inline constexpr char Speed[] = "speed"; // the sound keeps its pitch
inline constexpr char Vf[] = "vf";
inline constexpr char Hwdec[] = "hwdec";
inline constexpr char FrameDropCount[] = "frame-drop-count";
inline constexpr char DecoderFrameDropCount[] = "decoder-frame-drop-count";
inline constexpr char VoDelayedFrameCount[] = "vo-delayed-frame-count";

// Commands.
inline constexpr char LoadFile[] = "loadfile";
inline constexpr char Stop[] = "stop";
inline constexpr char Seek[] = "seek";
inline constexpr char FrameStep[] = "frame-step";
inline constexpr char FrameBackStep[] = "frame-back-step";
inline constexpr char SeekAbsoluteExact[] = "absolute+exact";
inline constexpr char ScreenshotToFile[] = "screenshot-to-file";
inline constexpr char ScreenshotVideo[] = "video";

} // namespace velmora::mpvnames
