// The one description of the query's fields against the form that shows
// them, and the rules of the DALI requests that have more cases than
// requests against a server can show.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "query/field_table.h"
#include "query/query_form.h"
#include "web/dali_query.h"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Each field of the table is in the form, in its order, under its label;
// the form has no other field but the answer's format.
TEST(FieldTable, IsTheFormsHtml) {
  const std::string form = read_file(CATALIX_SOURCE_DIR "/site/query.body.html");
  std::string names;
  const std::regex input("<(?:input|select) [^>]*name=\"([a-z_]+)\"");
  for (std::sregex_iterator i(form.begin(), form.end(), input), end; i != end; ++i) {
    names += (*i)[1].str() + " ";
  }
  std::string want;
  for (const query_field& field : kQueryField) {
    want += std::string(field.name) + " ";
    const std::string name = field.name;
    if (field.role == field_role::name) {
      EXPECT_NE(std::string::npos, form.find("<label for=\"" + name + "\">" + field.quantity + "</label>"));
      continue;
    }
    const char* side = field.role == field_role::lower ? "lower bound" : "upper bound";
    EXPECT_NE(std::string::npos, form.find("<th align=\"left\" id=\"" + name.substr(4) + "\">" +
                                           field.quantity + "</th>")) << name;
    EXPECT_NE(std::string::npos, form.find("<label for=\"" + name + "\" id=\"" + name + "_label\">" +
                                           side + "</label>")) << name;
  }
  EXPECT_EQ(want + "format ", names);
}

TEST(Dali, Intervals) {
  const struct {
    const char* text;
    double lower, upper;  // NAN: refused
  } rows[] = {
      {"1.5 3.5", 1.5, 3.5},     {" -Inf\t2 ", -HUGE_VAL, 2}, {"0 +inf", 0, HUGE_VAL},
      {"-INF Inf", -HUGE_VAL, HUGE_VAL}, {"2 2", 2, 2},       {"1e5 1E6", 1e5, 1e6},
      {"3 2", NAN, NAN},         {"inf -inf", NAN, NAN},     {"1", NAN, NAN},
      {"1 2 3", NAN, NAN},       {"", NAN, NAN},             {"nan 1", NAN, NAN},
      {"0x1p3 9", NAN, NAN},     {"1e999 2", NAN, NAN},      {"1,2", NAN, NAN},
      {"--1 2", NAN, NAN},       {"1 2x", NAN, NAN},         {"-Infinity 1", NAN, NAN},
  };
  for (const auto& row : rows) {
    double lower = 7, upper = 7;
    const char* why = read_interval(row.text, &lower, &upper);
    if (std::isnan(row.lower)) {
      EXPECT_NE(nullptr, why) << row.text;
      EXPECT_EQ(7, lower) << row.text;
    } else {
      EXPECT_EQ(nullptr, why) << row.text << ": " << why;
      EXPECT_EQ(row.lower, lower) << row.text;
      EXPECT_EQ(row.upper, upper) << row.text;
    }
  }
}

TEST(Dali, RowCounts) {
  const struct {
    const char* text;
    long long rows;  // -1: refused
  } rows[] = {{"0", 0}, {" 25 ", 25}, {"1000000", kLargestMaxrec}, {"99999999999999999999", kLargestMaxrec},
              {"", -1}, {"-1", -1}, {"+1", -1}, {"1e3", -1}, {"2.0", -1}, {"ten", -1}};
  for (const auto& row : rows) {
    long long rows_read = -1;
    EXPECT_EQ(row.rows >= 0, read_row_count(row.text, &rows_read)) << row.text;
    EXPECT_EQ(row.rows, rows_read) << row.text;
  }
}

// A query string as DALI clients send it; the faults of reading it.
std::vector<std::string> read(const char* text, dali_answer* answer) {
  *answer = dali_answer();
  return read_dali_request(decode_form(text), answer);
}

TEST(Dali, Requests) {
  dali_answer answer;
  EXPECT_TRUE(read("z_Abs=1+2&Ion=+CIV&responseformat=Text/CSV&MaxRec=5&RUNID=x", &answer).empty());
  EXPECT_EQ(1, min_z_abs);
  EXPECT_EQ(2, max_z_abs);
  EXPECT_EQ(-HUGE_VAL, min_col_dens);
  EXPECT_EQ(HUGE_VAL, max_resolution);
  EXPECT_STREQ("CIV ", query_ion_name.text);
  EXPECT_EQ(answer_format::csv, answer.format);
  EXPECT_STREQ("text/csv", answer.media_type);
  EXPECT_EQ(5, answer.limit);
  EXPECT_TRUE(read("", &answer).empty());
  EXPECT_STREQ("All ", query_ion_name.text);
  EXPECT_EQ(answer_format::votable, answer.format);
  EXPECT_EQ(-1, answer.limit);
  EXPECT_TRUE(read("RESPONSEFORMAT=text/xml", &answer).empty());
  EXPECT_STREQ("text/xml", answer.media_type);
  // Faults name their parameter; a bad RESPONSEFORMAT comes first, and the
  // rest are told in the format asked for.
  const struct {
    const char* request;
    const char* first_fault;
  } faults[] = {
      {"Z_ABS=1+2&z_abs=1+2", "Z_ABS is given more than once"},
      {"min_z=1", "\"min_z\" is no parameter of this service, which takes RESOLUTION, SNR, Z_ABS"},
      {"format=csv", "\"format\" is no parameter"},
      {"LOG_N=22+12&RESPONSEFORMAT=fits", "RESPONSEFORMAT is none of votable, csv, tsv, html"},
      {"LOG_N=22+12", "LOG_N has its lower bound above its upper bound: \"22 12\""},
      {"SNR=%zz", "SNR holds a '%' not followed"},
      {"ION=C%0AIV", "ION holds a control character: \"C?IV\""},
      {"MAXREC=-1", "MAXREC is not a whole number of rows: \"-1\""},
      {"W_OBS=%3Cb%3E", "W_OBS is not an interval of two numbers, such as 1.5 3.5 or -Inf 2: \"<b>\""},
  };
  for (const auto& row : faults) {
    const std::vector<std::string> got = read(row.request, &answer);
    ASSERT_FALSE(got.empty()) << row.request;
    EXPECT_EQ(0u, got[0].find(row.first_fault)) << row.request << ": " << got[0];
  }
  EXPECT_EQ(answer_format::csv, (read("ION=%01&RESPONSEFORMAT=csv", &answer), answer.format));
}

TEST(Dali, FormRequests) {
  EXPECT_TRUE(is_form_request(decode_form("format=csv&min_z_abs=1")));
  EXPECT_FALSE(is_form_request(decode_form("format=csv&MIN_Z_ABS=1&Z_ABS=1+2")));
}

}  // namespace
