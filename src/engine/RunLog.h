#pragma once
// The reason a tool run failed, as the tool wrote it: the last line of its
// log. The tools put their name in front of their own lines ("avm: cannot
// open /x/a.avi: Invalid data found when processing input"); the reason is
// shown without it.
#include <string>

namespace engine {

// The last line of logText that holds more than blanks, without a leading
// "toolName: "; "" when there is none.
std::string ReasonFromLog(const std::string& logText, const std::string& toolName);

// ReasonFromLog of the end of the file at logPath; "" when it cannot be read.
std::string ReasonFromLogFile(const std::string& logPath, const std::string& toolName);

}  // namespace engine
