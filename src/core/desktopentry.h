#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

class RunCommand;
struct WrittenBatchFile;

// The applications-menu entry of a batch file (a freedesktop desktop entry):
// its name is the batch file's, and it runs the same command as "Run", from
// the batch file's folder.
class DesktopEntry
{
    Q_DECLARE_TR_FUNCTIONS(DesktopEntry)

public:
    // `command` is one that can run.
    DesktopEntry(const WrittenBatchFile &file, const RunCommand &command, const QString &iconPath);

    // The desktop-file ID, the same for every entry of one batch file, so that
    // adding the file again replaces its entry: Tolvane's own reverse-DNS
    // name, then a hash of the file's place on the disk.
    static QString idFor(const QString &hostPath);
    // Why no entry can hold these values; empty when one can.
    const QString &problem() const { return m_problem; }
    QByteArray text() const;

    // The Exec key's command line: arguments quoted where they must be, and
    // percent signs doubled, so that none reads as a field code.
    static QString commandLine(const QStringList &arguments);
    // A value as a key file holds it.
    static QString escaped(const QString &value);

private:
    void check(const QString &key, const QString &value);

    QString m_name;
    QString m_comment;
    QString m_exec;
    QString m_folder;
    QString m_icon;
    QString m_problem;
};
