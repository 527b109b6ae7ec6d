// The second reading of the catalogue, where the page cannot wait for the
// counts: a catalogue rewritten between the readings so that a counted
// spectrum no longer matches gives no whole page.  (Larger than a block, so
// that the second reading must go back to the file.)

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "catalogue/messages.h"
#include "query/query_form.h"
#include "report/rereading_page.h"

namespace {

void write(const char* path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(Rereading, CatalogueChangedBetweenReadings) {
  const std::string spectrum =
      "! Q$ L\n%\n1000 - 9000 A R = 40000 S/N = 20 $ z = 3 $ c\n%\n"
      "2$CIV{1548.2} 4644.6 0.1 0.5 0.05\n_\n";
  std::string text;
  for (int i = 0; i < 3000; ++i) text += spectrum;
  const char* path = "rereading_test_catalogue";
  write(path, text + "#");
  write("rereading_test_form", "=0=1e5=0=1e3=0=10=All\n=0=1e4=0=1e4=0=10=0=30");
  {
    input::source form("rereading_test_form");
    read_query_form(form);
  }
  std::remove("rereading_test_form");
  input::source catalogue(path);
  FILE* sink = std::fopen("/dev/null", "w");
  messages::stream = nullptr;
  rereading_page same(catalogue);
  same.select();
  EXPECT_TRUE(same.write(sink));
  catalogue.seek(0);
  rereading_page changed(catalogue);
  changed.select();
  text.replace(text.find("40000"), 5, "9e+09");  // R above the query's limit
  write(path, text + "#");
  EXPECT_FALSE(changed.write(sink));
  messages::stream = stdout;
  std::fclose(sink);
  std::remove(path);
}

}  // namespace
