#pragma once

#include "settingsvalues.h"

#include <QByteArray>
#include <QString>

namespace velmora {

// The camera's config.txt: INI group "config" with twenty keys, line-feed
// line ends, and one checksum byte (the sum of all other bytes, mod 256).
namespace CameraConfigFile {

// Reads the twenty keys (letter case, key order and line ends do not matter;
// the checksum is not checked; a missing key reads as 0 or empty). Returns
// false, leaving `settings` untouched, when the file cannot be read.
// `fingerprint`, when given, receives the fingerprint of the bytes read.
bool read(const QString &path, CameraSettings &settings, QByteArray *fingerprint = nullptr);

// Why `bytes` cannot be the camera's config.txt, or empty when they can be:
// no bytes at all, a NUL byte before the checksum byte (binary, not INI
// text), or none of the twenty keys in a "config" group. read() takes such a
// file as every key missing.
QString whyNotConfig(const QByteArray &bytes);

// The SHA-256 of the file's bytes as they are now; empty when the file
// cannot be read.
QByteArray fingerprint(const QString &path);

// The exact bytes the camera expects for these settings. Text values are
// escaped as Qt's INI writer escapes them. Empty when they cannot be built.
QByteArray build(const CameraSettings &settings, QString *error = nullptr);

// Builds the bytes and replaces the file with them in one step; on any
// failure the old file stays as it was.
bool write(const QString &path, const CameraSettings &settings, QString *error = nullptr);

// The checksum byte of `bytes`.
char checksum(const QByteArray &bytes);

} // namespace CameraConfigFile

} // namespace velmora
