#include "languagemanager.h"

#include "applog.h"
#include "datafiles.h"
#include "enums.h"

#include <QCoreApplication>
#include <QDebug>
#include <QQmlEngine>

LanguageManager::LanguageManager(QObject *parent, const QString &catalogueFolder)
    : QObject(parent)
    , mCatalogueFolder(catalogueFolder) {}

QString LanguageManager::cataloguePath(const QString &fileName) const {
    const QString folder =
        mCatalogueFolder.isEmpty()
            ? velmora::programDataFolder(fileName, QStringLiteral("translations"))
            : mCatalogueFolder;
    return folder + QLatin1Char('/') + fileName;
}

void LanguageManager::setLanguage(int language) {
    qCDebug(lcLanguage).noquote() << "setLanguage1 : start" + QString::number(language);
    if (language == m_language)
        return;

    qCDebug(lcLanguage).noquote() << "setLanguage2 : start";
    bool loaded = false;
    if (language == Enums::ENG) {
        qCDebug(lcLanguage).noquote() << "mTranslator.load : start";
        loaded = mTranslator.load(cataloguePath(QStringLiteral("lang_en.qm")));
        qCDebug(lcLanguage).noquote() << "mTranslator.load : end";
    } else if (language == Enums::FRE) {
        loaded = mTranslator.load(cataloguePath(QStringLiteral("lang_fr.qm")));
    } else {
        QCoreApplication::removeTranslator(&mTranslator);
    }

    if (loaded) {
        qCDebug(lcLanguage).noquote() << "mTranslator : start";
        QCoreApplication::installTranslator(&mTranslator);
        qCDebug(lcLanguage).noquote() << "mTranslator : end";
    } else {
        // A failed load has emptied the translator: the source texts show.
        qCDebug(lcLanguage).noquote() << "set will be default language.";
    }

    qCDebug(lcLanguage).noquote() << "languageChanged : languageChanged";
    m_language = language;
    emit languageChanged();

    qCDebug(lcLanguage).noquote() << "retranslate : start";
    retranslate();
    qCDebug(lcLanguage).noquote() << "retranslate : retranslate";
}

void LanguageManager::retranslate() {
    // Texts already on screen are evaluated anew by the engine that owns us.
    if (auto *engine = qobject_cast<QQmlEngine *>(parent()))
        engine->retranslate();
}
