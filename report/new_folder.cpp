#include "report/new_folder.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace fs = std::filesystem;

namespace {

const int kDigits = 16;
const int kAttempts = 8;

// 64 bits that no other run draws: the system's random source where there
// is one, mixed with the clock and an address of this process.
std::uint64_t unique_bits() {
  std::uint64_t bits = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  bits ^= reinterpret_cast<std::uintptr_t>(&bits);
  try {
    std::random_device device;
    bits ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // No random source: the clock and the address alone.
  }
  // splitmix64's finaliser spreads every bit over the whole name.
  bits = (bits ^ (bits >> 30)) * 0xbf58476d1ce4e5b9u;
  bits = (bits ^ (bits >> 27)) * 0x94d049bb133111ebu;
  return bits ^ (bits >> 31);
}

std::string new_name(const std::string& prefix) {
  std::uint64_t bits = unique_bits();
  std::string name = prefix;
  for (int i = 0; i < kDigits; ++i, bits >>= 4) name += "0123456789abcdef"[bits & 15];
  return name;
}

bool is_such_name(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kDigits || name.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

void remove_leftovers(const fs::path& where, const std::string& prefix, const fs::path& name) {
  std::error_code error;
  fs::directory_iterator entry(where, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code ignored;
    if (is_such_name(entry->path().filename().string(), prefix) &&
        fs::is_directory(fs::symlink_status(entry->path(), ignored))) {
      remove_if_dead(entry->path(), name);
    }
  }
}

}  // namespace

FILE* make_new_folder(run_folder& folder, const fs::path& where, const std::string& prefix, const fs::path& name,
                      const char* mode, std::error_code& error) {
  const fs::path place = where.empty() ? fs::path(".") : where;
  remove_leftovers(place, prefix, name);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    error.clear();
    FILE* out = folder.make(where / new_name(prefix), name, mode, error);
    if (out != nullptr) return out;
    if (error != std::errc::file_exists && error != std::errc::no_such_file_or_directory) return nullptr;
  }
  return nullptr;
}
