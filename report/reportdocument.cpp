#include "reportdocument.h"

#include "avilayout.h"

#include <QStringList>
#include <QTextCodec>

namespace velmora::report {

namespace {

const QString Face = QStringLiteral("NotoSansCJKkr-DemiLight");
const QString LightCell = QStringLiteral("border-bottom:1px solid #ccc;");
const QString HeavyCell = QStringLiteral("border-bottom:2px solid #333;");

} // namespace

QString reportText(const QString &content) {
    return QStringLiteral("<font face=\"%1\" size=\"3\">%2</font>").arg(Face, content);
}

QString labelCell(const QString &attributes, const QString &label) {
    return QStringLiteral("<td %1 bgcolor=\"#F8F8F8\" style=\"%2\">%3</td>")
        .arg(attributes, LightCell, reportText(label));
}

QString valueCell(const QString &attributes, const QString &value) {
    return QStringLiteral("<td %1 style=\"%2\">%3</td>")
        .arg(attributes, LightCell, reportText(value));
}

QString titleCell(int columns, const QString &title) {
    return QStringLiteral("<td colspan=\"%1\" align=\"center\" style=\"%2\"><h2><font "
                          "face=\"%3\" size=\"6\">%4</font></h2></td>")
        .arg(QString::number(columns), HeavyCell, Face, title);
}

ReportLabels reportLabels(int language) {
    switch (language) {
    case 0:
        return {QStringLiteral("사건보고서"), QStringLiteral("발생일자"),
                QStringLiteral("발생위치"), QStringLiteral("충격 센서"), QStringLiteral("메모")};
    case 1:
        return {QStringLiteral("Accident report"), QStringLiteral("Date of Accident"),
                QStringLiteral("Location of Accident"), QStringLiteral("Shock Sensor"),
                QStringLiteral("Note")};
    case 2:
        return {QStringLiteral("Rapport d'accident"), QStringLiteral("Date de l'accident"),
                QStringLiteral("Lieu de l'accident"), QStringLiteral("Capteur de choc"),
                QStringLiteral("Remarque")};
    default:
        return {};
    }
}

bool isEucKrCompatible(const QTextCodec *localCodec) {
    if (!localCodec)
        return false;
    static const QStringList korean = {QStringLiteral("EUC-KR"), QStringLiteral("eucKR"),
                                       QStringLiteral("windows-949"), QStringLiteral("cp949"),
                                       QStringLiteral("UHC")};
    QList<QByteArray> names = localCodec->aliases();
    names.prepend(localCodec->name());
    for (const QByteArray &name : names) {
        if (korean.contains(QString::fromLatin1(name), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString userText(const QString &text, const QTextCodec *localCodec) {
    QString plain = text;
    if (isEucKrCompatible(localCodec)) {
        if (QTextCodec *eucKr = QTextCodec::codecForName("eucKR"))
            plain = eucKr->toUnicode(localCodec->fromUnicode(text));
    }
    return plain.toHtmlEscaped();
}

QString snapshotFolder(const QString &desktopFolder) {
    return desktopFolder + QStringLiteral("/velmora/report/");
}

QString composeReportHtml(const QString &name, const ReportTexts &texts, int language,
                          const QString &desktopFolder) {
    return composeReportHtml(name, texts, language, desktopFolder, QTextCodec::codecForLocale());
}

QString composeReportHtml(const QString &name, const ReportTexts &texts, int language,
                          const QString &desktopFolder, const QTextCodec *localCodec) {
    const ReportLabels labels = reportLabels(language);
    const QString note =
        userText(texts.note, localCodec).replace(QLatin1Char('\n'), QLatin1String("<br>"));

    // One row per channel the name's marker announces: front, CAM1, CAM2.
    static const char *const prefixes[] = {"F_", "R_", "S_"};
    const int channels = avi::ChannelLayout::fromName(name).videoStreams;
    const QString folder = snapshotFolder(desktopFolder);
    QString images;
    for (int channel = 0; channel < channels; ++channel) {
        const QString source = folder + QLatin1String(prefixes[channel]) + name + ".png";
        images += QStringLiteral("<tr><td align=\"center\"><img src=\"%1\" width=\"370\" "
                                 "height=\"205\"></td></tr>")
                      .arg(source.toHtmlEscaped());
    }

    QString html;
    html += QStringLiteral("<html><head><title>Report</title></head><body>");
    html += QStringLiteral("<table width=\"100%\" border=\"0\" cellpadding=\"10\">");
    html += QStringLiteral("<tr>") + titleCell(4, labels.title) + QStringLiteral("</tr>");
    html += QStringLiteral("<tr>") + labelCell(QStringLiteral("align=\"center\""), labels.date) +
            valueCell(QStringLiteral("width=\"35%\""), userText(texts.date, localCodec)) +
            labelCell(QStringLiteral("width=\"15%\" align=\"center\""), labels.sensor) +
            valueCell(QStringLiteral("width=\"35%\""), userText(texts.sensor, localCodec)) +
            QStringLiteral("</tr>");
    html += QStringLiteral("<tr>") +
            labelCell(QStringLiteral("width=\"15%\" align=\"center\""), labels.place) +
            valueCell(QStringLiteral("colspan=\"3\""), userText(texts.position, localCodec)) +
            QStringLiteral("</tr>");
    html += QStringLiteral("<tr><td colspan=\"4\" align=\"center\" style=\"border-bottom:1px solid "
                           "#ccc; background-repeat:no-repeat; background-position:right "
                           "top;\"><table width=\"370\" border=\"0\">%1</table></td></tr>")
                .arg(images);
    html += QStringLiteral("<tr>") + labelCell(QStringLiteral("colspan=\"4\""), labels.note) +
            QStringLiteral("</tr>");
    html += QStringLiteral("<tr><td height=\"80\" colspan=\"4\" valign=\"top\" "
                           "style=\"%1\">%2</td></tr>")
                .arg(HeavyCell, reportText(note));
    html += QStringLiteral("</table></body></html>");
    return html;
}

} // namespace velmora::report
