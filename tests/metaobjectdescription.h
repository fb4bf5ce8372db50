#pragma once

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <QStringList>

// Describes a class's own meta-object members as text, one line per member,
// in meta-object order:
//   "signal void sourceChanged(QString source)"
//   "property int vlang read write notify vlangChanged"
inline QString describeMethod(const QMetaMethod &m) {
    static const char *const kinds[] = {"method", "signal", "slot", "constructor"};
    QStringList params;
    const auto types = m.parameterTypes();
    const auto names = m.parameterNames();
    for (int i = 0; i < types.size(); ++i)
        params << QString::fromLatin1(types[i] + ' ' + names[i]);
    return QStringLiteral("%1 %2 %3(%4)")
        .arg(QLatin1String(kinds[m.methodType()]), QLatin1String(m.typeName()),
             QLatin1String(m.name()), params.join(QStringLiteral(", ")));
}

inline QString describeProperty(const QMetaProperty &p) {
    QString text =
        QStringLiteral("property %1 %2").arg(QLatin1String(p.typeName()), QLatin1String(p.name()));
    if (p.isReadable())
        text += QStringLiteral(" read");
    if (p.isWritable())
        text += QStringLiteral(" write");
    if (p.hasNotifySignal())
        text += QStringLiteral(" notify ") + QLatin1String(p.notifySignal().name());
    return text;
}

inline QStringList describeMethods(const QMetaObject &mo) {
    QStringList lines;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
        lines << describeMethod(mo.method(i));
    return lines;
}

inline QStringList describeProperties(const QMetaObject &mo) {
    QStringList lines;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i)
        lines << describeProperty(mo.property(i));
    return lines;
}
