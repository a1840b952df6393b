#include "platform/Interrupts.h"

#include <signal.h>
#include <unistd.h>

#include <initializer_list>

namespace platform {

namespace {

volatile sig_atomic_t caughtSignal = 0;

void Remember(int signal)
{
    if (caughtSignal == 0)
        caughtSignal = signal;
}

}  // namespace

void CatchInterrupts()
{
    struct sigaction action {};
    action.sa_handler = Remember;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

int InterruptSignal()
{
    return caughtSignal;
}

bool IsTerminal(int descriptor)
{
    return ::isatty(descriptor) == 1;
}

}  // namespace platform
