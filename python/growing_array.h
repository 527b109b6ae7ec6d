#ifndef CATALIX_PYTHON_GROWING_ARRAY_H_
#define CATALIX_PYTHON_GROWING_ARRAY_H_

// The values of one column of a table in the making, appended row by row
// into one block of memory that grows by realloc and is handed over whole
// at the end, to become a numpy array's memory without a copy.  A large
// block grows in place or is moved by remapping its pages, so a column
// costs about its final size in memory, never twice it.

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

template <typename T>
class growing_array {
 public:
  growing_array() = default;
  growing_array(const growing_array&) = delete;
  growing_array& operator=(const growing_array&) = delete;
  growing_array(growing_array&& other) noexcept { swap(other); }
  growing_array& operator=(growing_array&& other) noexcept {
    swap(other);
    return *this;
  }
  ~growing_array() { std::free(data_); }

  void push(T x) {
    if (size_ == capacity_) grow();
    data_[size_++] = x;
  }
  std::size_t size() const { return size_; }
  T* data() { return data_; }

  // The values, in a block of exactly their size (at least one element's,
  // so that an empty column has memory too), to be freed with std::free;
  // the array is left empty.  Throws std::bad_alloc.
  T* release() {
    const std::size_t keep = size_ > 0 ? size_ : 1;
    if (keep != capacity_) resize(keep);
    T* data = data_;
    data_ = nullptr;
    size_ = capacity_ = 0;
    return data;
  }

 private:
  void grow() { resize(capacity_ < 1024 ? 1024 : capacity_ + capacity_ / 2); }
  void resize(std::size_t capacity) {
    if (capacity > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    void* moved = std::realloc(data_, capacity * sizeof(T));
    if (moved == nullptr) throw std::bad_alloc();
    data_ = static_cast<T*>(moved);
    capacity_ = capacity;
  }
  void swap(growing_array& other) {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
  }

  T* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

#endif  // CATALIX_PYTHON_GROWING_ARRAY_H_
