#pragma once

#include <string>

// Name of the running Windows release, e.g. "win7", "winVista", "winNT 4.0",
// "win9x", or "win" alone for NT releases after 6.1. The inputs are the
// platform identifier and version numbers of the system's version record.
std::string GetWinVersionName(unsigned platformId, unsigned major, unsigned minor);
