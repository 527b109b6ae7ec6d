// The catalogue read one spectrum at a time: the page's head written over in
// place, and the two readings used where that cannot be done.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "catalogue/messages.h"
#include "program_run.h"
#include "query/query_form.h"
#include "report/rereading_page.h"

namespace {

const std::string kCase = std::string(CATALIX_SOURCE_DIR) + "/tests/e2e/page_style_upper_case_y/";

// A page that is a pipe cannot be written over: the catalogue is read
// twice, and the reader of the pipe gets the same bytes as a file would.
TEST(Stream, PageIntoAPipeIsTheSamePage) {
  run::TempDir dir;
  for (const char* name : {"absrp_query.frm", "absrp_sys_list.dat", "style.var"}) {
    run::write_file(dir / name, run::read_file(kCase + name));
  }
  ASSERT_EQ(0, mkfifo((dir / "results.html").c_str(), 0644));
  std::string page;
  std::thread reader([&] { page = run::read_file(dir / "results.html"); });
  const run::Outcome outcome = run::program(CATALIX_BIN, dir.path(), run::Options());
  reader.join();
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ(run::read_file(kCase + "stdout"), outcome.out);
  EXPECT_EQ(run::read_file(kCase + "results.html"), page);
}

// Counts of seven digits do not fit the head's placeholders: the page is
// made again from a second reading, and says nothing twice.
TEST(Stream, AMillionSpectraAreCountedAgain) {
  run::TempDir dir;
  {
    std::ofstream out(dir / "absrp_sys_list.dat", std::ios::binary);
    out << "! Q$ L\n%\n1000 - 9000 A R = 40000 S/N = 20 $ z = 3 $ c\n%\n"
           "2$CIV{1548.2} 4644.6 0.1 0.5 0.05\n_\n";
    for (int i = 0; i < 1000000; ++i) out << "x$a *\n%1e-40_";
    out << "#";
  }
  run::write_file(dir / "absrp_query.frm", "=0=1e9=0=1e9=0=10=CIV \n=0=1e9=0=1e9=0=10=0=30");
  run::Options options;
  options.time_limit_seconds = 60;
  const run::Outcome outcome = run::program(CATALIX_BIN, dir.path(), options);
  EXPECT_EQ(0, outcome.status);
  const std::string page = run::read_file(dir / "results.html");
  EXPECT_TRUE(run::whole_page(page));
  EXPECT_NE(std::string::npos, page.find("#800080\">1     </font> QSO spectra"));
  EXPECT_NE(std::string::npos, page.find("#800080\">1000001</font></h4>"));
  EXPECT_EQ(page.find("<table "), page.rfind("<table  "));  // one spectrum table
}

// A catalogue rewritten between the two readings so that a counted spectrum
// no longer matches gives no whole page.  (Large enough that the second
// reading cannot be served from the stream's buffer.)
TEST(Stream, CatalogueChangedBetweenReadings) {
  run::TempDir dir;
  const std::string spectrum =
      "! Q$ L\n%\n1000 - 9000 A R = 40000 S/N = 20 $ z = 3 $ c\n%\n2$CIV{1548.2} 4644.6 0.1 0.5 0.05\n_\n";
  std::string catalogue_text;
  for (int i = 0; i < 2000; ++i) catalogue_text += spectrum;
  run::write_file(dir / "catalogue", catalogue_text + "#");
  FILE* form = std::fopen((kCase + "absrp_query.frm").c_str(), "rb");
  read_query_form(form);
  std::fclose(form);
  FILE* catalogue = std::fopen((dir / "catalogue").c_str(), "rb");
  FILE* sink = std::fopen("/dev/null", "w");
  messages::stream = nullptr;
  {
    rereading_page page(catalogue);
    page.select();
    EXPECT_TRUE(page.write(sink));
  }
  std::rewind(catalogue);
  rereading_page page(catalogue);
  page.select();
  std::string changed = catalogue_text + "#";
  changed.replace(changed.find("40000"), 5, "9e+09");  // R above the form's limit
  run::write_file(dir / "catalogue", changed);
  EXPECT_FALSE(page.write(sink));
  messages::stream = stdout;
  std::fclose(sink);
  std::fclose(catalogue);
}

}  // namespace
