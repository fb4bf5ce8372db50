#pragma once

#include "volume.h"

#include <array>

namespace velmora {

// The cards found by the last search: their volume names and root paths, in
// the order found. Entries past the count keep what an earlier search left.
class DriveTable {
public:
    static constexpr int Capacity = 10;

    // Looks through the volumes for those labelled exactly `wantedLabel`
    // (case-sensitive) and keeps the first ten. Returns whether any was found.
    bool search(const QVector<Volume> &volumes, const QString &wantedLabel);

    int count() const { return m_DriveCount; }
    QString name(int idx) const;
    QString path(int idx) const;

private:
    std::array<QString, Capacity> m_DriveName;
    std::array<QString, Capacity> m_DrivePath;
    int m_DriveCount = 0;
};

} // namespace velmora
