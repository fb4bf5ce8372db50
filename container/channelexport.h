#pragma once

// Writes one camera channel of a recording as a recording of its own: the
// chosen video stream, the audio stream and the telemetry stream, with the
// data chunks renumbered and the index rebuilt for the new stream numbers.
//
// The copy streams the source once, front to back: chunk bodies are copied by
// the kernel where the file systems allow it, through one bounded buffer
// otherwise; the other channels' bodies are never read. The result is written
// under a temporary name in the destination folder and renamed into place
// only when complete; on any failure nothing is left.
// Every call keeps its state to itself, so several exports may run at once.
#include <QString>
#include <functional>

namespace velmora {

struct ChannelExportResult {
    enum class Status {
        Done,
        SourceUnreadable, // cannot be opened, or a read failed
        NotARecording,    // no channel marker, or a header that does not follow the layout
        MissingChannel,   // the recording has no such camera channel
        WriteFailed,      // the destination could not be written; nothing was left there
        Cancelled,        // stopped on request; nothing was left there
    };
    Status status = Status::SourceUnreadable;
    QString error;           // why, for anything but Done
    qint64 chunks = 0;       // data chunks written
    qint64 indexEntries = 0; // entries of the new index
    qint64 bytes = 0;        // size of the written file

    bool ok() const { return status == Status::Done; }
};

class ChannelExport {
public:
    // "front" for channel 0, "CAM1" for 1, "CAM2" for 2, empty otherwise.
    static QString channelWord(int channel);
    // folder + "/" + name + "_" + channel word + ".avi"
    static QString destinationPath(const QString &folder, const QString &name, int channel);

    // Exports `channel` (0 front camera, 1 and 2 the further cameras) of the
    // recording at `source` to the file `destination`, replacing it if it
    // exists. Logs its steps. `stop`, when given, is asked between the data
    // chunks; once it says true the export ends as Cancelled.
    static ChannelExportResult run(const QString &source, const QString &destination, int channel,
                                   const std::function<bool()> &stop = {});
};

} // namespace velmora
