#pragma once

#include "settingsentries.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class IniDocument;

// The per-user preferences: one INI file, text values addressed by section and
// key, names compared without regard to case. Every write re-reads the file
// under a lock and replaces it atomically, so two running instances never lose
// each other's changes. When the file cannot be read or written the store keeps
// working from memory and reports the problem once.
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    explicit SettingsStore(const QString &filePath, QObject *parent = nullptr);
    ~SettingsStore() override;

    static QString defaultFilePath();

    QString filePath() const { return m_filePath; }

    QString read(const QString &section, const QString &key, const QString &fallback = {}) const;
    // Both return whether the change reached the file.
    bool write(const QString &section, const QString &key, const QString &value);
    bool deleteSection(const QString &section);

    // The three readings of a stored flag. A text that is no number reads as if
    // the entry were absent.
    bool isExactly(const QString &section, const QString &key, const QString &literal) const;
    bool readBool(const QString &section, const QString &key, bool fallback) const;
    bool readEqualsOne(const QString &section, const QString &key, int fallback) const;

    // The same through the table of entries: the entry's fallback, unless the
    // reader passes its own.
    QString read(const SettingsEntry &entry) const;
    bool write(const SettingsEntry &entry, const QString &value);
    bool isOn(const SettingsEntry &entry, std::optional<bool> fallback = {}) const;

    static std::optional<double> toNumber(const QString &text);

    bool isMemoryOnly() const { return m_memoryOnly; }
    QString problem() const { return m_problem; }

Q_SIGNALS:
    // Emitted once, the first time the file cannot be read or written.
    void problemOccurred(const QString &message);

private:
    void refresh(bool always = false) const;
    bool save(const QString &section, const QString &key, const QString *value);
    void fail(const QString &message);

    QString m_filePath;
    mutable std::unique_ptr<IniDocument> m_document;
    bool m_memoryOnly = false;
    QString m_problem;
};
