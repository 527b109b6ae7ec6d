// The writing half of the floor: as many bytes as a page holds, written with
// fwrite in 64 KiB blocks to a file, doing nothing else.
//   write_floor FILE BYTES   prints the seconds taken

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_floor FILE BYTES\n");
    return 2;
  }
  long long left = std::atoll(argv[2]);
  std::vector<char> block(1 << 16, 'x');
  const auto start = std::chrono::steady_clock::now();
  FILE* file = std::fopen(argv[1], "w");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  while (left > 0) {
    const std::size_t n = left < static_cast<long long>(block.size()) ? left : block.size();
    if (std::fwrite(block.data(), 1, n, file) != n) return 1;
    left -= n;
  }
  if (std::fclose(file) != 0) return 1;
  const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
  std::printf("%.6f\n", taken.count());
  return 0;
}
