// Row words read and written as the compiler's vector types, whatever their
// alignment: the kernels that work on several words side by side share these.
#pragma once

#include <cstring>

#include "database/Records.h"

// Vectors never cross a call: every function taking or giving one is inlined
// by force into a caller built for its registers, so the compiler's note
// that such a call's convention depends on the build does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace vector_words {

template <typename T>
[[gnu::always_inline]] inline T Load(const DWORD* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
[[gnu::always_inline]] inline void Store(DWORD* p, const T& v) {
  std::memcpy(p, &v, sizeof v);
}

}  // namespace vector_words
