// The name rule of the query, which has more cases than case folders could
// hold: each query name (as read from the form, up to its line end) against
// each line name in force.

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "query/query_form.h"

namespace {

TEST(NameComparison, Table) {
  const char* lines[] = {"CIV", "CIV  ", "CIV x", "CIVx", "CI", "C", "", "CIV\n", "FeIIabcQ", "FeIIabc"};
  const struct {
    const char* query;
    const char* expected;  // one digit per line name above
  } rows[] = {
      {"CIV ", "1110000100"},  {"CIV\r", "0110000100"},  {"CIV", "0000000000"},
      {"All", "1111111111"},   {"Allx", "1111111111"},   {"all", "0000000000"},
      {" All", "0000000000"},  {"Al", "0000000000"},     {"", "0000001000"},
      {"C", "0000010000"},     {"C ", "0000010000"},     {"C IV ", "0000010000"},
      {"FeIIabcXYZ", "0000000010"}, {"FeIIabdXYZ", "0000000000"},
  };
  for (const auto& row : rows) {
    query_ion_name = string(row.query);
    for (int i = 0; i < 10; ++i) {
      record line;
      line.cur_ion_name = string(lines[i]);
      EXPECT_EQ(row.expected[i] - '0', line.ion_name_comparison())
          << "query \"" << row.query << "\", line \"" << lines[i] << "\"";
    }
  }
}

}  // namespace
