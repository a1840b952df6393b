#include "platform/PowerSwitch.h"

#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <string>

extern char** environ;

namespace platform {

namespace {

// Runs "systemctl verb" with no input and waits for it: systemctl hands the
// request to the system manager and returns.
void RunSystemctl(std::string verb)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    char command[] = "systemctl";
    char* argv[] = {command, verb.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, command, &actions, nullptr, argv, environ) == 0)
        ::waitpid(pid, nullptr, 0);
    posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

void SystemPowerSwitch::PowerOff()
{
    RunSystemctl("poweroff");
}

void SystemPowerSwitch::Suspend()
{
    RunSystemctl("suspend");
}

}  // namespace platform
