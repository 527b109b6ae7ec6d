// What the number reader makes of many inputs, as lines that can be compared
// between builds: the reader of every build (Windows, libc++) against glibc's
// fscanf "%lg" and "%d" on the native one.
//   number_outcomes inputs DIR   writes the inputs to DIR (one file each for
//                                the first ones, so that they end at the end
//                                of a file; all of them in DIR/all, their
//                                lengths in DIR/lengths)
//   number_outcomes ours DIR     our reader's outcomes, in blocks of several sizes
//   number_outcomes fscanf DIR   the C library's, in the same lines
// An outcome: success, the value's bits (left alone on failure), where the
// reading stopped and the next byte.

#include <cstring>
#include <string>

#include "catalogue/source.h"
#include "number_generator.h"

namespace {

const int kOwnFiles = 2000;
const char kSeparator = '#';  // ends every number after an input in DIR/all

std::vector<std::string> inputs() {
  Generator g;
  std::vector<std::string> all = {
      "", "-", "+.", "- 1", "1e+", "1e-x", "0x", "0x.", "0x.p1", "0xp1", "1,5", "\xa0" "7",
      std::string("1\0" "2", 3), "2.4703282292062327e-324", "2.4703282292062328e-324",
      "1.7976931348623159e308", "1e0000000000000000000000000000000000005",
      "1e-99999999999999999999", "0x1p99999999999999999999", "2147483648", "-2147483649",
      "4294967297", "9223372036854775808", "-9223372036854775809", "18446744073709551616",
      "1.00000000000000011102230246251565404236316680908203125" + std::string(2000, '0') + "1"};
  for (int n : {766, 767, 768, 799, 800, 801, 5000}) {
    const std::string zeros(n, '0');
    for (std::string s : {zeros, "1" + zeros, "0." + zeros + "1e" + std::to_string(n),
                          std::string(n, '9') + "e-" + std::to_string(n + 300), "0x" + zeros + "1",
                          "0x1." + zeros + "1"})
      all.push_back(s);
  }
  for (long i = 0; i < case_count(); ++i) {
    all.push_back(g.around(g.below(5) == 0 ? g.digits(1 + g.below(25)) : g.number()));
  }
  return all;
}

void write_file(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size()) std::exit(1);
  std::fclose(f);
}

struct outcome {
  bool ok;
  uint64_t bits;
  long long stop;
  int next;
};

void print(const outcome& o) {
  std::printf("%d %016llx %lld %d\n", o.ok ? 1 : 0, static_cast<unsigned long long>(o.bits),
              o.stop, o.next);
}

template <typename T>
outcome ours(const std::string& path, long long at, std::size_t block) {
  input::source in(path.c_str(), block);
  in.seek(at);
  T value;
  std::memset(&value, 0x55, sizeof value);
  bool ok;
  if constexpr (sizeof(T) == sizeof(double)) ok = in.read_double(&value);
  else ok = in.read_int(&value);
  outcome o{ok, 0, in.offset() - at, in.get()};
  std::memcpy(&o.bits, &value, sizeof value);
  return o;
}

template <typename T>
outcome theirs(const std::string& path, long long at) {
  FILE* f = std::fopen(path.c_str(), "rb");
  std::fseek(f, static_cast<long>(at), SEEK_SET);
  T value;
  std::memset(&value, 0x55, sizeof value);
  const bool ok = std::fscanf(f, sizeof(T) == sizeof(double) ? "%lg" : "%d", &value) == 1;
  outcome o{ok, 0, std::ftell(f) - at, std::getc(f)};
  std::memcpy(&o.bits, &value, sizeof value);
  std::fclose(f);
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string mode = argv[1], dir = argv[2];
  if (mode == "inputs") {
    // Made here alone: another C library formats the generated numbers in
    // its own way.
    std::string joined, lengths;
    const std::vector<std::string> all = inputs();
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (i < kOwnFiles) write_file(dir + "/" + std::to_string(i), all[i]);
      joined += all[i] + kSeparator;
      lengths += std::to_string(all[i].size()) + "\n";
    }
    write_file(dir + "/all", joined);
    write_file(dir + "/lengths", lengths);
    return 0;
  }
  std::vector<long long> length(1, 0);
  FILE* lengths = std::fopen((dir + "/lengths").c_str(), "rb");
  if (lengths == nullptr) return 1;
  for (int c; (c = std::getc(lengths)) != EOF;) {
    if (c == '\n') length.push_back(0);
    else length.back() = length.back() * 10 + (c - '0');
  }
  std::fclose(lengths);
  length.pop_back();
  const std::size_t kSmall[] = {1, 2, 3, 5, 7, 8, 13, 39, 40, 41, 47};
  long long at = 0;
  for (std::size_t i = 0; i < length.size(); ++i) {
    // The first inputs from their own files, where they end the file.
    const std::string path = i < kOwnFiles ? dir + "/" + std::to_string(i) : dir + "/all";
    const long long start = i < kOwnFiles ? 0 : at;
    for (std::size_t block : {std::size_t{8192}, kSmall[i % 11]}) {
      if (mode == "ours") {
        print(ours<double>(path, start, block));
        print(ours<int>(path, start, block));
      } else {
        print(theirs<double>(path, start));
        print(theirs<int>(path, start));
      }
    }
    at += length[i] + 1;
  }
  return 0;
}
