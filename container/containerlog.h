#pragma once

#include <QLoggingCategory>

// Categories of the debug lines of the telemetry extraction and the channel export.
// QT_LOGGING_RULES="velmora.*.debug=false" silences every velmora category.
Q_DECLARE_LOGGING_CATEGORY(lcTelemetry)
Q_DECLARE_LOGGING_CATEGORY(lcExport)
