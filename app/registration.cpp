#include "registration.h"

#include "commonfunc.h"
#include "enums.h"
#include "fileio.h"
#include "languagemanager.h"
#include "shareclipjob.h"

#include <QQmlContext>
#include <QQmlEngine>

namespace velmora {

void registerBackendTypes() {
    qmlRegisterUncreatableType<Enums>("EnumLanguage", 1, 0, "EnumLanguage", QString());
    qmlRegisterType<FileIO>("FileIO", 1, 0, "FileIO");
    qmlRegisterType<ShareClipJob>("FileIO", 1, 0, "ShareClipJob");
}

void publishBackendObjects(QQmlEngine *engine) {
    auto *languageManager = new LanguageManager(engine);
    auto *commonFunc = new CommonFunc(engine);
    engine->rootContext()->setContextProperty(QStringLiteral("LanguageManager"), languageManager);
    engine->rootContext()->setContextProperty(QStringLiteral("commonFunc"), commonFunc);
    // The maker's web site, opened by the logo and the link beside it. The
    // address belongs to the deployment; without one the link does nothing.
    engine->rootContext()->setContextProperty(QStringLiteral("makerSiteUrl"),
                                              qEnvironmentVariable("VELMORA_SITE_URL"));
}

} // namespace velmora
