#ifndef CATALIX_CATALOGUE_ARENA_H_
#define CATALIX_CATALOGUE_ARENA_H_

// The objects of one spectrum are never freed one by one: they come from
// large blocks handed out in order, and all of them are given back at once
// when the next spectrum is read, so the blocks serve spectrum after
// spectrum and memory stays that of the largest spectrum.

#include <cstddef>
#include <new>

namespace arena {

// Raw storage of `size` bytes (at most a block's worth) aligned for any
// catalogue object.
void* allocate(std::size_t size);

// Hands every block out again from its start.  The objects made so far are
// gone (they need no destructor), so the caller must drop all pointers to
// them first.
void rewind();

// Frees every block, for tests and fuzz targets that want memory back.
void release_all();

// Says that memory ran out and ends the program: nothing sensible can go on
// without memory for the spectrum being read.
[[noreturn]] void out_of_memory();

// A new object in its constructed state.
template <typename T>
T* make() {
  return new (allocate(sizeof(T))) T();
}

}  // namespace arena

#endif  // CATALIX_CATALOGUE_ARENA_H_
