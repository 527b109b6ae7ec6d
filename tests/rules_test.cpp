// The name rule of the query, which has more cases than case folders could
// hold: each query name (as read from the form, up to its line end) against
// each line name in force.

#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/catalogue.h"
#include "catalogue/width_field.h"
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

// What a width field holds, at each edge, and its log N both ways.
TEST(WidthField, KindsAndLogN) {
  using k = width_field;
  const struct {
    double x;
    width_field kind;
  } kinds[] = {
      {-1, k::not_given}, {-0.9, k::not_given}, {-1.05, k::not_given},
      {-1.1, k::width},  // -1.1 + 1 lies just past 0.1
      {1e-16, k::symbol}, {1e-20, k::symbol}, {1e-40, k::symbol}, {1e-60, k::symbol},
      {1e-80, k::symbol}, {2e-16, k::width}, {0, k::width}, {999.9999, k::width},
      {-INFINITY, k::width}, {1000, k::neither}, {99989.9999, k::neither}, {NAN, k::neither},
      {99990, k::column_density}, {100021.8, k::column_density}, {INFINITY, k::column_density},
  };
  for (const auto& c : kinds) EXPECT_EQ(c.kind, width_field_kind(c.x)) << c.x;
  const struct {
    double x, written, computed;
  } log_n[] = {
      {99990, -10, -10}, {100013.5, 13.5, 13.5}, {100021.8, 21.8, 21.80000000000291},
      {100000.000001, 1e-6, 9.999930625781417e-07}, {1e15, 1e15 - 1e5, 1e15 - 1e5},
  };
  for (const auto& c : log_n) {
    EXPECT_EQ(c.written, log_n_as_written(c.x)) << c.x;
    EXPECT_EQ(c.computed, log_n_computed(c.x)) << c.x;
  }
}

}  // namespace
