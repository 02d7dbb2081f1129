// What a sanitizer build of a program with the web engine reports. Included
// by each program's file with `main` only: it defines the hooks the address
// and leak sanitizers' runtime looks for.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
// The web engine's own allocator frees objects by a size that differs from
// the one allocated. The address sanitizer's suppressions cannot name that
// check by frame, so it is off in the programs that load the web engine (the
// core's tests keep it).
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }
#if defined(QOR_LSAN_SUPPRESSIONS)
// Leak detection stays on; only the frames of the libraries in the file
// (the web engine's and fontconfig's, which keep caches until the process
// ends) are not reported.
extern "C" const char* __lsan_default_options() { return "suppressions=" QOR_LSAN_SUPPRESSIONS; }
#endif
#endif
