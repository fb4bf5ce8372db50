#pragma once

class QQmlEngine;
class QObject;

namespace velmora {

// Makes "EnumLanguage" 1.0 and "FileIO" 1.0 known to every scene engine.
void registerBackendTypes();

// Creates the shared LanguageManager and CommonFunc as children of the engine
// and publishes them as "LanguageManager" and "commonFunc".
void publishBackendObjects(QQmlEngine *engine);

} // namespace velmora
