#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <optional>

// One start of a program apart from this process: the program is no child of
// ours, so it goes on when Tolvane ends and is never waited on. For a few
// seconds it is watched, without blocking, for an early end; if it ended and
// said why on its error output, the end of that output is reported. The
// object deletes itself when the watch is over.
class DetachedRun : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultWatch{5000};

    explicit DetachedRun(QObject *parent, std::chrono::milliseconds watch = defaultWatch);

    // Nothing when it started; why not otherwise. The program is looked up on
    // the PATH; `folder` is where it starts.
    std::optional<QString> start(const QStringList &arguments, const QString &folder);

Q_SIGNALS:
    void endedWithError(const QString &lastLines);

private:
    void check();
    bool hasEnded() const;
    void stopWatching();

    std::chrono::milliseconds m_watch;
    QTemporaryDir m_outputFolder; // private to this user
    QTimer m_poll;
    qint64 m_pid = 0;
    QElapsedTimer m_sinceStart;
};
