// velmora-tool report --name NAME --date D --position P --sensor S --note N
//                     --lang 0|1|2 --pdf OUT
// Prints the accident report of the recording NAME to the PDF file OUT, the
// same page the viewer prints. The snapshots come from the desktop folder's
// "velmora/report/", as in the viewer; missing ones are left out.
#include "commands.h"
#include "reportdocument.h"
#include "reportprinter.h"

#include <QGuiApplication>
#include <QHash>
#include <QStandardPaths>
#include <cstdio>

namespace velmora::tool {

namespace {

const char Usage[] = "usage: velmora-tool report --name NAME --date D --position P --sensor S "
                     "--note N --lang 0|1|2 --pdf OUT";

int badArguments(const QString &why) {
    std::fprintf(stderr, "velmora-tool report: %s\n%s\n", qPrintable(why), Usage);
    return BadArguments;
}

} // namespace

std::unique_ptr<QCoreApplication> reportApplication(int &argc, char **argv) {
    // Printing needs fonts, not a screen: without a platform of the user's
    // choosing the report is printed on the offscreen one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int report(const QStringList &args) {
    static const QStringList options = {"--name", "--date", "--position", "--sensor",
                                        "--note", "--lang", "--pdf"};
    QHash<QString, QString> values;
    for (int i = 0; i < args.size(); i += 2) {
        const QString &option = args.at(i);
        if (!options.contains(option))
            return badArguments(QStringLiteral("unknown option '%1'").arg(option));
        if (values.contains(option))
            return badArguments(QStringLiteral("%1 given twice").arg(option));
        if (i + 1 >= args.size())
            return badArguments(QStringLiteral("%1 needs a value").arg(option));
        values.insert(option, args.at(i + 1));
    }
    for (const QString &option : options) {
        if (!values.contains(option))
            return badArguments(QStringLiteral("%1 is missing").arg(option));
    }
    bool isNumber = false;
    const int language = values.value("--lang").toInt(&isNumber);
    if (!isNumber || language < 0 || language > 2)
        return badArguments(QStringLiteral("--lang must be 0, 1 or 2"));
    if (values.value("--name").isEmpty() || values.value("--pdf").isEmpty())
        return badArguments(QStringLiteral("--name and --pdf must not be empty"));
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        std::fputs("velmora-tool report: printing needs a GUI application\n", stderr);
        return Failure;
    }

    const report::ReportTexts texts{values.value("--date"), values.value("--position"),
                                    values.value("--sensor"), values.value("--note")};
    const QString html = report::composeReportHtml(
        values.value("--name"), texts, language,
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    QString error;
    if (!report::printReportToPdf(html, values.value("--pdf"), &error)) {
        std::fprintf(stderr, "velmora-tool report: %s\n", qPrintable(error));
        return Failure;
    }
    return Success;
}

} // namespace velmora::tool
