#pragma once

#include <QColor>
#include <QFuture>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <atomic>
#include <memory>

namespace velmora::report {
class ReportJobs;
struct ReportRequest;
} // namespace velmora::report

// The scenes' commands for the accident report, the channel export and the
// restart. Its text properties are inputs or commands: reading them gives a
// fixed text, never what was written. The evidence properties read back as
// written; with an evidencePath the report gains an evidence page about that
// recording at evidenceMoment, prepared in the background while busy.
class CommonFunc : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString runMake READ runMake WRITE setRunMake NOTIFY MakeChanged)
    Q_PROPERTY(QString disFileName READ disFileName WRITE setDisFileName NOTIFY disFileNameChanged)
    Q_PROPERTY(QString disFilePath READ disFilePath WRITE setDisFilePath NOTIFY disFilePathChanged)
    Q_PROPERTY(int videoChannel READ videoChannel WRITE setVideoChannel NOTIFY videoChannelChanged)
    Q_PROPERTY(QString runPrint READ runPrint WRITE setRunPrint NOTIFY PrintChanged)
    Q_PROPERTY(QString contentStr READ contentStr WRITE setContentStr NOTIFY ContentChanged)
    Q_PROPERTY(QString dateStr READ dateStr WRITE setDateStr NOTIFY DateChanged)
    Q_PROPERTY(QString positionStr READ positionStr WRITE setPositionStr NOTIFY PositionChanged)
    Q_PROPERTY(QString gSensorStr READ gSensorStr WRITE setGSensorStr NOTIFY GSensorChanged)
    Q_PROPERTY(int currentLanguage READ currentLanguage WRITE setCurrentLanguage NOTIFY
                   CurrentLanguageChanged)
    Q_PROPERTY(
        int WindowRestart READ windowRestart WRITE setWindowRestart NOTIFY WindowRestartChanged)
    Q_PROPERTY(
        QString evidencePath READ evidencePath WRITE setEvidencePath NOTIFY evidencePathChanged)
    Q_PROPERTY(
        int evidenceMoment READ evidenceMoment WRITE setEvidenceMoment NOTIFY evidenceMomentChanged)
    Q_PROPERTY(int speedUnit READ speedUnit WRITE setSpeedUnit NOTIFY speedUnitChanged)
    Q_PROPERTY(QString workFolder READ workFolder WRITE setWorkFolder NOTIFY workFolderChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)

public:
    explicit CommonFunc(QObject *parent = nullptr);
    // Waits for the exports still running and the recordings still being
    // read for a report, so that none outlives the application it reports to.
    ~CommonFunc() override;

    QString runMake() const { return QStringLiteral("return__"); }
    void setRunMake(const QString &sourcePath);

    QString disFileName() const { return m_disFileName; }
    void setDisFileName(const QString &name);

    QString disFilePath() const { return m_disFilePath; }
    void setDisFilePath(const QString &path);

    int videoChannel() const { return m_videoChannel; }
    void setVideoChannel(int channel);

    QString runPrint() const { return QStringLiteral("Print__"); }
    // Asks for a printer, then prints the report of the recording `name`
    // (and its evidence page once it is ready); emits printFinished.
    void setRunPrint(const QString &name);

    // Writes the same document as runPrint to `target` (a path or a file
    // URL) without any dialog, whole or not at all; emits pdfFinished.
    Q_INVOKABLE void savePdf(const QString &name, const QString &target);
    // Stops the exports reading from below `folder` (a card that went away):
    // each removes what it wrote and ends with exportFinished(.., false).
    Q_INVOKABLE void cancelExports(const QString &folder);

    // The recording the evidence page is about (full path); empty for none.
    QString evidencePath() const { return m_evidencePath; }
    void setEvidencePath(const QString &path);
    // The moment, in milliseconds from the start of the recording.
    int evidenceMoment() const { return m_evidenceMoment; }
    void setEvidenceMoment(int ms);
    // 1 km/h, 0 mi/h.
    int speedUnit() const { return m_speedUnit; }
    void setSpeedUnit(int unit);
    bool busy() const;
    // The folder whose "velmora/report/" holds the snapshots the report
    // page shows (the window's work folder, a path or a file URL); the
    // desktop when empty.
    QString workFolder() const { return m_workFolder; }
    void setWorkFolder(const QString &folder);
    // The map cell grabbed at the moment (a QImage) for the evidence page,
    // with the colour the map paints where it has no tile. A grab that shows
    // no tiles, or anything else such as null, leaves the route drawn on
    // plain ground.
    Q_INVOKABLE void setMapPicture(const QVariant &picture, const QColor &ground = QColor());

    QString contentStr() const { return QStringLiteral("content__"); }
    void setContentStr(const QString &text);

    QString dateStr() const { return QStringLiteral("date__"); }
    void setDateStr(const QString &text);

    QString positionStr() const { return QStringLiteral("position__"); }
    void setPositionStr(const QString &text);

    QString gSensorStr() const { return QStringLiteral("gSensor__"); }
    void setGSensorStr(const QString &text);

    int currentLanguage() const { return m_currentLanguage; }
    void setCurrentLanguage(int language);

    int windowRestart() const { return m_windowRestart; }
    // Starts the program anew and ends this process at once with exit code 12.
    void setWindowRestart(int value);
    // The options a restart starts the program with (such as --card), so
    // that it comes back to the same cards; files named at start are not
    // opened again.
    static void setRestartArguments(const QStringList &arguments);

signals:
    void MakeChanged();
    void PrintChanged();
    void ContentChanged();
    void DateChanged();
    void PositionChanged();
    void GSensorChanged();
    void CurrentLanguageChanged();
    void disFileNameChanged();
    void disFilePathChanged();
    void videoChannelChanged();
    void WindowRestartChanged();
    // An export started by runMake has ended; `ok` is false when nothing was
    // written. Emitted on the object's own thread.
    void exportFinished(QString destination, bool ok);
    void evidencePathChanged();
    void evidenceMomentChanged();
    void speedUnitChanged();
    void workFolderChanged();
    void busyChanged();
    // A print started by runPrint has ended; false when it failed. A print
    // cancelled in the dialog does not start.
    void printFinished(bool ok);
    // savePdf has ended: `path` is the file's local path; on failure nothing
    // was left there and `error` says why.
    void pdfFinished(QString path, bool ok, QString error);

private:
    velmora::report::ReportRequest reportRequest(const QString &name) const;

    QString m_contentStr;
    QString m_dateStr;
    QString m_positionStr;
    QString m_gSensorStr;
    QString m_disFileName;
    QString m_disFilePath;
    int m_currentLanguage = 0;
    int m_videoChannel = 0;
    int m_windowRestart = 0;
    QString m_evidencePath;
    int m_evidenceMoment = 0;
    int m_speedUnit = 1;
    QImage m_mapPicture;
    QString m_workFolder;
    struct RunningExport {
        QFuture<bool> future;
        QString source;
        std::shared_ptr<std::atomic<bool>> stop;
    };
    QList<RunningExport> m_exports;
    std::unique_ptr<velmora::report::ReportJobs> m_reports;
};
