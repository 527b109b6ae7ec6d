#ifndef CATALIX_TESTS_PROGRAM_RUN_H_
#define CATALIX_TESTS_PROGRAM_RUN_H_

// Running the built program as a separate process in a directory of its own,
// with a wall-clock limit, for the sweep, fault and memory tests.

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Defined when the tests, and with them the program, are built with
// AddressSanitizer (GCC says so by a macro, clang by a feature test).
#if defined(__SANITIZE_ADDRESS__)
#define CATALIX_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CATALIX_UNDER_ASAN 1
#endif
#endif

namespace run {

// The account a root test run drops to, so that file permissions bind.
const uid_t kNobody = 65534;

// Exit statuses of a child that never reached the program.
const int kSetupFailed = 125;
const int kExecFailed = 127;

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// A fresh directory under /tmp, removed with everything in it at the end.
// It lies inside a folder of its own, which also takes the files a run
// leaves beside it (its standard output and error).
class TempDir {
 public:
  TempDir() {
    char name[] = "/tmp/catalix-test-XXXXXX";
    if (mkdtemp(name) == nullptr) std::abort();
    root_ = name;
    // Open to the unprivileged account the permission tests run as.
    chmod(root_.c_str(), 0755);
    path_ = root_ + "/run";
    std::filesystem::create_directory(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string root_;
  std::string path_;
};

struct Options {
  unsigned time_limit_seconds = 1;
  bool as_nobody = false;  // only honoured when the test runs as root
};

struct Outcome {
  bool timed_out = false;
  bool exited = false;   // ended by exit, not by a signal
  int status = -1;       // exit status when `exited`
  int signal = 0;        // the signal that ended it otherwise
  std::string out;       // standard output
  std::string err;       // standard error (sanitizer reports land here)
  long max_rss_kb = 0;
  double seconds = 0.0;
};

// Where a run in `dir` leaves its standard output and error: beside the
// directory, so that the directory holds only what the program made.
inline std::string out_path(const std::string& dir) { return dir + ".stdout"; }
inline std::string err_path(const std::string& dir) { return dir + ".stderr"; }

// Starts `program` with no arguments in `dir`.  The alarm survives exec, so
// a run that outlives the limit ends by SIGALRM.
inline pid_t spawn(const std::string& program, const std::string& dir,
                   const Options& options) {
  const std::string out = out_path(dir);
  const std::string err = err_path(dir);
  const bool drop = options.as_nobody && geteuid() == 0;
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  // Child: only async-signal-safe calls from here on.
  const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out_fd < 0 || err_fd < 0 || dup2(out_fd, 1) < 0 || dup2(err_fd, 2) < 0 ||
      chdir(dir.c_str()) != 0) {
    _exit(kSetupFailed);
  }
  if (drop && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 ||
               setuid(kNobody) != 0)) {
    _exit(kSetupFailed);
  }
  alarm(options.time_limit_seconds);
  execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
  _exit(kExecFailed);
}

// Fills an outcome from a finished child.
inline Outcome collect(const std::string& dir, int status, const struct rusage& usage) {
  Outcome outcome;
  outcome.exited = WIFEXITED(status);
  if (outcome.exited) outcome.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  outcome.timed_out = outcome.signal == SIGALRM;
  outcome.max_rss_kb = usage.ru_maxrss;
  outcome.out = read_file(out_path(dir));
  outcome.err = read_file(err_path(dir));
  return outcome;
}

// One run of `program` in `dir`.  A run that times out is tried once more,
// so that a busy machine alone does not fail a test; a real hang times out
// both times.
inline Outcome program(const std::string& program, const std::string& dir,
                       const Options& options = Options()) {
  Outcome outcome;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = spawn(program, dir, options);
    int status = 0;
    struct rusage usage = {};
    wait4(pid, &status, 0, &usage);
    outcome = collect(dir, status, usage);
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!outcome.timed_out) break;
  }
  return outcome;
}

// The lines of `text`; a last line without its line end counts as a line.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type begin = 0;
  while (begin < text.size()) {
    std::string::size_type end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

// A page written whole: it begins and ends as every results page does.
inline bool whole_page(const std::string& page) {
  const std::string head = "<html>\n";
  const std::string tail = "</html>\n";
  return page.size() >= head.size() + tail.size() && page.compare(0, head.size(), head) == 0 &&
         page.compare(page.size() - tail.size(), tail.size(), tail) == 0;
}

// The same for a page on disk, reading only its two ends, so that a large
// page does not swell the test process.
inline bool whole_page_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  const std::streamoff end = 64;
  std::string head(static_cast<std::size_t>(std::min(size, end)), '\0');
  in.seekg(0);
  in.read(&head[0], static_cast<std::streamsize>(head.size()));
  std::string tail(head.size(), '\0');
  in.seekg(size - static_cast<std::streamoff>(tail.size()));
  in.read(&tail[0], static_cast<std::streamsize>(tail.size()));
  return size >= 15 && whole_page(head.substr(0, 7) + tail.substr(tail.size() - 8));
}

// The reader's warning for a lost stop character.
inline std::string lost(char stop) {
  return std::string("file read message: stop_signal '") + stop + "' lost\n";
}

// Whether standard output holds nothing but the readers' lost-marker
// warnings.  The catalogue's readers and the form's look for '$' and '='
// only, the style reader for '='.
inline bool only_lost_markers(const std::string& out) {
  for (const std::string& line : lines_of(out)) {
    if (line + "\n" != lost('$') && line + "\n" != lost('=')) return false;
  }
  return out.empty() || out.back() == '\n';
}

}  // namespace run

#endif  // CATALIX_TESTS_PROGRAM_RUN_H_
