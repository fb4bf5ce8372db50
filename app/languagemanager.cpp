#include "languagemanager.h"

LanguageManager::LanguageManager(QObject *parent)
    : QObject(parent) {}

// Loading the translation catalogues is not built yet: the code is kept and
// announced, and the scenes go on showing their source texts.
void LanguageManager::setLanguage(int language) {
    if (language == m_language)
        return;
    m_language = language;
    emit languageChanged();
}
