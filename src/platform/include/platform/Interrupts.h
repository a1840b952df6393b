#pragma once
// Ctrl+C (SIGINT), SIGTERM and SIGHUP (the terminal was closed) as a request
// to stop: once caught, the signal only marks the request, and the program
// ends its work in order.
namespace platform {

void CatchInterrupts();
// The first caught signal's number; 0 while none has arrived.
int InterruptSignal();

// Whether a standard stream (1 output, 2 error) is a terminal.
bool IsTerminal(int descriptor);

}  // namespace platform
