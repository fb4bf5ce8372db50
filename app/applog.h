#pragma once

#include <QLoggingCategory>

// Categories of the debug lines of start-up and language switching.
// QT_LOGGING_RULES="velmora.*.debug=false" silences every velmora category.
Q_DECLARE_LOGGING_CATEGORY(lcStartup)
Q_DECLARE_LOGGING_CATEGORY(lcLanguage)

namespace velmora {

// The viewer's debug lines are written as they always read, without their
// category in front ("mSource:DASHCAM", not "velmora.card: mSource:DASHCAM");
// every other message keeps Qt's form.
void writeDebugLinesPlain();

} // namespace velmora
