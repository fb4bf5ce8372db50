#pragma once

#include <QLoggingCategory>

// Categories of the debug lines of card detection, the catalogue, file operations and settings
// files. QT_LOGGING_RULES="velmora.*.debug=false" silences every velmora category.
Q_DECLARE_LOGGING_CATEGORY(lcCard)
Q_DECLARE_LOGGING_CATEGORY(lcCatalogue)
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
