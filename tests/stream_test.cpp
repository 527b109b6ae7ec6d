// The second reading of the catalogue, where the page cannot wait for the
// counts: a catalogue rewritten between the readings so that a counted
// spectrum no longer matches gives no whole page.  (Large enough that the
// second reading cannot be served from the stream's buffer.)

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
  for (int i = 0; i < 2000; ++i) text += spectrum;
  const char* path = "rereading_test_catalogue";
  write(path, text + "#");
  FILE* form = std::tmpfile();
  std::fputs("=0=1e5=0=1e3=0=10=All\n=0=1e4=0=1e4=0=10=0=30", form);
  std::rewind(form);
  read_query_form(form);
  std::fclose(form);
  FILE* catalogue = std::fopen(path, "rb");
  FILE* sink = std::fopen("/dev/null", "w");
  messages::stream = nullptr;
  rereading_page same(catalogue);
  same.select();
  EXPECT_TRUE(same.write(sink));
  std::rewind(catalogue);
  rereading_page changed(catalogue);
  changed.select();
  text.replace(text.find("40000"), 5, "9e+09");  // R above the query's limit
  write(path, text + "#");
  EXPECT_FALSE(changed.write(sink));
  messages::stream = stdout;
  std::fclose(sink);
  std::fclose(catalogue);
  std::remove(path);
}

}  // namespace
