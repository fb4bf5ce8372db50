#include "backendlog.h"

Q_LOGGING_CATEGORY(lcCard, "velmora.card")
Q_LOGGING_CATEGORY(lcCatalogue, "velmora.catalogue")
Q_LOGGING_CATEGORY(lcFiles, "velmora.files")
Q_LOGGING_CATEGORY(lcSettings, "velmora.settings")
