#include "reportlog.h"

Q_LOGGING_CATEGORY(lcReport, "velmora.report")
