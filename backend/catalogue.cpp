#include "catalogue.h"

#include "backendlog.h"
#include "fileurl.h"

#include <QDateTime>
#include <QDebug>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>
#include <utility>
#include <vector>

namespace velmora {

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd hh:mm");

struct Suffix {
    const char *text;
    int kind;
};

// Tested in this order; the last one found decides.
const Suffix Suffixes[] = {{"_N.avi", 0}, {"_E.avi", 1}, {"_P.avi", 2},
                           {"_S.avi", 3}, {"_M.avi", 4}, {"_R.avi", 2}};

QString sortKey(const FileEntry &entry) {
    return entry.fileName.toLower();
}

// Newest first: descending by the lower-cased name, in code-unit order.
void sortNewestFirst(QList<FileEntry> &list) {
    if (list.size() < 2)
        return;
    std::vector<std::pair<QString, int>> keys;
    keys.reserve(size_t(list.size()));
    for (int i = 0; i < list.size(); ++i)
        keys.emplace_back(sortKey(list.at(i)), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    QList<FileEntry> sorted;
    sorted.reserve(list.size());
    for (const auto &key : keys)
        sorted.append(list.at(key.second));
    list.swap(sorted);
}

// Keeps the list in order without sorting it again: the new entry goes after
// the entries whose key is equal or greater.
void insertSorted(QList<FileEntry> &list, const FileEntry &entry) {
    const QString key = sortKey(entry);
    const auto at = std::upper_bound(
        list.begin(), list.end(), key,
        [](const QString &k, const FileEntry &other) { return k > sortKey(other); });
    list.insert(at, entry);
}

} // namespace

QString Catalogue::folderName(int kind) {
    static const char *const Folders[CategoryCount] = {"Drive", "DriveEvent", "Parking",
                                                       "ParkingEvent", "Manual"};
    return kind >= 0 && kind < CategoryCount ? QLatin1String(Folders[kind]) : QString();
}

int Catalogue::categoryOfName(const QString &fileName) {
    int kind = 0;
    for (const Suffix &suffix : Suffixes) {
        if (fileName.indexOf(QLatin1String(suffix.text)) > 0)
            kind = suffix.kind;
    }
    return kind;
}

QString Catalogue::pickedFileName(const QString &path) {
    QString name = path.section(QLatin1Char('/'), -1, -1);
    name.chop(4);
    return name + QLatin1String(".avi");
}

QString Catalogue::baseName(const QString &path) {
    QString name = path.section(QLatin1Char('/'), -1, -1);
    name.chop(4);
    return name;
}

void Catalogue::search(const QString &root, FileEntry *current) {
    static const QStringList NameFilters = {QStringLiteral("R_*.avi"), QStringLiteral("T_*.avi")};
    for (int kind = 0; kind < CategoryCount; ++kind) {
        QList<FileEntry> &list = m_lists[size_t(kind)];
        list.clear();
        // Name filters match without regard to case unless QDir::CaseSensitive is set.
        QDirIterator it(root + folderName(kind), NameFilters, QDir::Files | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            FileEntry entry;
            entry.fileName = info.fileName();
            entry.filePath = info.filePath();
            qCDebug(lcCatalogue).noquote() << " mFileInfo.filePath =======> " + entry.filePath;
            entry.fileInfo = info.lastModified().toString(DateFormat);
            list.append(entry);
            if (current)
                *current = entry;
        }
        sortNewestFirst(list);
    }
}

void Catalogue::takePicked(const QString &files, FileEntry *current) {
    clear();
    int start = 0;
    for (;;) {
        const int comma = files.indexOf(QLatin1Char(','), start);
        qCDebug(lcCatalogue).noquote()
            << " startIndex==> " + QString::number(start) + " index==> " + QString::number(comma);
        const QString piece = files.mid(start, comma < 0 ? -1 : comma - start);
        if (!piece.isEmpty()) {
            FileEntry entry;
            entry.filePath = stripFileUrl(piece);
            qCDebug(lcCatalogue).noquote() << "buff[10] ===>  " + entry.filePath;
            qCDebug(lcCatalogue).noquote() << " mFileInfo.filePath =======> " + entry.filePath;
            entry.fileName = pickedFileName(entry.filePath);
            qCDebug(lcCatalogue).noquote() << " mFileInfo.fileName =======> " + entry.fileName;
            // An invalid time (no birth time recorded) gives an empty text.
            entry.fileInfo = QFileInfo(entry.filePath).birthTime().toString(DateFormat);
            qCDebug(lcCatalogue).noquote() << " mFileInfo.fileInfo =======> " + entry.fileInfo;
            insertSorted(m_lists[size_t(categoryOfName(entry.fileName))], entry);
            if (current)
                *current = entry;
        }
        if (comma < 0)
            break;
        start = comma + 1;
    }
}

void Catalogue::clear() {
    for (QList<FileEntry> &list : m_lists)
        list.clear();
}

int Catalogue::count(int kind) const {
    return kind >= 0 && kind < CategoryCount ? m_lists[size_t(kind)].size() : 0;
}

bool Catalogue::contains(int kind, int index) const {
    return index >= 0 && index < count(kind);
}

FileEntry Catalogue::entry(int kind, int index) const {
    return contains(kind, index) ? m_lists[size_t(kind)].at(index) : FileEntry();
}

QList<FileEntry> Catalogue::list(int kind) const {
    return kind >= 0 && kind < CategoryCount ? m_lists[size_t(kind)] : QList<FileEntry>();
}

} // namespace velmora
