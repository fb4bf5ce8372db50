#pragma once

// Small checked wrappers over the system calls that write files durably, for
// the code that must never leave a short file behind (settings, copies,
// exports).
#include <QByteArray>
#include <QString>

namespace velmora::posixio {

// The text of the current errno.
QString systemError();

// Writes all `size` bytes, retrying interrupted and short writes. False on
// failure, with errno set (ENOSPC when the device took nothing).
bool writeAll(int fd, const char *data, qint64 size);

// Makes a rename in `folder` durable; failures are ignored, as some file
// systems cannot sync a folder.
void syncFolder(const QByteArray &folder);

} // namespace velmora::posixio
