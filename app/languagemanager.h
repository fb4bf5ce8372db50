#pragma once

#include <QObject>
#include <QTranslator>

// Owns the interface language and its translator.
class LanguageManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(int language READ language WRITE setLanguage NOTIFY languageChanged)

public:
    explicit LanguageManager(QObject *parent = nullptr);

    int language() const { return m_language; }
    void setLanguage(int language);

signals:
    void languageChanged();

private:
    int m_language = 0;
    QTranslator mTranslator;
};
