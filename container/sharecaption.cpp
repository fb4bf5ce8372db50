#include "sharecaption.h"

#include "avilayout.h"
#include "telemetryexport.h"

#include <QRegularExpression>
#include <cmath>

namespace velmora {

namespace {

// Two decimals, and no "-0".
QString gText(float value) {
    const double rounded = std::round(double(value) * 100.0) / 100.0;
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2);
}

QString degrees(double value, char positive, char negative) {
    return QStringLiteral("%1 %2")
        .arg(std::abs(value), 0, 'f', 5)
        .arg(QLatin1Char(value < 0 ? negative : positive));
}

} // namespace

QDateTime startTimeFromName(const QString &fileName) {
    static const QRegularExpression stamp(QStringLiteral("^..(\\d{8}_\\d{6})"));
    const QRegularExpressionMatch m = stamp.match(fileName.section(QLatin1Char('/'), -1));
    if (!m.hasMatch())
        return QDateTime();
    QDateTime start = QDateTime::fromString(m.captured(1), QStringLiteral("yyyyMMdd_HHmmss"));
    start.setTimeSpec(Qt::UTC);
    return start;
}

ShareCaption::ShareCaption(const Telemetry &telemetry, const QDateTime &start, int speedUnit)
    : m_start(start)
    , m_speedUnit(speedUnit) {
    m_queries.follow(std::make_shared<const Telemetry>(telemetry));
}

QString ShareCaption::text(int frame, bool twoLines) const {
    const int second = frame / avi::FramesPerSecond;
    const QString gap = QStringLiteral("   ");
    QString text = m_start.isValid() ? moment(second) + gap : QString();
    text += place(second);
    if (!m_queries.telemetry().magnetic.isEmpty())
        text += (twoLines ? QStringLiteral("\n") : gap) + sensor(frame);
    return text;
}

QString ShareCaption::moment(int second) const {
    return m_start.addSecs(second).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString ShareCaption::place(int second) const {
    const int pos = m_queries.findSecond(second);
    const auto point =
        pos >= 0 ? trackPoint(m_queries.telemetry().gio[pos]) : std::optional<TrackPoint>();
    if (!point)
        return QStringLiteral("No GPS");
    return m_queries.speedText(second, m_speedUnit) + QStringLiteral("   ") +
           degrees(point->latitude, 'N', 'S') + QStringLiteral("  ") +
           degrees(point->longitude, 'E', 'W');
}

QString ShareCaption::sensor(int frame) const {
    const MagneticData &s =
        m_queries.telemetry()
            .magnetic[qBound(0, frame, int(m_queries.telemetry().magnetic.size()) - 1)];
    return QStringLiteral("X:%1  Y:%2  Z:%3").arg(gText(s.x), gText(s.y), gText(s.z));
}

} // namespace velmora
