#pragma once

#include <QLoggingCategory>

// Categories of the debug lines of the report.
// QT_LOGGING_RULES="velmora.*.debug=false" silences every velmora category.
Q_DECLARE_LOGGING_CATEGORY(lcReport)
