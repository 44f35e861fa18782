#pragma once

namespace velmora::batch {

// Ctrl-C (SIGINT), SIGTERM and SIGHUP ask a batch run to stop, as the making window's stop
// command does. The handler only records the signal; the run polls it wherever it lets events
// run, stops there, and removes what it had begun. A second signal ends the process at once.
void install_stop_signals();

// The signal that asked the run to stop, or 0 when none came.
int requested_stop_signal();

// Writes "velmora-make: stopped" to standard error; returns the exit code of a run `signal`
// stopped: 128 + the signal's number (130 for SIGINT).
int report_stopped(int signal);

} // namespace velmora::batch
