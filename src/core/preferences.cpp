#include "preferences.h"

#include "settingsentries.h"
#include "settingsstore.h"

using namespace SettingsEntries;

namespace {

const QString firstTimeText = QStringLiteral("FirstTime");

bool readBool(const SettingsStore &store, const SettingsEntry &entry)
{
    return store.readBool(entry.section, entry.key, true);
}

bool readEqualsOne(const SettingsStore &store, const SettingsEntry &entry, bool fallback)
{
    return store.readEqualsOne(entry.section, entry.key, fallback ? 1 : 0);
}

} // namespace

bool Preferences::hasFirstRunDefaults() const
{
    return m_store.isExactly(firstTime.section, firstTime.key, firstTimeText);
}

void Preferences::writeFirstRunDefaults()
{
    m_store.write(firstTime, firstTimeText);
    m_store.write(SettingsEntries::loadOnStartup, on);
    m_store.write(showConfirmation, on);
    m_store.write(enableTrayDialog, on);
}

bool Preferences::loadOnStartup() const
{
    return readBool(m_store, SettingsEntries::loadOnStartup);
}

bool Preferences::trayIconAtLoad() const
{
    return m_store.isExactly(SettingsEntries::loadOnStartup.section,
                             SettingsEntries::loadOnStartup.key, on);
}

void Preferences::setLoadOnStartup(bool value)
{
    m_store.write(SettingsEntries::loadOnStartup, flag(value));
}

bool Preferences::batchConfirmation() const
{
    return readBool(m_store, showConfirmation);
}

bool Preferences::confirmationShowsItself(bool boxTicked) const
{
    return readEqualsOne(m_store, showConfirmation, boxTicked);
}

void Preferences::setBatchConfirmation(bool value)
{
    m_store.write(showConfirmation, flag(value));
}

bool Preferences::enableTrayConfirmation() const
{
    return readBool(m_store, enableTrayDialog);
}

// The dialog has always read the key as "enable"; the file's names are
// compared without regard to case, so that is this same entry.
bool Preferences::enableDialogShowsItself(bool boxTicked) const
{
    return readEqualsOne(m_store, enableTrayDialog, boxTicked);
}

void Preferences::setEnableTrayConfirmation(bool value)
{
    m_store.write(enableTrayDialog, flag(value));
}

QString Preferences::codePage() const
{
    return m_store.read(SettingsEntries::codePage);
}

QString Preferences::lastBatchPath() const
{
    return m_store.read(SettingsEntries::lastBatchPath);
}

void Preferences::setLastBatchPath(const QString &path)
{
    m_store.write(SettingsEntries::lastBatchPath, path);
}

QString Preferences::installDirectory() const
{
    return m_store.read(SettingsEntries::installDirectory);
}
