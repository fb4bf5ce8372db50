#pragma once

#include <QObject>

// The interface languages, as the scenes know them (EnumLanguage.ENG).
class Enums : public QObject {
    Q_OBJECT
public:
    enum LANGUAGE { KOR = 0, ENG = 1, FRE = 2 };
    Q_ENUM(LANGUAGE)
};
