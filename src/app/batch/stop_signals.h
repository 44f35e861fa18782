#pragma once

namespace velmora::batch {

// Ctrl-C (SIGINT), SIGTERM and SIGHUP ask a batch run to stop, as the making window's stop
// command does. The handler only records the signal; the run polls it wherever it lets events
// run, stops there, and removes what it had begun.
void install_stop_signals();

// The signal that asked the run to stop, or 0 when none came.
int requested_stop_signal();

// The exit code of a run a signal stopped: 128 + the signal's number (130 for SIGINT).
int stopped_exit_code(int signal);

} // namespace velmora::batch
