#pragma once

#include "files/Folders.h"

#include <string>

// The folders at start-up. A program folder whose path names a debug or
// release build points at the development location, but only while that
// location holds the program's screens; otherwise the program keeps using
// the data beside it (or installed under ../share/kelvox/), so a build in any
// folder finds its own data.
kelvox::Folders StartupFolders(const std::string &programFileFolder, const std::string &homeFolder);
