// libpulse is not built with ThreadSanitizer: the atomics with which it hands its own mutexes
// from its loop thread to ours are invisible to the sanitizer, which then takes the first lock
// of such a mutex for a race with its allocation. Only reports at that lock are dropped, so our
// data shared with the loop's callbacks stays checked.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions() {
    return "race:pa_mutex_lock\nrace:pa_mutex_unlock\n";
}
#endif
