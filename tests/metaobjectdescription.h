#pragma once

// A class's own meta-object members as text, one line per member, in
// meta-object order:
//   "signal void sourceChanged(QString source)"
//   "property int vlang read write notify vlangChanged"
#include <QMetaMethod>
#include <QMetaProperty>
#include <QStringList>

inline QStringList describeMethods(const QMetaObject &mo) {
    static const char *const kinds[] = {"method", "signal", "slot", "constructor"};
    QStringList lines;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QMetaMethod m = mo.method(i);
        QStringList params;
        for (int p = 0; p < m.parameterCount(); ++p)
            params << m.parameterTypes()[p] + ' ' + m.parameterNames()[p];
        lines << QStringLiteral("%1 %2 %3(%4)")
                     .arg(kinds[m.methodType()], m.typeName(), m.name(), params.join(", "));
    }
    return lines;
}

inline QStringList describeProperties(const QMetaObject &mo) {
    QStringList lines;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
        const QMetaProperty p = mo.property(i);
        lines << QStringLiteral("property %1 %2%3%4%5")
                     .arg(p.typeName(), p.name(), p.isReadable() ? " read" : "",
                          p.isWritable() ? " write" : "",
                          p.hasNotifySignal() ? " notify " + p.notifySignal().name() : "");
    }
    return lines;
}
