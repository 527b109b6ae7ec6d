#include "catalogue/arena.h"

#include <cstdio>
#include <cstdlib>

namespace arena {
namespace {

const std::size_t kBlockSize = 1 << 20;
const std::size_t kAlign = alignof(std::max_align_t);

// Blocks are chained in the order they were made, so that rewind() can hand
// them out again in that order.
struct Block {
  Block* next;
};

const std::size_t kHeader = (sizeof(Block) + kAlign - 1) / kAlign * kAlign;

Block* first_block = nullptr;
Block* current = nullptr;  // the block being handed out
char* free_begin = nullptr;
char* free_end = nullptr;

void use(Block* block) {
  current = block;
  free_begin = reinterpret_cast<char*>(block) + kHeader;
  free_end = reinterpret_cast<char*>(block) + kBlockSize;
}

[[noreturn]] void out_of_memory() {
  // Nothing sensible can go on without memory for the spectrum being read.
  std::fputs("catalix: out of memory\n", stderr);
  std::exit(1);
}

}  // namespace

void* allocate(std::size_t size) {
  size = (size + kAlign - 1) / kAlign * kAlign;
  if (size > kBlockSize - kHeader) out_of_memory();  // no object is that large
  if (current == nullptr || static_cast<std::size_t>(free_end - free_begin) < size) {
    Block* block = current != nullptr ? current->next : first_block;
    if (block == nullptr) {
      block = static_cast<Block*>(std::malloc(kBlockSize));
      if (block == nullptr) out_of_memory();
      block->next = nullptr;
      if (current != nullptr) {
        current->next = block;
      } else {
        first_block = block;
      }
    }
    use(block);
  }
  void* result = free_begin;
  free_begin += size;
  return result;
}

void rewind() {
  current = nullptr;
  free_begin = nullptr;
  free_end = nullptr;
}

void release_all() {
  while (first_block != nullptr) {
    Block* next = first_block->next;
    std::free(first_block);
    first_block = next;
  }
  rewind();
}

}  // namespace arena
