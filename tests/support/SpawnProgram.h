#pragma once
// Starting a program from a test without a shell.
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

// Starts args[0] (looked up in PATH when searchPath) with stdin from
// /dev/null, stdout to outPath and stderr to errPath, or to outPath too when
// errPath is empty. Returns the process id, or -1 when it cannot start.
pid_t SpawnProgram(std::vector<std::string> args, const std::string& outPath, const std::string& errPath = "",
                   bool searchPath = false);

}  // namespace testing_support
