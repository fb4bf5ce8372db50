#pragma once

// Poppler's programs over a PDF written by a test.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// What `tool` (pdftotext, pdfimages) writes about `pdf`, or why it failed.
inline QString pdfTool(const QString &tool, const QString &pdf, const QStringList &options = {}) {
    QProcess process;
    // pdftotext writes to standard output when told "-".
    const QStringList target = tool == "pdftotext" ? QStringList{pdf, "-"} : QStringList{pdf};
    process.start(tool, options + target);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2").arg(tool, process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline bool popplerInstalled() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty() &&
           !QStandardPaths::findExecutable("pdfimages").isEmpty();
}

// "WxH" of each picture in the PDF, in page order.
inline QStringList imageSizes(const QString &pdf) {
    QStringList sizes;
    for (const QString &row : pdfTool("pdfimages", pdf, {"-list"}).split('\n').mid(2)) {
        const QStringList columns = row.simplified().split(' ');
        if (columns.size() > 4 && columns[2] == "image")
            sizes << columns[3] + "x" + columns[4];
    }
    return sizes;
}
