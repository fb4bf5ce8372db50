#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

namespace velmora {

// The keys of one INI group, parsed by Qt's INI reader, looked up without
// regard to letter case (as the camera and the Windows settings reader do).
class IniSnapshot {
public:
    static IniSnapshot parse(const QByteArray &bytes, const QString &group);

    bool contains(const QString &key) const { return m_values.contains(key.toLower()); }
    QString text(const QString &key) const;
    int integer(const QString &key) const;
    // The key's spelling in the file, or empty when it is not there.
    QString spelling(const QString &key) const { return m_spelling.value(key.toLower()); }

private:
    QHash<QString, QVariant> m_values;  // by lower-case key
    QHash<QString, QString> m_spelling; // lower-case key -> as written
};

} // namespace velmora
