// Fresh memory mapped ahead of its first writes. Where a first touch of a
// page is dear (on a virtual machine it may cost ten microseconds), one
// fault per page costs more than the work that writes it; one call maps a
// whole range at a fraction of that.
#pragma once

#include <cstddef>
#include <vector>

// Maps the whole pages inside [memory, memory + length) for writing, as if
// each had been written, without changing what they hold. Only advice: a
// system without it faults page by page as before.
void PrefaultForWriting(void* memory, std::size_t length);

// Sizes an array for `count` elements that are all written next, its new
// memory mapped beforehand when it spans several pages.
template <class T>
void ResizeForWriting(std::vector<T>& array, std::size_t count) {
  if (count > array.capacity()) {
    array.reserve(count);
    PrefaultForWriting(array.data(), count * sizeof(T));
  }
  array.resize(count);
}
