// What a sanitizer build of a program with the web engine reports. Included
// by each program's file with `main` only: it defines the hooks the address
// sanitizer's runtime looks for.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
// The web engine keeps its caches until the process ends, and its own
// allocator frees objects by a size that differs from the one allocated;
// neither is ours to fix, and both would hide the faults that are.
extern "C" const char* __asan_default_options() { return "detect_leaks=0:new_delete_type_mismatch=0"; }
#endif
