// SPDX-License-Identifier: Apache-2.0
// Linked into every test program that opens Qt widgets on the offscreen platform.
// Qt's offscreen platform plugin leaves its screen allocated at exit. Under LeakSanitizer,
// full stacks let that one be told apart from the program's own allocations.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libqoffscreen.so\n";
}
