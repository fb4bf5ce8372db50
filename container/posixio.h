#pragma once

// Small checked wrappers over the system calls that write files durably, for
// the code that must never leave a short file behind (settings, copies,
// exports). The calls that make a file durable or give it its name, and
// those that read a copy back from the disk or a recording to export, go
// through a table that the tests can replace, to see their order, hold one
// or make one fail.
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
    int (*fadvise)(int fd, off_t offset, off_t length, int advice); // posix_fadvise
    ssize_t (*pread)(int fd, void *data, size_t size, off_t offset);
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
// posix_fadvise: 0, or the error number (errno is left alone).
int fadvise(int fd, off_t offset, off_t length, int advice);
ssize_t pread(int fd, char *data, size_t size, off_t offset);

// Gives `from` the name `to` unless `to` exists (errno EEXIST). Where the
// file system cannot refuse atomically, a hard link does; where it has none
// either (FAT), the name is checked just before the rename.
bool renameNoReplace(const QByteArray &from, const QByteArray &to);

// Makes a rename in `folder` durable; failures are ignored, as some file
// systems cannot sync a folder.
void syncFolder(const QByteArray &folder);

} // namespace velmora::posixio
