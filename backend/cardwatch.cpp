#include "cardwatch.h"

#include "backendlog.h"
#include "systemvolumes.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace velmora {

namespace {
const QString CardLabel = QStringLiteral("DASHCAM");

QStringList currentMountPoints() {
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    return CardWatch::mountPoints(table.readAll());
}

// "\040" and the like: the kernel writes space, tab, newline and backslash
// in a path as three octal digits.
QByteArray unescaped(const QByteArray &field) {
    QByteArray out;
    for (int i = 0; i < field.size(); ++i) {
        const QByteArray digits = field.mid(i + 1, 3);
        bool octal = field.at(i) == '\\' && digits.size() == 3;
        int value = 0;
        for (char c : digits) {
            octal = octal && c >= '0' && c <= '7';
            value = value * 8 + (c - '0');
        }
        out.append(octal ? char(value) : field.at(i));
        if (octal)
            i += 3;
    }
    return out;
}
} // namespace

CardWatch::CardWatch(QObject *parent)
    : QObject(parent) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CardWatch::check);
}

QStringList CardWatch::mountPoints(const QByteArray &mountinfo) {
    QStringList points;
    for (const QByteArray &line : mountinfo.split('\n')) {
        // ID, parent ID, major:minor, root, mount point, ...
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4)
            points << SystemVolumes::withTrailingSlash(QFile::decodeName(unescaped(fields.at(4))));
    }
    return points;
}

void CardWatch::watch(const QString &root, std::shared_ptr<const VolumeSource> volumes) {
    m_volumes = std::move(volumes);
    m_root = root.isEmpty() ? QString() : SystemVolumes::withTrailingSlash(root);
    m_seen.clear();
    if (m_root.isEmpty()) {
        m_timer.stop();
        return;
    }
    m_mounted = currentMountPoints().contains(m_root);
    qCDebug(lcCard).noquote() << "watching the card at " + m_root +
                                     (m_mounted ? QStringLiteral(" (mounted)") : QString());
    m_timer.start();
}

void CardWatch::await(std::shared_ptr<const VolumeSource> volumes) {
    // A card still watched is reported gone first, by the next look.
    if (!m_root.isEmpty())
        return;
    m_volumes = std::move(volumes);
    m_root.clear();
    m_seen = cardRoots();
    m_timer.start();
}

void CardWatch::stop() {
    m_root.clear();
    m_timer.stop();
}

bool CardWatch::cardPresent() const {
    if (!QFileInfo(m_root).isDir())
        return false;
    if (!m_mounted)
        return true;
    // A table that cannot be read now (no file descriptor left) says nothing.
    const QStringList points = currentMountPoints();
    return points.isEmpty() || points.contains(m_root);
}

QStringList CardWatch::cardRoots() const {
    QStringList roots;
    if (!m_volumes)
        return roots;
    for (const Volume &volume : m_volumes->volumes()) {
        if (volume.label == CardLabel && QFileInfo(volume.rootPath).isDir())
            roots << volume.rootPath;
    }
    return roots;
}

void CardWatch::check() {
    if (!m_root.isEmpty()) {
        if (cardPresent())
            return;
        const QString gone = m_root;
        m_root.clear();
        m_seen = cardRoots();
        qCDebug(lcCard).noquote() << "the card at " + gone + " is gone";
        emit cardGone(gone);
        return;
    }
    const QStringList roots = cardRoots();
    const bool arrived = std::any_of(roots.begin(), roots.end(),
                                     [this](const QString &r) { return !m_seen.contains(r); });
    m_seen = roots;
    if (arrived) {
        qCDebug(lcCard).noquote() << "a card came in";
        emit cardArrived();
    }
}

} // namespace velmora
