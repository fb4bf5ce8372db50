#include "recordingprotocol.h"

#include "paddedrecording.h"

#include <QDebug>
#include <QFile>
#include <mpv/client.h>
#include <mpv/stream_cb.h>

namespace velmora {

namespace {

constexpr char Scheme[] = "velmora-recording";

// The callbacks run on mpv's threads and touch only their own file.
int64_t readRecording(void *cookie, char *buffer, uint64_t bytes) {
    return static_cast<PaddedRecording *>(cookie)->read(buffer, qint64(bytes));
}

int64_t seekRecording(void *cookie, int64_t offset) {
    return static_cast<PaddedRecording *>(cookie)->seek(offset) ? offset
                                                                : int64_t(MPV_ERROR_GENERIC);
}

int64_t recordingSize(void *cookie) {
    return static_cast<PaddedRecording *>(cookie)->size();
}

void closeRecording(void *cookie) {
    delete static_cast<PaddedRecording *>(cookie);
}

int openRecording(void *, char *address, mpv_stream_cb_info *info) {
    const QByteArray prefix = QByteArray(Scheme) + "://";
    const QByteArray whole(address);
    if (!whole.startsWith(prefix))
        return MPV_ERROR_LOADING_FAILED;
    auto *file = new PaddedRecording;
    if (!file->open(QFile::decodeName(whole.mid(prefix.size())))) {
        delete file;
        return MPV_ERROR_LOADING_FAILED;
    }
    info->cookie = file;
    info->read_fn = readRecording;
    info->seek_fn = seekRecording;
    info->size_fn = recordingSize;
    info->close_fn = closeRecording;
    return 0;
}

} // namespace

bool registerRecordingProtocol(mpv_handle *mpv) {
    return mpv_stream_cb_add_ro(mpv, Scheme, nullptr, openRecording) >= 0;
}

QByteArray recordingAddress(const QString &path) {
    return QByteArray(Scheme) + "://" + QFile::encodeName(path);
}

} // namespace velmora
