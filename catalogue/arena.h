#ifndef CATALIX_CATALOGUE_ARENA_H_
#define CATALIX_CATALOGUE_ARENA_H_

// Catalogue objects live until the process ends and are never freed one by
// one, so they come from large blocks handed out in order.

#include <cstddef>
#include <new>

namespace arena {

// Raw storage of `size` bytes aligned for any catalogue object.
void* allocate(std::size_t size);

// Frees every block at once.  Only for tests and fuzz targets that read many
// catalogues in one process; every object made so far is gone, so the caller
// must drop all pointers into the catalogue first.
void release_all();

// A new object in its constructed state.
template <typename T>
T* make() {
  return new (allocate(sizeof(T))) T();
}

}  // namespace arena

#endif  // CATALIX_CATALOGUE_ARENA_H_
