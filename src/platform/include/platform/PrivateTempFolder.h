#pragma once
#include <string>

namespace platform {

// The per-user folder that stands in for the system temp folder:
// $XDG_RUNTIME_DIR/<sharedName>/, else /tmp/<sharedName>-<uid>/, else (when
// another user holds that name) $XDG_CACHE_HOME/<sharedName>/ (default
// ~/.cache/). It is created with mode 0700 and accepted only when it is a
// real folder owned by this user and closed to others, because files with
// fixed names are written there. Returns the path ending with '/', or ""
// when no safe folder can be had.
std::string PrivateTempFolder(const std::string& sharedName);

}  // namespace platform
