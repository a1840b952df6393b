#include "ToolLog.h"

#include <cstdio>

namespace tools {

namespace {

std::string& LogName()
{
    static std::string name = "tool";
    return name;
}

}  // namespace

void SetLogName(const std::string& name)
{
    LogName() = name;
}

void LogLine(const std::string& line)
{
    std::fprintf(stderr, "%s: %s\n", LogName().c_str(), line.c_str());
    std::fflush(stderr);
}

}  // namespace tools
