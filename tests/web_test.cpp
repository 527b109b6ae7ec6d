// The rules of catalix-cgi's caching that have more cases than requests
// against a server can show: HTTP dates in their three forms, the file
// clock, entity tag lists and which condition wins.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "web/form_decoding.h"
#include "web/http_date.h"
#include "web/validators.h"

namespace {

const long long kNow = 1795996800;  // Mon, 30 Nov 2026 00:00:00 GMT
const long long kNotADate = -99;

TEST(HttpDate, Formats) {
  EXPECT_EQ("Thu, 01 Jan 1970 00:00:00 GMT", format_http_date(0));
  EXPECT_EQ("Sun, 06 Nov 1994 08:49:37 GMT", format_http_date(784111777));
  EXPECT_EQ("Tue, 29 Feb 2000 23:59:59 GMT", format_http_date(951868799));
  EXPECT_EQ("Mon, 30 Nov 2026 00:00:00 GMT", format_http_date(kNow));
  EXPECT_EQ("", format_http_date(-1));
  EXPECT_EQ("", format_http_date(253402300800));  // year 10000
  for (long long t = 0; t < 4102444800; t += 86400 * 37 + 3601) {
    long long back = -1;
    ASSERT_TRUE(parse_http_date(format_http_date(t), kNow, &back)) << t;
    EXPECT_EQ(t, back);
  }
}

TEST(HttpDate, Reads) {
  const struct {
    const char* text;
    long long seconds;
  } rows[] = {
      {"Sun, 06 Nov 1994 08:49:37 GMT", 784111777},
      {"Sunday, 06-Nov-94 08:49:37 GMT", 784111777},
      {"Sun Nov  6 08:49:37 1994", 784111777},
      {"Sun Nov 06 08:49:37 1994", 784111777},
      {"Wednesday, 01-Jan-76 00:00:00 GMT", 3345062400},  // 2076: 50 years ahead at most
      {"Saturday, 01-Jan-77 00:00:00 GMT", 220924800},    // so 77 is 1977
      {"Wed, 31 Dec 1969 23:59:59 GMT", -1},
      {"Sun, 06 Nov 1994 08:49:37 UTC", kNotADate}, {"sun, 06 Nov 1994 08:49:37 GMT", kNotADate},
      {"Sun, 6 Nov 1994 08:49:37 GMT", kNotADate},  {"Sun, 06 Nov 1994 08:49:37 GMT ", kNotADate},
      {"Sun, 06 Nov 1994 24:00:00 GMT", kNotADate}, {"Sun, 31 Nov 1994 08:49:37 GMT", kNotADate},
      {"Thu, 29 Feb 2100 00:00:00 GMT", kNotADate}, {"Sun, 06 Nov 1994 08:49:37 GMT, x", kNotADate},
      {"Sun Nov 6 08:49:37 1994", kNotADate},       {"784111777", kNotADate}, {"", kNotADate},
  };
  for (const auto& row : rows) {
    long long seconds = kNotADate;
    EXPECT_EQ(row.seconds != kNotADate, parse_http_date(row.text, kNow, &seconds)) << row.text;
    EXPECT_EQ(row.seconds, seconds) << row.text;
  }
}

TEST(HttpDate, FileTimesAreSystemTimes) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "catalix_web_test_file_time";
  std::fclose(std::fopen(path.string().c_str(), "w"));
  const long long written = system_seconds(std::filesystem::last_write_time(path));
  std::filesystem::remove(path);
  EXPECT_LE(std::llabs(written - seconds_now()), 5);
}

TEST(Validators, EtagLists) {
  const char* tag = "\"0123abcd\"";
  const struct {
    const char* list;
    bool holds;
  } rows[] = {
      {"\"0123abcd\"", true},     {"W/\"0123abcd\"", true},   {"\"x\", \"0123abcd\"", true},
      {"\"x\",W/\"0123abcd\"", true}, {"*", true},             {" * ", true},
      {"\"0123abcd", false},      {"0123abcd", false},        {"\"x\"", false},
      {"\"x\", 0123abcd", false}, {"*, \"x\"", false},         {"", false},
  };
  for (const auto& row : rows) EXPECT_EQ(row.holds, etag_list_holds(row.list, tag)) << row.list;
}

TEST(Validators, IfNoneMatchWins) {
  const validators answer{"\"t\"", 784111777};
  const char* same = "Sun, 06 Nov 1994 08:49:37 GMT";
  EXPECT_TRUE(client_copy_current(answer, "\"t\"", nullptr, kNow));
  EXPECT_TRUE(client_copy_current(answer, nullptr, same, kNow));
  EXPECT_TRUE(client_copy_current(answer, "", "Mon, 07 Nov 1994 00:00:00 GMT", kNow));
  EXPECT_FALSE(client_copy_current(answer, nullptr, "Sun, 06 Nov 1994 08:49:36 GMT", kNow));
  EXPECT_FALSE(client_copy_current(answer, "\"u\"", same, kNow));
  EXPECT_FALSE(client_copy_current(answer, nullptr, "yesterday", kNow));
  EXPECT_FALSE(client_copy_current(answer, nullptr, nullptr, kNow));
}

TEST(FormText, EncodedValuesDecodeBack) {
  const std::string hostile("a b&c=d%+\"<>\x01\xff\0z", 16);
  const std::string link = encode_form_text(hostile);
  EXPECT_EQ(std::string::npos, link.find_first_not_of(
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~%"));
  std::string back;
  ASSERT_TRUE(decode_form_text(link, &back));
  EXPECT_EQ(hostile, back);
}

}  // namespace
