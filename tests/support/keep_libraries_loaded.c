/* Linked into every program of a sanitizer build (the test build): shared
 * libraries stay loaded until the process ends. SDL unloads libdbus, the GL
 * driver and others on shutdown; what they kept for the process's lifetime
 * would then show up as leaks "in an unknown module", out of reach of the
 * suppressions in tests/lsan.supp, which match by library name. With the
 * libraries still mapped their globals keep that memory reachable, and
 * anything they really leak is reported under their own name. */
int dlclose(void* handle);

int dlclose(void* handle) {
    (void)handle;
    return 0;
}
