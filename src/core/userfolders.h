#pragma once

#include <QString>

// The user's own folders as the XDG base directory rules give them. Only an
// absolute path counts: a relative one would point into whatever folder the
// program happened to be started in.
namespace UserFolders {

// $HOME, or the home folder of the user's entry in the password database.
QString home();
// $XDG_CONFIG_HOME, or the folder .config in home().
QString configHome();
// $XDG_DATA_HOME, or the folder .local/share in home().
QString dataHome();

} // namespace UserFolders
