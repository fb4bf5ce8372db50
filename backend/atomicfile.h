#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

// Replaces the file at `path` with `bytes`, or leaves it untouched: the bytes
// go to a temporary file in the same folder, are synced to the disk, and
// then take the file's place in one rename (keeping the old file's
// permissions). On failure nothing is left behind and `error` says why.
bool replaceFileAtomically(const QString &path, const QByteArray &bytes, QString *error);

} // namespace velmora
