#include "playerlog.h"

Q_LOGGING_CATEGORY(lcPlayer, "velmora.player")
