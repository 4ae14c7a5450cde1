// SPDX-License-Identifier: Apache-2.0
// Linked into tq51m-printer-app in sanitizer builds. PAPPL 1.3.1's main loop leaves the
// options it parsed allocated when a client subcommand ends. Under LeakSanitizer, full stacks
// let those be told apart from the application's own allocations.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libpappl.so\n";
}
