#include "catalogue/arena.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace arena {
namespace {

const std::size_t kBlockSize = 1 << 20;
const std::size_t kAlign = alignof(std::max_align_t);

// In the order they were made, so that rewind() hands them out again in
// that order.  Freed at exit, so that leak checkers see no block lost when
// the vector goes.
struct block_list : std::vector<char*> {
  ~block_list() {
    for (char* block : *this) std::free(block);
  }
};
block_list blocks;
std::size_t handed_out = 0;  // blocks in use; the last of them is being filled
char* free_begin = nullptr;
char* free_end = nullptr;

}  // namespace

void out_of_memory() {
  std::fputs("catalix: out of memory\n", stderr);
  std::exit(1);
}

void* allocate(std::size_t size) {
  size = (size + kAlign - 1) / kAlign * kAlign;
  if (size > kBlockSize) out_of_memory();  // no object is that large
  if (static_cast<std::size_t>(free_end - free_begin) < size) {
    if (handed_out == blocks.size()) {
      char* block = static_cast<char*>(std::malloc(kBlockSize));
      if (block == nullptr) out_of_memory();
      blocks.push_back(block);
    }
    free_begin = blocks[handed_out++];
    free_end = free_begin + kBlockSize;
  }
  void* result = free_begin;
  free_begin += size;
  return result;
}

void rewind() {
  handed_out = 0;
  free_begin = free_end = nullptr;
}

void release_all() {
  for (char* block : blocks) std::free(block);
  blocks.clear();
  rewind();
}

}  // namespace arena
