// Hostile inputs and a hostile page, run through the whole program: each
// gets its message and exit status, a whole page or none, and leaves every
// input file byte for byte as it was.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_run.h"

namespace {

const char kPage[] = "results.html";
const char kStyle[] = "style.var";
const char kForm[] = "absrp_query.frm";
const char kCatalogue[] = "absrp_sys_list.dat";

std::string data_file(const std::string& name) {
  return run::read_file(std::string(CATALIX_SOURCE_DIR) + "/tests/data/robustness/" + name);
}

std::string repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

// How the program answers for one of its three inputs.
struct Input {
  const char* name;
  std::string cannot_open;  // standard output when it cannot be opened
  int cannot_open_status;
  bool page_without_it;     // whether the page is still written
  std::string no_fields;    // standard output when it holds no field at all
};

// A form or style file without '=' loses every field's '='.  A catalogue
// without structure loses, at the end of the input, the header's '=' and
// '$' twice (interval, then emission redshift) and the line record's '$'.
const std::vector<Input>& inputs() {
  static const std::vector<Input> all = {
      {kStyle, "error of opening file style.var\n", 0, true, repeated(run::lost('='), 6)},
      {kForm,
       "error of opening file absrp_query.frm\n"
       "Query input error: file results.html has not been created\n",
       1, false, repeated(run::lost('='), 15)},
      {kCatalogue, "error of reading absrp_sys_list.dat\n", 1, false,
       run::lost('=') + run::lost('$') + run::lost('=') + run::lost('$') + run::lost('$')},
  };
  return all;
}

// A directory holding the three good inputs.
class Fault : public testing::Test {
 protected:
  void SetUp() override {
    put(kStyle, data_file("style.var"));
    put(kForm, data_file("query.frm"));
    put(kCatalogue, data_file("catalogue.dat"));
  }

  void put(const std::string& name, const std::string& bytes) {
    run::write_file(dir_ / name, bytes);
  }

  std::string page() const { return run::read_file(dir_ / kPage); }

  // Runs the program; checks that no input changed and that nothing was
  // reported on standard error.
  run::Outcome run_program(const run::Options& options = run::Options()) {
    std::vector<std::pair<std::string, std::string>> before;
    for (const Input& input : inputs()) {
      if (regular(input.name)) before.emplace_back(input.name, run::read_file(dir_ / input.name));
    }
    const run::Outcome outcome = run::program(program_, dir_.path(), options);
    EXPECT_FALSE(outcome.timed_out) << "did not end within a second";
    EXPECT_TRUE(outcome.exited) << "ended by signal " << outcome.signal;
    EXPECT_EQ("", outcome.err);
    for (const auto& file : before) {
      EXPECT_TRUE(run::read_file(dir_ / file.first) == file.second) << file.first << " changed";
    }
    return outcome;
  }

