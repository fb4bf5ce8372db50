#include "inisnapshot.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

namespace velmora {

IniSnapshot IniSnapshot::parse(const QByteArray &bytes, const QString &group) {
    IniSnapshot snapshot;
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        return snapshot;
    QSettings ini(copy.fileName(), QSettings::IniFormat);
    const QStringList groups = ini.childGroups();
    for (const QString &name : groups) {
        if (name.compare(group, Qt::CaseInsensitive) != 0)
            continue;
        ini.beginGroup(name);
        const QStringList keys = ini.childKeys();
        for (const QString &key : keys) {
            const QString lower = key.toLower();
            if (snapshot.m_values.contains(lower))
                continue; // the first spelling wins
            snapshot.m_values.insert(lower, ini.value(key));
            snapshot.m_spelling.insert(lower, key);
        }
        ini.endGroup();
        break;
    }
    return snapshot;
}

QString IniSnapshot::text(const QString &key) const {
    const QVariant value = m_values.value(key.toLower());
    // An unquoted value with commas reads as a list; keep it as it stood.
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

int IniSnapshot::integer(const QString &key) const {
    return text(key).toInt();
}

} // namespace velmora
