#pragma once

#include "settingsvalues.h"

#include <QString>

namespace velmora {

// viewer_config.txt: INI group "config" with the keys lang, resolution and
// speedunit (read in any letter case; written as "speedUnit" in a new file,
// and in the file's own spelling when the key is already there), and the
// optional map keys maptileurl and mapofflinedir (written when the file has
// them or their values differ from the defaults, so a file that never had
// them keeps its bytes).
class ViewerConfigFile {
public:
    // `besideExecutable` is the portable copy in the program's folder;
    // `userCopy` the one in the user's config folder, used where the program
    // folder cannot be written; `installedDefault` the default an installed
    // viewer reads (and never writes) until the user has a copy.
    ViewerConfigFile(QString besideExecutable, QString userCopy,
                     QString installedDefault = QString());

    // The copies an installed or portable viewer uses.
    static ViewerConfigFile forThisProgram();

    // The file reads come from: the user's copy when it exists, otherwise
    // the one beside the executable, otherwise the installed default.
    QString readPath() const;
    // The file saves go to: beside the executable when that folder can be
    // written and no user copy has been made, otherwise the user's copy.
    // An installed viewer (no file beside it) saves to the user's copy.
    QString writePath() const;

    // Loads the settings; false (settings untouched) when there is no file.
    bool read(ViewerSettings &settings) const;
    // Saves the settings, keeping the rest of the file; the old file stays
    // as it was on any failure.
    bool write(const ViewerSettings &settings, QString *error = nullptr) const;

private:
    bool installedOnly() const;

    QString m_besideExecutable;
    QString m_userCopy;
    QString m_installedDefault;
};

} // namespace velmora