  bool regular(const std::string& name) const {
    struct stat info;
    return lstat((dir_ / name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
  }

  void expect_whole_page() const { EXPECT_TRUE(run::whole_page(page())) << "page not whole"; }

  run::TempDir dir_;
  std::string program_ = CATALIX_BIN;
};

TEST_F(Fault, GoodInputsGiveAPageAndNoMessage) {
  const run::Outcome outcome = run_program();
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ("", outcome.out);
  expect_whole_page();
}

TEST_F(Fault, InputMissingOrADirectory) {
  for (const Input& input : inputs()) {
    for (const bool directory : {false, true}) {
      SCOPED_TRACE(std::string(input.name) + (directory ? " a directory" : " missing"));
      SetUp();
      const std::string earlier = "an earlier page\n";
      put(kPage, earlier);
      std::filesystem::remove(dir_ / input.name);
      if (directory) std::filesystem::create_directory(dir_ / input.name);
      const run::Outcome outcome = run_program();
      EXPECT_EQ(input.cannot_open, outcome.out);
      EXPECT_EQ(input.cannot_open_status, outcome.status);
      if (input.page_without_it) {
        expect_whole_page();
      } else {
        EXPECT_EQ(earlier, page()) << "an earlier page must stay untouched";
      }
      if (directory) std::filesystem::remove(dir_ / input.name);
    }
  }
}

// A device or a pipe in an input's place would never end, or never open.
TEST_F(Fault, InputThatIsADeviceOrAPipeCountsAsMissing) {
  for (const Input& input : inputs()) {
    for (const bool pipe : {false, true}) {
      SCOPED_TRACE(std::string(input.name) + (pipe ? " a pipe" : " a link to /dev/zero"));
      SetUp();
      std::filesystem::remove(dir_ / input.name);
      if (pipe) {
        ASSERT_EQ(0, mkfifo((dir_ / input.name).c_str(), 0600));
      } else {
        std::filesystem::create_symlink("/dev/zero", dir_ / input.name);
      }
      const run::Outcome outcome = run_program();
      EXPECT_EQ(input.cannot_open, outcome.out);
      EXPECT_EQ(input.cannot_open_status, outcome.status);
      std::filesystem::remove(dir_ / input.name);
    }
  }
}

TEST_F(Fault, InputWithoutAnyField) {
  const std::vector<std::pair<const char*, std::string>> contents = {
      {"empty", ""},
      {"white space only", " \t\n\r\n  \n\v\f"},
      {"NUL bytes only", std::string(4096, '\0')},
      {"one 1 MiB line", std::string(1 << 20, 'x') + "\n"},
      {"a million '%'", std::string(1000000, '%')},
  };
  for (const Input& input : inputs()) {
    for (const auto& content : contents) {
      SCOPED_TRACE(std::string(input.name) + ": " + content.first);
      SetUp();
      put(input.name, content.second);
      const run::Outcome outcome = run_program();
      EXPECT_EQ(input.no_fields, outcome.out);
      EXPECT_EQ(0, outcome.status);
      expect_whole_page();
    }
  }
}

TEST_F(Fault, CatalogueTextsOfTenThousandCharactersKeep99) {
  struct Field {
    const char* replaced;  // a text of the catalogue, replaced by 10,000 letters
    char letter;
    const char* before;    // what the field holds before that text
  };
  const Field fields[] = {{"Q0105-3920", 'N', ""},
                          {"saturated", 'R', " "},
                          {"UVES blue arm", 'C', " "},
                          {"second note: weak lines checked by eye", 'W', "*"}};
  std::string catalogue = data_file("catalogue.dat");
  for (const Field& field : fields) {
    const std::string replaced = field.replaced;
    catalogue.replace(catalogue.find(replaced), replaced.size(), std::string(10000, field.letter));
  }
  put(kCatalogue, catalogue);
  const run::Outcome outcome = run_program();
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ("", outcome.out);
  expect_whole_page();
  const std::string written = page();
  for (const Field& field : fields) {
    SCOPED_TRACE(field.replaced);
    const std::string before = field.before;
    const std::string kept = before + std::string(99 - before.size(), field.letter);
    EXPECT_NE(std::string::npos, written.find(kept));
    EXPECT_EQ(std::string::npos, written.find(kept + field.letter));
  }
  EXPECT_NE(std::string::npos, written.find("<th>\n" + std::string(99, 'N') + "</th>\n"));
}

TEST_F(Fault, CatalogueRemarkOfOneMebibyte) {
  std::string catalogue = data_file("catalogue.dat");
  catalogue.replace(catalogue.find("strong"), 6, std::string(1 << 20, 'M'));
  put(kCatalogue, catalogue);
  const run::Outcome outcome = run_program();
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ("", outcome.out);
  expect_whole_page();
  // The remark begins with the blank before the replaced word.
  EXPECT_NE(std::string::npos, page().find(" " + std::string(98, 'M')));
  EXPECT_EQ(std::string::npos, page().find(std::string(99, 'M')));
}

TEST_F(Fault, CatalogueHoldingNulBytes) {
  std::string catalogue = data_file("catalogue.dat");
  catalogue.insert(catalogue.find("-3920"), 1, '\0');
  catalogue.insert(catalogue.find("strong"), std::string("ab\0cd", 5));
  catalogue.insert(catalogue.find("second system"), 1, '\0');
  put(kCatalogue, catalogue);
  const run::Outcome outcome = run_program();
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ("", outcome.out);
  expect_whole_page();
  // A text ends at its first NUL.
  EXPECT_NE(std::string::npos, page().find("<th>\nQ0105</th>\n"));
}

const char kNameLine[] = "ion =All\n";

std::string form_with_name(const std::string& name) {
  std::string form = data_file("query.frm");
  return form.replace(form.find(kNameLine), sizeof kNameLine - 1, "ion =" + name + "\n");
}

std::string summary_name(const std::string& name) {
  return "Ion name or system type: <font color=\"#800080\">" + name + "</font>;\n";
}

TEST_F(Fault, FormNamesOfTenThousandCharactersAndOneMebibyteKeep99) {
  for (const int length : {10000, 1 << 20}) {
    SCOPED_TRACE(length);
    put(kForm, form_with_name(std::string(length, 'Q')));
    const run::Outcome outcome = run_program();
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("", outcome.out);
    expect_whole_page();
    EXPECT_NE(std::string::npos, page().find(summary_name(std::string(99, 'Q'))));
  }
}

TEST_F(Fault, FormAndStyleHoldingNulBytes) {
  put(kForm, form_with_name(std::string("All\0<b>", 7)));
  const std::string nul(1, '\0');
  put(kStyle, "border = 1\nwidth = 90\nheight = 10\ncolor =" + nul + "\nheader =" + nul +
                  "\ncell =" + nul + "\n");
  const run::Outcome outcome = run_program();
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ("", outcome.out);
  expect_whole_page();
  EXPECT_NE(std::string::npos, page().find(summary_name("All")));
}

TEST_F(Fault, StyleLabelOfTenThousandCharactersLosesEveryField) {
  put(kStyle, std::string(10000, 'L') + data_file("style.var"));
  const run::Outcome outcome = run_program();
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ(repeated(run::lost('='), 6), outcome.out);
  expect_whole_page();
}

TEST_F(Fault, PageThatIsADirectory) {
  std::filesystem::create_directory(dir_ / kPage);
  const run::Outcome outcome = run_program();
  EXPECT_EQ("error of creation of results.html\n", outcome.out);
  EXPECT_EQ(1, outcome.status);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / kPage));
}

TEST_F(Fault, PageOnAFullDiskIsRemoved) {
  ASSERT_EQ(0, symlink("/dev/full", (dir_ / kPage).c_str()));
  const run::Outcome outcome = run_program();
  EXPECT_EQ("error of creation of results.html\n", outcome.out);
  EXPECT_EQ(1, outcome.status);
  EXPECT_FALSE(run::exists(dir_ / kPage)) << "the incomplete page must be removed";
}

// File permissions bind only on an ordinary account: a root test run starts
// the program as nobody.
class Permissions : public Fault {
 protected:
  void SetUp() override {
    Fault::SetUp();
    options_.as_nobody = true;
    if (geteuid() == 0) {
      ASSERT_EQ(0, chown(dir_.path().c_str(), run::kNobody, run::kNobody));
      // The build tree may lie where nobody cannot reach (under /root).
      if (program_ == CATALIX_BIN) {
        program_ = bin_ / "catalix";
        std::filesystem::copy_file(CATALIX_BIN, program_);
        ASSERT_EQ(0, chmod(bin_.path().c_str(), 0755));
      }
    }
  }

