#pragma once

#include "sortednames.h"

#include <QObject>
#include <QString>

#include <memory>

// Reads the names in one folder away from the window's thread and hands them
// back in sorted batches through queued calls, so that neither a folder of a
// hundred thousand files nor a network folder that has stopped answering can
// hold up the window.
class FolderReader : public QObject
{
    Q_OBJECT

public:
    // Files are plain files and links to them: what a program can be.
    enum class Kind { Files, Folders };

    explicit FolderReader(Kind kind, QObject *parent = nullptr);
    ~FolderReader() override;

    // Starts reading hostFolder; whatever an earlier read still delivers is dropped.
    void read(const QString &hostFolder);
    void cancel();
    bool isReading() const { return m_job != nullptr; }

    // The reason for a failure with this error number, in plain words.
    static QString describeError(int error);

Q_SIGNALS:
    // The folder could be opened; its names follow.
    void opened();
    void namesRead(const NameBatch &names);
    void finished();
    // Opening or reading failed; `error` is the system's error number. When
    // `opened` came first, the names delivered so far are all there will be.
    void failed(int error);

private:
    struct Job;
    enum class Event { Opened, Names, Finished, Failed };

    static void run(const std::shared_ptr<Job> &job);
    static void post(const std::shared_ptr<Job> &job, Event event, NameBatch names = {},
                     int error = 0);
    void deliver(const Job *job, Event event, const NameBatch &names, int error);

    const Kind m_kind;
    std::shared_ptr<Job> m_job;
};
