#pragma once

// The exit statuses of every Kolvar command-line program. With several files
// the highest wins.
inline constexpr int kExitPrinted = 0;    // something was printed or written
inline constexpr int kExitNoGPSData = 1;  // the file holds no GPS data
inline constexpr int kExitUsage = 2;      // a usage error, or a file that cannot be opened or written
