#include "app/batch/stop_signals.h"

#include <atomic>
#include <csignal>
#include <cstdio>

namespace velmora::batch {
namespace {

// A signal handler can only reach static storage; a lock-free atomic is safe to set there.
std::atomic<int> g_stop_signal{0};
static_assert(std::atomic<int>::is_always_lock_free);

// A second signal while the run is still stopping ends the process at once, as without the
// handler: the way out when a step takes long to reach its next check.
extern "C" void record_stop_signal(int signal) {
    int none = 0;
    if (!g_stop_signal.compare_exchange_strong(none, signal)) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

} // namespace

void install_stop_signals() {
    struct sigaction action {};
    action.sa_handler = record_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

int requested_stop_signal() { return g_stop_signal.load(); }

int report_stopped(int signal) {
    std::fprintf(stderr, "velmora-make: stopped\n");
    return 128 + signal;
}

} // namespace velmora::batch
