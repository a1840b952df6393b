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

// As SpawnProgram, as another user (the caller must be root). The output
// file is opened before the switch, so it may lie where that user cannot write.
pid_t SpawnProgramAs(uid_t uid, gid_t gid, const std::vector<std::string>& args, const std::string& outPath);

// Whether every folder above path lets other users through and path itself
// lets them run it.
bool RunnableByOthers(const std::string& path);

}  // namespace testing_support