  // Skips the test when this machine cannot run the program as nobody.
  bool usable(const run::Outcome& outcome) {
    return !(outcome.exited &&
             (outcome.status == run::kSetupFailed || outcome.status == run::kExecFailed));
  }

  run::TempDir bin_;
  run::Options options_;
};

TEST_F(Permissions, ReadOnlyInputsAreReadNormally) {
  for (const Input& input : inputs()) {
    ASSERT_EQ(0, chmod((dir_ / input.name).c_str(), 0444));
  }
  const run::Outcome outcome = run_program(options_);
  if (!usable(outcome)) GTEST_SKIP() << "cannot start the program as nobody here";
  EXPECT_EQ("", outcome.out);
  EXPECT_EQ(0, outcome.status);
  expect_whole_page();
}

TEST_F(Permissions, UnreadableInputCountsAsMissing) {
  for (const Input& input : inputs()) {
    SCOPED_TRACE(input.name);
    SetUp();
    std::filesystem::remove(dir_ / kPage);
    ASSERT_EQ(0, chmod((dir_ / input.name).c_str(), 0));
    const run::Outcome outcome = run_program(options_);
    if (!usable(outcome)) GTEST_SKIP() << "cannot start the program as nobody here";
    EXPECT_EQ(input.cannot_open, outcome.out);
    EXPECT_EQ(input.cannot_open_status, outcome.status);
    if (input.page_without_it) {
      expect_whole_page();
    } else {
      EXPECT_FALSE(run::exists(dir_ / kPage));
    }
    ASSERT_EQ(0, chmod((dir_ / input.name).c_str(), 0644));
  }
}

TEST_F(Permissions, ReadOnlyEarlierPageStays) {
  const std::string earlier = "an earlier page\n";
  put(kPage, earlier);
  ASSERT_EQ(0, chmod((dir_ / kPage).c_str(), 0444));
  const run::Outcome outcome = run_program(options_);
  if (!usable(outcome)) GTEST_SKIP() << "cannot start the program as nobody here";
  EXPECT_EQ("error of creation of results.html\n", outcome.out);
  EXPECT_EQ(1, outcome.status);
  EXPECT_EQ(earlier, page());
}

}  // namespace
