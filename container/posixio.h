#pragma once

// Small checked wrappers over the system calls that write files durably, for
// the code that must never leave a short file behind (settings, copies,
// exports). The calls that make a file durable or give it its name go
// through a table that the tests can replace, to see their order or make
// one of them fail.
#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace velmora::posixio {

// The system calls behind the functions below.
struct Calls {
    ssize_t (*write)(int fd, const void *data, size_t size);
    int (*fsync)(int fd);
    int (*fchmod)(int fd, mode_t mode);
    int (*rename)(const char *from, const char *to);
    // renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE)
    int (*renameNoReplace)(const char *from, const char *to);
};

// The system's own calls.
Calls systemCalls();
// Puts `calls` in place of the current table and returns that one. Not for
// use while a file is being written on another thread.
Calls replaceCalls(const Calls &calls);

// The text of the current errno.
QString systemError();

// Writes all `size` bytes, retrying interrupted and short writes. False on
// failure, with errno set (ENOSPC when the device took nothing).
bool writeAll(int fd, const char *data, qint64 size);

int fsync(int fd);
int fchmod(int fd, mode_t mode);
int rename(const QByteArray &from, const QByteArray &to);

// Gives `from` the name `to` unless `to` exists (errno EEXIST). Where the
// file system cannot refuse atomically, a hard link does; where it has none
// either (FAT), the name is checked just before the rename.
bool renameNoReplace(const QByteArray &from, const QByteArray &to);

// Makes a rename in `folder` durable; failures are ignored, as some file
// systems cannot sync a folder.
void syncFolder(const QByteArray &folder);

} // namespace velmora::posixio
