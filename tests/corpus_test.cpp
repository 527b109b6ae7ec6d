// Every input of the fuzz corpus (fuzz/corpus/<target>/), run through the
// whole program in place of the file its target reads, so that the ordinary
// and the sanitizer test builds replay what the fuzzers start from, and any
// input added there after a finding stays a regression test.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "program_run.h"

namespace {

struct Target {
  const char* corpus;  // folder under fuzz/corpus
  const char* file;    // the input it stands for
};

const Target kTargets[] = {{"catalogue", "absrp_sys_list.dat"},
                           {"query_form", "absrp_query.frm"},
                           {"style", "style.var"}};

TEST(Corpus, EveryInputRunsCleanly) {
  const std::string source = CATALIX_SOURCE_DIR;
  const std::string data = source + "/tests/data/robustness/";
  int inputs = 0;
  for (const Target& target : kTargets) {
    for (const auto& entry :
         std::filesystem::directory_iterator(source + "/fuzz/corpus/" + target.corpus)) {
      SCOPED_TRACE(entry.path().string());
      run::TempDir dir;
      run::write_file(dir / "absrp_sys_list.dat", run::read_file(data + "catalogue.dat"));
      run::write_file(dir / "absrp_query.frm", run::read_file(data + "query.frm"));
      run::write_file(dir / "style.var", run::read_file(data + "style.var"));
      const std::string input = run::read_file(entry.path().string());
      run::write_file(dir / target.file, input);
      const run::Outcome outcome = run::program(CATALIX_BIN, dir.path());
      EXPECT_FALSE(outcome.timed_out);
      EXPECT_TRUE(outcome.exited && outcome.status == 0) << outcome.out;
      EXPECT_EQ("", outcome.err);
      EXPECT_TRUE(run::only_lost_markers(outcome.out)) << outcome.out;
      EXPECT_TRUE(run::whole_page_file(dir / "results.html"));
      EXPECT_TRUE(run::read_file(dir / target.file) == input);
      ++inputs;
    }
  }
  EXPECT_GE(inputs, 10);
}

}  // namespace
