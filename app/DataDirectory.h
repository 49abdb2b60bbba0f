#pragma once

#include <QString>

// The per-user data directory: "Dravik" in the user's documents folder.
QString DataDirectoryPath();
