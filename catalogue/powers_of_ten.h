#ifndef CATALIX_CATALOGUE_POWERS_OF_TEN_H_
#define CATALIX_CATALOGUE_POWERS_OF_TEN_H_

// The powers of ten that the number reader and the number writer scale by:
// every one here is exact.

#include <cstdint>

// 10^0 to 10^22, the powers of ten that a double holds exactly.
inline constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 10^0 to 10^19, all that a 64-bit unsigned integer holds.
inline constexpr uint64_t kIntegerPowersOfTen[] = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL,
    1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL,
    100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL,
    1000000000000000000ULL, 10000000000000000000ULL};

#endif  // CATALIX_CATALOGUE_POWERS_OF_TEN_H_
