// Golden end-to-end runs: each directory under tests/e2e is one case.  Its
// input files are copied into a fresh directory, the program named in its
// `command` file runs there, and standard output, exit status and
// results.html are compared byte for byte with the expected files:
//   command              catalix | catalix-dump [query] | catalix-table [csv]
//   absrp_sys_list.dat, absrp_query.frm, style.var   inputs, any may be absent
//                        (a directory in a file's place counts as unreadable)
//   results.html.before  put in place as results.html before the run (a file,
//                        a directory, or a link such as one to /dev/full)
//   stdout, status       expected standard output and exit status
//   results.html         expected page; without it the run must leave no page,
//                        or leave results.html.before untouched when there is one
//   no_page              the run must leave no results.html at all

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const fs::path kCases = fs::path(CATALIX_SOURCE_DIR) / "tests" / "e2e";

std::string read_file(const fs::path& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

// The case's command line with the program name replaced by the built binary.
std::string program_of(const fs::path& case_dir) {
  std::string command = read_file(case_dir / "command");
  while (!command.empty() && (command.back() == '\n' || command.back() == ' '))
    command.pop_back();
  const std::string name = command.substr(0, command.find(' '));
  const std::string args = command.substr(name.size());
  if (name == "catalix") return std::string("'") + CATALIX_BIN + "'" + args;
  if (name == "catalix-dump") return std::string("'") + CATALIX_DUMP_BIN + "'" + args;
  if (name == "catalix-table") return std::string("'") + CATALIX_TABLE_BIN + "'" + args;
  ADD_FAILURE() << "unknown program in " << (case_dir / "command");
  return "false";
}

struct Outcome {
  std::string out;
  int status = -1;
};

Outcome run_in(const fs::path& dir, const std::string& program) {
  Outcome run;
  const std::string line = "cd '" + dir.string() + "' && exec " + program;
  FILE* pipe = popen(line.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int wait_status = pclose(pipe);
  if (WIFEXITED(wait_status)) run.status = WEXITSTATUS(wait_status);
  return run;
}

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(kCases))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class EndToEnd : public testing::TestWithParam<std::string> {};

TEST_P(EndToEnd, OutputStatusAndPageAsExpected) {
  const fs::path case_dir = kCases / GetParam();
  const fs::path work = fs::temp_directory_path() /
                        ("catalix-e2e-" + GetParam() + "-" + std::to_string(getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  for (const char* input : {"absrp_sys_list.dat", "absrp_query.frm", "style.var"})
    if (fs::exists(case_dir / input))
      fs::copy(case_dir / input, work / input, fs::copy_options::recursive);
  const fs::path before = case_dir / "results.html.before";
  const fs::path page = work / "results.html";
  const bool page_before = fs::exists(fs::symlink_status(before));
  if (fs::is_symlink(before) && !fs::exists(before))
    GTEST_SKIP() << "this machine has no " << fs::read_symlink(before);
  if (page_before)
    fs::copy(before, page, fs::copy_options::recursive | fs::copy_options::copy_symlinks);

  const Outcome run = run_in(work, program_of(case_dir));

  EXPECT_EQ(read_file(case_dir / "stdout"), run.out);
  EXPECT_EQ(std::stoi(read_file(case_dir / "status")), run.status);
  if (fs::exists(case_dir / "results.html")) {
    EXPECT_EQ(read_file(case_dir / "results.html"), read_file(page));
  } else if (page_before && !fs::exists(case_dir / "no_page")) {
    EXPECT_EQ(fs::symlink_status(before).type(), fs::symlink_status(page).type())
        << "an earlier page must stay untouched";
    if (fs::is_regular_file(before)) {
      EXPECT_EQ(read_file(before), read_file(page));
    }
  } else {
    EXPECT_FALSE(fs::exists(fs::symlink_status(page))) << "no page expected";
  }
  fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(case_names()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace
