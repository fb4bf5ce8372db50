#include "catalogue.h"
#include "commands.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace velmora::tool {

// Lists the recordings of a card folder as the viewer's list panel would:
// five lists by category, newest first.
int catalogue(const QStringList &args) {
    if (args.size() != 1 || args.first().isEmpty()) {
        std::fputs("usage: velmora-tool catalogue DIR\n", stderr);
        return BadArguments;
    }
    QString root = args.first();
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
        std::fprintf(stderr, "velmora-tool catalogue: '%s' is not a readable folder\n",
                     qPrintable(root));
        return BadFile;
    }
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');

    Catalogue lists;
    lists.search(root);
    QJsonObject out;
    for (int kind = 0; kind < Catalogue::CategoryCount; ++kind) {
        QJsonArray entries;
        for (const FileEntry &entry : lists.list(kind)) {
            entries.append(QJsonObject{{QStringLiteral("name"), entry.fileName},
                                       {QStringLiteral("info"), entry.fileInfo},
                                       {QStringLiteral("path"), entry.filePath}});
        }
        out.insert(Catalogue::folderName(kind), entries);
    }
    const QByteArray json = QJsonDocument(out).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    std::fputc('\n', stdout);
    return Success;
}

} // namespace velmora::tool
