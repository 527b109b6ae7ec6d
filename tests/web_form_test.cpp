// What catalix-cgi takes from a request: the body within its limit, each
// bound as the form file's reader would read it, and the fifteen fields
// with what is wrong in each, in the order of the form.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "query/query_form.h"
#include "web/bound_text.h"
#include "web/cgi_request.h"
#include "web/query_fields.h"

namespace {

TEST(BoundText, TakenWholeOrRefused) {
  const struct {
    const char* text;
    bound_fault fault;
    double value;  // 42 where refused: the value is left alone
  } rows[] = {
      {"1.5", bound_fault::none, 1.5},           {" \t-2e3\r\n", bound_fault::none, -2000},
      {"+.5", bound_fault::none, 0.5},           {"5.", bound_fault::none, 5},
      {"1E+2", bound_fault::none, 100},          {"", bound_fault::empty, 42},
      {" \t\n", bound_fault::empty, 42},         {"0x1p3", bound_fault::not_a_number, 42},
      {"inf", bound_fault::not_a_number, 42},    {"nan", bound_fault::not_a_number, 42},
      {"5A", bound_fault::not_a_number, 42},     {"1 2", bound_fault::not_a_number, 42},
      {".", bound_fault::not_a_number, 42},      {"1e", bound_fault::not_a_number, 42},
      {"e5", bound_fault::not_a_number, 42},     {"--1", bound_fault::not_a_number, 42},
      {"1e999", bound_fault::not_finite, 42},    {"-1e999", bound_fault::not_finite, 42},
  };
  for (const auto& row : rows) {
    double value = 42;
    EXPECT_EQ(row.fault, read_bound_text(row.text, &value)) << '"' << row.text << '"';
    EXPECT_EQ(row.value, value) << '"' << row.text << '"';
  }
}

const char kGoodForm[] =
    "min_resolution=0&max_resolution=1e5&min_s_to_n=0&max_s_to_n=1000&min_z_abs=1.5&"
    "max_z_abs=3.5&ion_name=+C+IV%09&min_rest_wv=0&max_rest_wv=3000&min_obs_wv=0&"
    "max_obs_wv=10000&min_width=0&max_width=5&min_col_dens=12&max_col_dens=22";

// The faults of the good form without field `drop` and with `more`.
std::string faults(const char* drop, const std::string& more) {
  std::vector<form_field> fields;
  for (const form_field& f : decode_form(kGoodForm)) {
    if (drop == nullptr || f.name != drop) fields.push_back(f);
  }
  for (const form_field& f : decode_form(more)) fields.push_back(f);
  std::string out;
  for (const field_fault& f : set_query_from_form(fields)) {
    out += f.field + " " + f.why + " [" + f.value + "];";
  }
  return out;
}

TEST(QueryFields, EachFaultInTheOrderOfTheForm) {
  const std::string name98(98, 'n');
  EXPECT_EQ("", faults(nullptr, "bogus=1&format=csv"));
  EXPECT_EQ(1.5, min_z_abs);
  EXPECT_EQ(22, max_col_dens);
  EXPECT_STREQ("C IV ", query_ion_name.text);  // without white space around it, and a blank
  EXPECT_EQ("", faults("ion_name", "ion_name=" + name98));
  EXPECT_EQ(name98 + " ", query_ion_name.text);
  const struct {
    const char* drop;
    std::string more, expected;
  } rows[] = {
      {"min_z_abs", "", "min_z_abs is missing [];"},
      {nullptr, "min_z_abs=1.5", "min_z_abs is given more than once [];"},
      {"min_z_abs", "min_z_abs=1%2", "min_z_abs holds a '%' not followed by two hexadecimal digits [];"},
      {"min_z_abs", "min_z_abs=a%2Bb", "min_z_abs is not a decimal number [a+b];"},
      {"max_width", "max_width=+", "max_width is empty [ ];"},
      {"max_col_dens", "max_col_dens=1e999", "max_col_dens is not a finite number [1e999];"},
      {"ion_name", "ion_name=n" + name98, "ion_name is longer than 98 characters [n" + name98 + "];"},
      {"ion_name", "ion_name=C%0AIV", "ion_name holds a control character [C\nIV];"},
      {"ion_name", "ion_name=C%7F", "ion_name holds a control character [C\x7f];"},
      {"max_z_abs", "max_z_abs=x&min_resolution=1",
       "min_resolution is given more than once [];max_z_abs is not a decimal number [x];"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.expected, faults(row.drop, row.more)) << row.more;
}

TEST(QueryFields, LabelsLinksAndIdentity) {
  EXPECT_EQ("Absorption redshift, lower bound", field_label("min_z_abs"));
  EXPECT_EQ("Answer as", field_label("format"));
  EXPECT_EQ("bogus", field_label("bogus"));
  // In the order of the form; undecodable values and ones over 256 bytes left out.
  const std::string long256(256, '9');
  EXPECT_EQ("min_z_abs=a%20b&max_z_abs=3&max_width=" + long256 + "&format=csv",
            form_values_query(decode_form("format=csv&max_z_abs=3&bogus=1&min_z_abs=a+b&ion_name=%zz&"
                                          "max_width=" + long256 + "&min_width=9" + long256)));
  // Equal exactly when the page would be: 0 and -0 are written differently.
  const auto identity = [](const char* more) { faults("min_z_abs", more); return query_identity(); };
  EXPECT_EQ(identity("min_z_abs=1.5"), identity("min_z_abs=1.50"));
  EXPECT_NE(identity("min_z_abs=0"), identity("min_z_abs=-0"));
}

// A POST of `length` (CONTENT_LENGTH) whose body is `body`.
request_text post(const char* type, const char* length, const std::string& body, long* read) {
  setenv("REQUEST_METHOD", "POST", 1);
  setenv("CONTENT_TYPE", type, 1);
  setenv("CONTENT_LENGTH", length, 1);
  FILE* in = std::tmpfile();
  std::fwrite(body.data(), 1, body.size(), in);
  std::rewind(in);
  request_text request = read_request(in);
  *read = std::ftell(in);
  std::fclose(in);
  return request;
}

TEST(CgiRequest, BodyWithinItsLimit) {
  const char kForm[] = "application/x-www-form-urlencoded";
  const std::string full(kLargestBody + 1, 'x');
  const struct {
    const char *type, *length;
    std::string body;
    int status;
    long read;  // bytes taken from the body
  } rows[] = {
      {kForm, "65536", full, 0, 65536},   {kForm, "65537", full, 413, 0},
      {kForm, "99999999999999999999999", full, 413, 0},
      {kForm, "3", "a=1", 0, 3},          {kForm, "2", "a=1", 0, 2},
      {kForm, "", "a=1", 0, 0},           {kForm, "4", "a=1", 400, 3},
      {kForm, "-1", "a=1", 400, 0},       {kForm, "3x", "a=1", 400, 0},
      {"Application/X-WWW-Form-Urlencoded ; charset=UTF-8", "3", "a=1", 0, 3},
      {"text/plain", "3", "a=1", 415, 0}, {"application/x-www-form-urlencodedx", "3", "a=1", 415, 0},
  };
  for (const auto& row : rows) {
    long read = -1;
    const request_text request = post(row.type, row.length, row.body, &read);
    EXPECT_EQ(row.status, request.status) << row.type << " of " << row.length;
    EXPECT_EQ(row.read, read) << row.type << " of " << row.length;
    EXPECT_EQ(row.status == 0 ? row.body.substr(0, row.read) : "", request.text) << row.length;
  }
  setenv("REQUEST_METHOD", "PUT", 1);
  EXPECT_EQ(405, read_request(stdin).status);
  setenv("REQUEST_METHOD", "HEAD", 1);
  setenv("QUERY_STRING", "a=1", 1);
  const request_text head = read_request(stdin);
  EXPECT_TRUE(head.status == 0 && head.head && !head.post && head.text == "a=1");
  for (const char* name : {"REQUEST_METHOD", "QUERY_STRING", "CONTENT_TYPE", "CONTENT_LENGTH"}) {
    unsetenv(name);
  }
}

}  // namespace
