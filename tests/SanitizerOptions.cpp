// Sanitizer settings every host test program runs with, however it is started.
// Allocation failure is part of the runtime's contract (the process ends with -1), so
// the address sanitizer must let malloc return null instead of aborting.

extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:detect_leaks=1";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}
