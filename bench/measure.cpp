// Runs a command in a directory and reports its wall time and peak memory:
//   measure DIR COMMAND...   prints "SECONDS MAXRSS_BYTES EXIT_STATUS"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: measure DIR COMMAND...\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(argv[1]) != 0) _exit(127);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
  std::printf("%.6f %ld %d\n", taken.count(), usage.ru_maxrss * 1024L,
              WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}
