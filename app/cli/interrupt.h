#pragma once
// Ctrl-C, a kill (SIGTERM) and a closed terminal or logout (SIGHUP) act like
// the window's Stop button: they only set 取消标志, which the conversion
// looks at after each piece (1 MiB) of a file and the run between steps, so
// the file being converted is put back before the program ends.

namespace tolvane::cli {

// Stops on those signals, except one that was ignored when the program
// started (nohup, a background job): it stays ignored.
void stopOnSignals();

// True once after a stop signal arrived and was not yet acted on; clears the request.
bool takeInterrupt();

// The exit status for a run ended by the last stop signal: 128 plus its
// number, as a shell reports a program the signal ended (130 for Ctrl-C).
int interruptedExitCode();

} // namespace tolvane::cli
