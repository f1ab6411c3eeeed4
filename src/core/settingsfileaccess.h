#pragma once

#include <QString>

class QLockFile;

// What saving the settings file needs of the file system, each answer naming
// the real cause of a failure: the folder, the disk, the lock beside the
// file, and what a writer killed mid-save left behind.
namespace SettingsFileAccess {

// Makes the folder and those above it; empty when it is there, else why not.
QString makeFolder(const QString &folder);

enum class LockResult { Taken, Held, Failed };
// Tries for the lock, for a moment at most when asked to wait: another
// instance holds it for a millisecond or two while it saves.
LockResult takeLock(QLockFile &lock, bool briefly, QString &reason);

// Files of the temporary name QSaveFile gives its new file, left behind when
// a writer was killed between writing the file and renaming it into place.
// Call only while holding the lock, so no one is writing one of them.
void removeLeftovers(const QString &filePath);

} // namespace SettingsFileAccess
