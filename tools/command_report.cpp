// velmora-tool report --name NAME --date D --position P --sensor S --note N
//                     --lang 0|1|2 --pdf OUT
// velmora-tool report --recording FILE --at SECONDS --pdf OUT
//                     [--lang 0|1|2] [--note TEXT] [--unit km|mi]
// Prints the accident report to the PDF file OUT, the same page the viewer
// prints. With --name the texts are given and the snapshots come from the
// desktop folder's "velmora/report/", as in the viewer (missing ones are
// left out). With --recording the tool takes the snapshot of each channel at
// that second itself, computes the texts as the report screen does, and adds
// the evidence page.
#include "avilayout.h"
#include "commands.h"
#include "evidencepage.h"
#include "framereader.h"
#include "reportprinter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velmora::tool {

namespace {

const char Usage[] =
    "usage: velmora-tool report --name NAME --date D --position P --sensor S --note N "
    "--lang 0|1|2 --pdf OUT\n"
    "       velmora-tool report --recording FILE --at SECONDS --pdf OUT [--lang 0|1|2] "
    "[--note TEXT] [--unit km|mi]";

int badArguments(const QString &why) {
    std::fprintf(stderr, "velmora-tool report: %s\n%s\n", qPrintable(why), Usage);
    return BadArguments;
}

int failed(int code, const QString &why) {
    std::fprintf(stderr, "velmora-tool report: %s\n", qPrintable(why));
    return code;
}

// "--option value" pairs, each of `known` at most once; why not, or empty.
QString readOptions(const QStringList &args, const QStringList &known,
                    QHash<QString, QString> *values) {
    for (int i = 0; i < args.size(); i += 2) {
        const QString &option = args.at(i);
        if (!known.contains(option))
            return QStringLiteral("unknown option '%1'").arg(option);
        if (values->contains(option))
            return QStringLiteral("%1 given twice").arg(option);
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(option);
        values->insert(option, args.at(i + 1));
    }
    return QString();
}

// 0, 1 or 2; -1 for anything else.
int languageCode(const QString &text) {
    bool isNumber = false;
    const int language = text.toInt(&isNumber);
    return isNumber && language >= 0 && language <= 2 ? language : -1;
}

int writePdf(const report::ComposedReport &report, const QString &pdf, int failure) {
    QString error;
    if (!report::printReportToPdf(report.html, pdf, &error, report.pictures))
        return failed(failure, error);
    return Success;
}

// The snapshot of each channel the name announces, where the report page
// looks for it in `desktopFolder`. Success, or the exit code and why: the
// recording cannot be read (BadFile), or the scratch folder cannot be
// written (Failure).
int takeSnapshots(const QString &path, const QString &name, qint64 ms,
                  const QString &desktopFolder) {
    static const char *const prefixes[] = {"F_", "R_", "S_"};
    const QString folder = report::snapshotFolder(desktopFolder);
    if (!QDir().mkpath(folder))
        return failed(Failure, QStringLiteral("cannot make the folder '%1'").arg(folder));
    const int channels = avi::ChannelLayout::fromName(name).videoStreams;
    for (int channel = 0; channel < channels; ++channel) {
        const media::Frame frame = media::readFrame(path, channel, ms);
        if (frame.image.isNull())
            return failed(BadFile, QStringLiteral("cannot read channel %1 of '%2': %3")
                                       .arg(channel)
                                       .arg(path, frame.error));
        const QString snapshot = folder + QLatin1String(prefixes[channel]) + name + ".png";
        if (!frame.image.save(snapshot))
            return failed(Failure, QStringLiteral("cannot write '%1'").arg(snapshot));
    }
    return Success;
}

int reportFromRecording(const QHash<QString, QString> &values) {
    for (const char *option : {"--recording", "--at", "--pdf"}) {
        if (values.value(option).isEmpty())
            return badArguments(QStringLiteral("%1 is missing").arg(option));
    }
    const int language = languageCode(values.value("--lang", "1"));
    if (language < 0)
        return badArguments(QStringLiteral("--lang must be 0, 1 or 2"));
    const QString unitName = values.value("--unit", "km");
    if (unitName != "km" && unitName != "mi")
        return badArguments(QStringLiteral("--unit must be km or mi"));
    const int speedUnit = unitName == "km" ? 1 : 0;
    bool isNumber = false;
    const double seconds = values.value("--at").toDouble(&isNumber);
    if (!isNumber || !std::isfinite(seconds) || seconds < 0)
        return badArguments(QStringLiteral("--at must be a number of seconds, 0 or more"));

    const QString path = values.value("--recording");
    const report::RecordingEvidence evidence = report::readRecordingEvidence(path);
    if (!evidence.error.isEmpty())
        return failed(BadFile, QStringLiteral("cannot read '%1': %2").arg(path, evidence.error));
    // Compared before rounding: a huge time has no whole number of milliseconds.
    if (seconds * 1000 >= double(evidence.durationMs))
        return failed(BadFile, QStringLiteral("%1 s is past the end of '%2' (%3 s)")
                                   .arg(values.value("--at"), path)
                                   .arg(evidence.durationMs / 1000.0));
    const qint64 ms = std::min(std::llround(seconds * 1000), evidence.durationMs - 1);

    QTemporaryDir desktop;
    const QString name = QFileInfo(path).completeBaseName();
    if (!desktop.isValid())
        return failed(Failure, QStringLiteral("no scratch folder: %1").arg(desktop.errorString()));
    const int snapshots = takeSnapshots(path, name, ms, desktop.path());
    if (snapshots != Success)
        return snapshots;

    const report::MomentTexts moment = report::momentTexts(evidence, ms, speedUnit);
    report::ReportRequest request;
    request.name = name;
    request.texts = {moment.date, moment.position, moment.gSensor, values.value("--note")};
    request.language = language;
    request.desktopFolder = desktop.path();
    request.evidencePath = path;
    request.momentMs = ms;
    request.speedUnit = speedUnit;
    return writePdf(report::composeReport(request, &evidence, QDateTime::currentDateTime()),
                    values.value("--pdf"), PdfNotWritten);
}

int reportFromTexts(const QHash<QString, QString> &values) {
    static const QStringList options = {"--name", "--date", "--position", "--sensor",
                                        "--note", "--lang", "--pdf"};
    for (const QString &option : options) {
        if (!values.contains(option))
            return badArguments(QStringLiteral("%1 is missing").arg(option));
    }
    const int language = languageCode(values.value("--lang"));
    if (language < 0)
        return badArguments(QStringLiteral("--lang must be 0, 1 or 2"));
    if (values.value("--name").isEmpty() || values.value("--pdf").isEmpty())
        return badArguments(QStringLiteral("--name and --pdf must not be empty"));

    report::ComposedReport report;
    const report::ReportTexts texts{values.value("--date"), values.value("--position"),
                                    values.value("--sensor"), values.value("--note")};
    report.html = report::composeReportHtml(
        values.value("--name"), texts, language,
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    return writePdf(report, values.value("--pdf"), Failure);
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
    const bool fromRecording = args.contains(QStringLiteral("--recording"));
    const QStringList known =
        fromRecording ? QStringList{"--recording", "--at", "--pdf", "--lang", "--note", "--unit"}
                      : QStringList{"--name", "--date", "--position", "--sensor",
                                    "--note", "--lang", "--pdf"};
    QHash<QString, QString> values;
    const QString refused = readOptions(args, known, &values);
    if (!refused.isEmpty())
        return badArguments(refused);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return failed(Failure, QStringLiteral("printing needs a GUI application"));
    return fromRecording ? reportFromRecording(values) : reportFromTexts(values);
}

} // namespace velmora::tool
