#pragma once

#include "settingsentries.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

class IniDocument;
class QLockFile;

// The per-user preferences: one INI file, text values addressed by section and
// key, names compared without regard to case. Every write re-reads the file
// under a lock and replaces it atomically, so two running instances never lose
// each other's changes; lines the store does not use (comments, anything
// else) stay as they were. Only a plain text file of a settings file's size is
// read; anything else is left alone and the store works from memory. A change
// that cannot be saved is kept and saved with the next change, or by a retry a
// moment later, once the file can be written. Each problem is said once.
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    // A settings file holds a few hundred bytes; anything larger is not one.
    static constexpr qint64 largestFile = 1024 * 1024;

    explicit SettingsStore(const QString &filePath, QObject *parent = nullptr);
    ~SettingsStore() override;

    static QString defaultFilePath();

    QString filePath() const { return m_filePath; }

    QString read(const QString &section, const QString &key, const QString &fallback = {}) const;
    // Both return whether the change reached the file. A change that did not
    // is kept in memory and saved later.
    bool write(const QString &section, const QString &key, const QString &value);
    bool deleteSection(const QString &section);

    // The three readings of a stored flag. A text that is no number reads as if
    // the entry were absent.
    bool isExactly(const QString &section, const QString &key, const QString &literal) const;
    bool readBool(const QString &section, const QString &key, bool fallback) const;
    bool readEqualsOne(const QString &section, const QString &key, int fallback) const;

    // The same through the table of entries.
    QString read(const SettingsEntry &entry, const QString &fallback = {}) const;
    bool write(const SettingsEntry &entry, const QString &value);

    static std::optional<double> toNumber(const QString &text);

    // True while the file is not used (it could not be read) or changes wait
    // in memory to be saved.
    bool isMemoryOnly() const { return m_refused || !m_pending.isEmpty(); }
    // The last problem said, empty when there was none.
    QString problem() const { return m_problem; }

Q_SIGNALS:
    // Emitted once for each problem with the file: when it cannot be read, or
    // a change cannot be saved.
    void problemOccurred(const QString &message);

private:
    struct Change
    {
        QString section;
        QString key;
        std::optional<QString> value; // none: delete the section
    };
    enum class Wait { Briefly, Not };

    void refresh(bool always = false) const;
    bool load() const;
    bool change(const Change &change);
    bool flush(Wait wait);
    bool writeUnderLock(QString &reason);
    void cannotSave(const QString &reason);
    void lockIsHeld(QLockFile &lock);
    void scheduleRetry();
    void report(const QString &message) const;

    QString m_filePath;
    mutable std::unique_ptr<IniDocument> m_document;
    mutable bool m_refused = false; // the file is not one the store may read or replace
    QList<Change> m_pending;        // in memory, not yet in the file
    mutable QString m_problem;      // the last problem said
    mutable QString m_said;         // cleared by a save, so a later problem is said again
    QElapsedTimer m_lockHeldSince;  // while another program keeps the lock
    QTimer m_retry;
    int m_retries = 0;
    bool m_closing = false;
};
