/* Linked into every program of the sanitized build. Some system libraries keep allocations
   for the life of the process that no API releases: fontconfig's pattern caches, filled when
   the art tools draw captions with cairo. Their leak reports are not ours to fix. */
const char* __lsan_default_suppressions(void);
const char* __lsan_default_suppressions(void) { return "leak:libfontconfig.so\n"; }
