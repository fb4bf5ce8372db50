// velmora-tool config: the camera's config.txt through the same code the
// viewer's settings screens use.
#include "cameraconfigfile.h"
#include "camerakeys.h"
#include "commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace velmora::tool {

namespace {

void usage() {
    std::fputs("usage: velmora-tool config show CARD_DIR\n"
               "       velmora-tool config set CARD_DIR key=value...\n",
               stderr);
}

int show(const QString &path, const CameraSettings &settings) {
    QJsonObject keys;
    for (const CameraKey &key : cameraKeys()) {
        if (key.type == CameraKey::Integer)
            keys.insert(QLatin1String(key.name), settings.*key.integer);
        else
            keys.insert(QLatin1String(key.name), key.valueText(settings));
    }
    QJsonObject root;
    root.insert(QStringLiteral("file"), path);
    root.insert(QStringLiteral("keys"), keys);
    root.insert(QStringLiteral("securityCode"), settings.secret);
    std::fputs(QJsonDocument(root).toJson(QJsonDocument::Indented).constData(), stdout);
    return Success;
}

int set(const QString &path, CameraSettings settings, const QStringList &assignments) {
    if (assignments.isEmpty()) {
        usage();
        return BadArguments;
    }
    // Check every value before anything is written.
    for (const QString &assignment : assignments) {
        const int equals = assignment.indexOf(QLatin1Char('='));
        const CameraKey *key = equals > 0 ? findCameraKey(assignment.left(equals)) : nullptr;
        if (!key) {
            std::fprintf(stderr, "velmora-tool config: '%s' is not key=value with a known key\n",
                         qPrintable(assignment));
            return BadArguments;
        }
        const QString refused = key->assign(settings, assignment.mid(equals + 1));
        if (!refused.isEmpty()) {
            std::fprintf(stderr, "velmora-tool config: %s\n", qPrintable(refused));
            return BadArguments;
        }
    }
    QString error;
    if (!CameraConfigFile::write(path, settings, &error)) {
        std::fprintf(stderr, "velmora-tool config: %s; config.txt is unchanged\n",
                     qPrintable(error));
        return Failure;
    }
    std::printf("saved %s\n", qPrintable(path));
    return Success;
}

} // namespace

int config(const QStringList &args) {
    const bool showing = !args.isEmpty() && args[0] == QLatin1String("show");
    if (args.size() < 2 || (!showing && args[0] != QLatin1String("set")) ||
        (showing && args.size() != 2)) {
        usage();
        return BadArguments;
    }
    const QString path = QDir(args[1]).filePath(QStringLiteral("config.txt"));
    if (!QFileInfo(path).isFile()) {
        std::fprintf(stderr, "velmora-tool config: no config.txt in %s\n", qPrintable(args[1]));
        return BadFile;
    }
    QFile file(path);
    CameraSettings settings;
    if (!file.open(QIODevice::ReadOnly) || !CameraConfigFile::read(path, settings)) {
        std::fprintf(stderr, "velmora-tool config: cannot read %s\n", qPrintable(path));
        return BadFile;
    }
    // Neither shown as keys of 0 nor overwritten by set.
    const QString notConfig = CameraConfigFile::whyNotConfig(file.readAll());
    if (!notConfig.isEmpty()) {
        std::fprintf(stderr, "velmora-tool config: %s: not the camera's settings (%s)\n",
                     qPrintable(path), qPrintable(notConfig));
        return BadFile;
    }
    if (showing)
        return show(path, settings);
    return set(path, settings, args.mid(2));
}

} // namespace velmora::tool
