#include "applog.h"

#include <cstring>

Q_LOGGING_CATEGORY(lcStartup, "velmora.startup")
Q_LOGGING_CATEGORY(lcLanguage, "velmora.language")

namespace velmora {

namespace {
QtMessageHandler previousHandler = nullptr;

void plainHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (context.category && std::strncmp(context.category, "velmora.", 8) == 0) {
        const QMessageLogContext plain(context.file, context.line, context.function, "default");
        previousHandler(type, plain, message);
        return;
    }
    previousHandler(type, context, message);
}
} // namespace

void writeDebugLinesPlain() {
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(plainHandler);
}

} // namespace velmora
