#pragma once

#include "fileentry.h"

#include <QList>
#include <QString>
#include <array>

namespace velmora {

// The recordings the viewer knows of, in five lists, one per category:
// 0 driving, 1 driving impact, 2 parking, 3 parking impact, 4 manual.
// Every list is kept sorted by file name, newest first. A recording is
// addressed by its category (`kind`) and its position in that list.
class Catalogue {
public:
    static constexpr int CategoryCount = 5;

    // The card folder of a category ("Drive", "DriveEvent", "Parking",
    // "ParkingEvent", "Manual"); empty outside 0..4.
    static QString folderName(int kind);
    // The category of a picked file by the suffix of its name ("_N.avi" ...
    // "_R.avi"); the last suffix that counts decides, 0 without one.
    static int categoryOfName(const QString &fileName);
    // The name of a picked file: the last component of its path, with the
    // extension written ".avi" whatever its case.
    static QString pickedFileName(const QString &path);
    // The last "/"-separated component of a path without its extension.
    static QString baseName(const QString &path);

    // Rebuilds all five lists from the folders `root` + folderName(kind),
    // subfolders included, taking the files named "R_*.avi" or "T_*.avi" in
    // any letter case. No separator is inserted: `root` ends in "/".
    // `current`, when given, receives each entry as it is built.
    void search(const QString &root, FileEntry *current = nullptr);

    // Replaces the lists with picked files: `files` is the text of a list of
    // file URLs separated by ",". Empty pieces are no files and are skipped.
    void takePicked(const QString &files, FileEntry *current = nullptr);

    void clear();

    int count(int kind) const;
    bool contains(int kind, int index) const;
    // The entry, or an empty one for a kind or index outside the lists.
    FileEntry entry(int kind, int index) const;
    // The whole list of a category; empty outside 0..4.
    QList<FileEntry> list(int kind) const;

private:
    std::array<QList<FileEntry>, CategoryCount> m_lists;
};

} // namespace velmora
