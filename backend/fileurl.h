#pragma once

#include <QString>

namespace velmora {

// Removes the first "file:///" (case-sensitive) from a path that arrived as
// a file URL. A Windows drive path ("file:///D:/x") becomes "D:/x"; any other
// path keeps its leading "/" ("file:///home/u/a.avi" becomes "/home/u/a.avi"),
// so it stays absolute on Linux. Text without the prefix is left unchanged.
QString stripFileUrl(const QString &text);

} // namespace velmora
