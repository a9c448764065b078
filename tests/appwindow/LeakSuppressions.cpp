// WebKit's script engine and fontconfig keep caches for the life of the process, which
// LeakSanitizer reports at exit. GLib drops its quark table's first block on purpose when the
// table grows, as it does with gtkmm's many types; GLib has no frame pointers, so that leak's
// stack ends in g_malloc itself. Only these are exempt; other leaks, ours included, are still
// reported.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libjavascriptcoregtk-6.0.so\n"
           "leak:libfontconfig.so\n"
           "leak:^g_malloc$\n";
}
