// Window tests run without LeakSanitizer: its end-of-process scan crashes now and then among
// GTK's and WebKit's threads. The headless tests check our own code for leaks.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
