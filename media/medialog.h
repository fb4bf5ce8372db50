#pragma once

#include <QLoggingCategory>

// The category of the frame reader's debug lines, one a picture asked for.
// QT_LOGGING_RULES="velmora.*.debug=false" silences every velmora category.
Q_DECLARE_LOGGING_CATEGORY(lcMedia)
