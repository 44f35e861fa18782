# Sourced by sanitize.sh and fuzz.sh: how the sanitizer runtimes report. Every report ends
# the process with a failure, so a finding fails the test or the fuzz run that met it.
# LeakSanitizer runs with ASan; the suite needs no suppressions (Qt's singletons stay reachable).
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_init_order=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
