#include "systemvolumes.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace velmora {

namespace {
const QString CardLabel = QStringLiteral("DASHCAM");

Volume volumeAt(const QStorageInfo &info, const QString &rootPath, const QString &label) {
    Volume v;
    v.rootPath = rootPath;
    v.label = label;
    v.fileSystemType = QString::fromLatin1(info.fileSystemType());
    v.bytesTotal = info.bytesTotal();
    v.bytesFree = info.bytesAvailable();
    return v;
}
} // namespace

SystemVolumes::SystemVolumes(QStringList cardFolders)
    : m_cardFolders(std::move(cardFolders)) {}

QString SystemVolumes::withTrailingSlash(const QString &path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p.endsWith(QLatin1Char('/')) ? p : p + QLatin1Char('/');
}

QString SystemVolumes::labelOf(const QString &reportedLabel, const QString &rootPath) {
    if (!reportedLabel.isEmpty())
        return reportedLabel;
    const QString root = withTrailingSlash(rootPath);
    const bool automounted =
        root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"));
    if (!automounted)
        return QString();
    return QDir(root).dirName();
}

QVector<Volume> SystemVolumes::volumes() const {
    QVector<Volume> result;
    const auto mounted = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &info : mounted) {
        if (!info.isValid() || !info.isReady())
            continue;
        const QString root = withTrailingSlash(info.rootPath());
        result.append(volumeAt(info, root, labelOf(info.name(), root)));
    }
    for (const QString &folder : m_cardFolders) {
        // A link is watched where it leads; a folder gone meanwhile is left out.
        const QFileInfo fi(folder);
        const QString canonical = fi.isDir() ? fi.canonicalFilePath() : QString();
        if (canonical.isEmpty())
            continue;
        const QString root = withTrailingSlash(canonical);
        auto listed = std::find_if(result.begin(), result.end(),
                                   [&](const Volume &v) { return v.rootPath == root; });
        if (listed != result.end())
            listed->label = CardLabel;
        else
            result.append(volumeAt(QStorageInfo(root), root, CardLabel));
    }
    return result;
}

} // namespace velmora
