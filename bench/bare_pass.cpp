// The yardstick: one getc_unlocked pass over a file, doing nothing else.
//   bare_pass FILE   prints the seconds taken

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bare_pass FILE\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  FILE* file = std::fopen(argv[1], "rb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  unsigned long sum = 0;
  int c;
  while ((c = getc_unlocked(file)) != EOF) sum += static_cast<unsigned>(c);
  std::fclose(file);
  const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
  std::printf("%.6f %lu\n", taken.count(), sum);
  return 0;
}
