#ifndef CATALIX_CATALOGUE_BITS_H_
#define CATALIX_CATALOGUE_BITS_H_

// The bit tricks of the number reader and writer: the compiler's built-ins
// where it has them, else (and with CATALIX_PORTABLE) plain code.

#include <cstdint>
#include <cstring>

namespace bits {

#if defined(__GNUC__) && !defined(CATALIX_PORTABLE)
#define CATALIX_BUILTINS 1
// For the few functions whose every call must be inline.
#define CATALIX_ALWAYS_INLINE [[gnu::always_inline]] inline
#else
#define CATALIX_ALWAYS_INLINE inline
#endif

// Eight bytes as one number, the first byte lowest, on any byte order.
inline uint64_t load_little_endian(const unsigned char* p) {
#if CATALIX_BUILTINS && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  uint64_t block;
  std::memcpy(&block, p, sizeof block);
  return block;
#else
  uint64_t block = 0;
  for (int i = 7; i >= 0; --i) block = block << 8 | p[i];
  return block;
#endif
}

// For x other than 0, as the next one.
inline int trailing_zeros(uint64_t x) {
#if CATALIX_BUILTINS
  return __builtin_ctzll(x);
#else
  int n = 0;
  for (; (x & 0xff) == 0; x >>= 8) n += 8;
  for (; (x & 1) == 0; x >>= 1) ++n;
  return n;
#endif
}

// For x other than 0.
inline int leading_zeros(uint64_t x) {
#if CATALIX_BUILTINS
  return __builtin_clzll(x);
#else
  int n = 0;
  for (; (x >> 63) == 0; x <<= 1) ++n;
  return n;
#endif
}

}  // namespace bits

#endif  // CATALIX_CATALOGUE_BITS_H_
