#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>

// Owns the interface language and its translator. The catalogues
// "lang_en.qm" and "lang_fr.qm" are looked up beside the executable, then in
// the installed data folder (../share/velmora-viewer/translations).
class LanguageManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(int language READ language WRITE setLanguage NOTIFY languageChanged)

public:
    // catalogueFolder: where the catalogues lie; empty means beside the
    // executable or in the installed data folder.
    explicit LanguageManager(QObject *parent = nullptr, const QString &catalogueFolder = QString());

    int language() const { return m_language; }
    void setLanguage(int language);

signals:
    void languageChanged();

private:
    QString cataloguePath(const QString &fileName) const;
    void retranslate();

    int m_language = 0;
    QTranslator mTranslator;
    QString mCatalogueFolder;
};
