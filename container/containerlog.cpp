#include "containerlog.h"

Q_LOGGING_CATEGORY(lcTelemetry, "velmora.telemetry")
Q_LOGGING_CATEGORY(lcExport, "velmora.export")
