#pragma once

class QQmlEngine;
class QObject;

namespace velmora {

// Makes "EnumLanguage" 1.0 and "FileIO" 1.0 known to every scene engine.
void registerBackendTypes();

// Creates the shared LanguageManager and CommonFunc as children of the engine
// and publishes them as "LanguageManager" and "commonFunc", with the maker's
// site address (environment variable VELMORA_SITE_URL) as "makerSiteUrl".
void publishBackendObjects(QQmlEngine *engine);

} // namespace velmora
