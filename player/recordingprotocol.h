#pragma once

// The player reads recordings through a stream protocol of its own, so that
// the index of a recording with an odd "movi" size is found (see
// PaddedRecording).
#include <QByteArray>
#include <QString>

struct mpv_handle;

namespace velmora {

// Registers the protocol on a core; false if mpv refused it.
bool registerRecordingProtocol(mpv_handle *mpv);

// The address under which the core opens the file at `path`.
QByteArray recordingAddress(const QString &path);

} // namespace velmora
