#pragma once

#include <QFuture>
#include <QList>
#include <QObject>
#include <QString>

// The scenes' commands for the accident report, the channel export and the
// restart. Its text properties are inputs or commands: reading them gives a
// fixed text, never what was written.
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

public:
    explicit CommonFunc(QObject *parent = nullptr);
    // Waits for the exports still running, so that none outlives the
    // application it reports to.
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
    void setRunPrint(const QString &command);

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

private:
    QString m_contentStr;
    QString m_dateStr;
    QString m_positionStr;
    QString m_gSensorStr;
    QString m_disFileName;
    QString m_disFilePath;
    int m_currentLanguage = 0;
    int m_videoChannel = 0;
    int m_windowRestart = 0;
    QList<QFuture<bool>> m_exports;
};
