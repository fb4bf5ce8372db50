#include "fileurl.h"

namespace velmora {

QString stripFileUrl(const QString &text) {
    static const QString Prefix = QStringLiteral("file:///");
    const int at = text.indexOf(Prefix);
    if (at < 0)
        return text;
    QString result = text;
    const QStringRef rest = text.midRef(at + Prefix.size());
    const bool drivePath =
        rest.size() >= 2 && rest.at(0).isLetter() && rest.at(1) == QLatin1Char(':');
    // Keep the URL's third slash as the root of a POSIX path.
    result.remove(at, drivePath ? Prefix.size() : Prefix.size() - 1);
    return result;
}

} // namespace velmora
