#include "catalogue/arena.h"

#include <cstdio>
#include <cstdlib>

namespace arena {
namespace {

const std::size_t kBlockSize = 1 << 20;

// Blocks are chained through their first word so that every block stays
// reachable until exit.
struct Block {
  Block* previous;
};

Block* last_block = nullptr;
char* free_begin = nullptr;
char* free_end = nullptr;

}  // namespace

void* allocate(std::size_t size) {
  const std::size_t align = alignof(std::max_align_t);
  size = (size + align - 1) / align * align;
  if (free_begin == nullptr ||
      static_cast<std::size_t>(free_end - free_begin) < size) {
    const std::size_t header = (sizeof(Block) + align - 1) / align * align;
    const std::size_t bytes = size + header > kBlockSize ? size + header : kBlockSize;
    char* memory = static_cast<char*>(std::malloc(bytes));
    if (memory == nullptr) {
      // Nothing sensible can go on without memory for the catalogue.
      std::fputs("catalix: out of memory\n", stderr);
      std::exit(1);
    }
    Block* block = reinterpret_cast<Block*>(memory);
    block->previous = last_block;
    last_block = block;
    free_begin = memory + header;
    free_end = memory + bytes;
  }
  void* result = free_begin;
  free_begin += size;
  return result;
}

void release_all() {
  while (last_block != nullptr) {
    Block* previous = last_block->previous;
    std::free(last_block);
    last_block = previous;
  }
  free_begin = nullptr;
  free_end = nullptr;
}

}  // namespace arena
