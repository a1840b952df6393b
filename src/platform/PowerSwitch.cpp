#include "platform/PowerSwitch.h"

#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>

extern char** environ;

namespace platform {

void SystemPowerSwitch::PowerOff()
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    char command[] = "systemctl";
    char verb[] = "poweroff";
    char* argv[] = {command, verb, nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, command, &actions, nullptr, argv, environ) == 0)
        ::waitpid(pid, nullptr, 0);
    posix_spawn_file_actions_destroy(&actions);
}

}  // namespace platform
