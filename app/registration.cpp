#include "registration.h"

#include "commonfunc.h"
#include "enums.h"
#include "fileio.h"
#include "languagemanager.h"

#include <QQmlContext>
#include <QQmlEngine>

namespace velmora {

void registerBackendTypes() {
    qmlRegisterUncreatableType<Enums>("EnumLanguage", 1, 0, "EnumLanguage", QString());
    qmlRegisterType<FileIO>("FileIO", 1, 0, "FileIO");
}

void publishBackendObjects(QQmlEngine *engine) {
    auto *languageManager = new LanguageManager(engine);
    auto *commonFunc = new CommonFunc(engine);
    engine->rootContext()->setContextProperty(QStringLiteral("LanguageManager"), languageManager);
    engine->rootContext()->setContextProperty(QStringLiteral("commonFunc"), commonFunc);
}

} // namespace velmora
