// The field scanner: text fields with their terminators and limits, and the
// skip to a marker character with its 1001-read rule.

#include <string>

#include "catalogue/string.h"
#include "test_support.h"

namespace {

TEST(ReadString, KeepsTextBeforeTerminatorAndConsumesIt) {
  FILE* f = test::stream_of("FeII{2382");
  string s;
  EXPECT_EQ(4, s.Read_string4(f, '{', ':', 10));
  EXPECT_STREQ("FeII", s.text);
  EXPECT_EQ("2382", test::rest_of(f));
  std::fclose(f);
}

TEST(ReadString, LimitEndsReadAndDropsTheNthCharacter) {
  FILE* f = test::stream_of("ABCDEFGHIJKL");
  string s;
  EXPECT_EQ(9, s.Read_string4(f, '{', ':', 10));
  EXPECT_STREQ("ABCDEFGHI", s.text);
  EXPECT_EQ("KL", test::rest_of(f));
  std::fclose(f);

  f = test::stream_of("abcdef");
  EXPECT_EQ(2, s.Read_string2(f, '$', 3));
  EXPECT_STREQ("ab", s.text);
  EXPECT_EQ("def", test::rest_of(f));
  std::fclose(f);
}

TEST(ReadString, EmptyLineKeepsEmptyText) {
  FILE* f = test::stream_of("\nnext");
  string s;
  EXPECT_EQ(0, s.Read_string(f, '\n'));
  EXPECT_STREQ("", s.text);
  EXPECT_EQ("next", test::rest_of(f));
  std::fclose(f);
}

TEST(ReadString, EitherOfTwoTerminators) {
  FILE* f = test::stream_of("Q0001 rest");
  string s;
  EXPECT_EQ(5, s.Read_string3(f, '\n', ' '));
  EXPECT_STREQ("Q0001", s.text);
  EXPECT_EQ("rest", test::rest_of(f));
  std::fclose(f);
}

TEST(ReadString, CarriageReturnIsAnOrdinaryCharacter) {
  FILE* f = test::stream_of(" caption\r\nx");
  string s;
  EXPECT_EQ(9, s.Read_string(f, '\n'));
  EXPECT_STREQ(" caption\r", s.text);
  std::fclose(f);
}

TEST(ReadString, NulTerminatorOrNoLimitReadsNothing) {
  FILE* f = test::stream_of("abc");
  string s("keep");
  EXPECT_EQ(-1, s.Read_string(f, '\0'));
  EXPECT_EQ(-1, s.Read_string2(f, '$', 0));
  EXPECT_EQ(-1, s.Read_string4(f, '{', '\0', 10));
  EXPECT_STREQ("keep", s.text);
  EXPECT_EQ("abc", test::rest_of(f));
  std::fclose(f);
}

TEST(ReadString, LongTextKeeps99AndConsumesToTerminator) {
  const std::string long_text(250, 'x');
  FILE* f = test::stream_of(long_text + "\nafter");
  string s;
  EXPECT_EQ(99, s.Read_string(f, '\n'));
  EXPECT_EQ(std::string(99, 'x'), s.text);
  EXPECT_EQ("after", test::rest_of(f));
  std::fclose(f);
}

TEST(ReadString, EndOfInputKeepsWhatWasRead) {
  FILE* f = test::stream_of("abc");
  string s;
  EXPECT_EQ(3, s.Read_string(f, '\n'));
  EXPECT_STREQ("abc", s.text);
  std::fclose(f);

  f = test::stream_of("");
  EXPECT_EQ(0, s.Read_string3(f, '\n', ' '));
  EXPECT_STREQ("", s.text);
  std::fclose(f);
}

TEST(StringLiteral, CutsAfter39Characters) {
  string s(std::string(50, 'a').c_str());
  EXPECT_EQ(std::string(39, 'a'), s.text);
  EXPECT_EQ(nullptr, s.next);
  for (int i = 39; i < string::kCapacity; ++i) EXPECT_EQ('\0', s.text[i]);
}

TEST(PrintSymbolOff, LeavesOutTheCharacter) {
  string s("a$b$");
  FILE* out = std::tmpfile();
  EXPECT_EQ(3, s.print_symbol_off(out, '$'));
  std::rewind(out);
  EXPECT_EQ("ab", test::rest_of(out));
  std::fclose(out);
}

std::string lost_line(char stop) {
  return std::string("file read message: stop_signal '") + stop + "' lost\n";
}

TEST(DescriptorShift, FindsStopSilently) {
  FILE* f = test::stream_of(" 1.5 $X");
  int result = -1;
  EXPECT_EQ("", test::stdout_of([&] { result = descriptor_shift(f, '$'); }));
  EXPECT_EQ(0, result);
  EXPECT_EQ("X", test::rest_of(f));
  std::fclose(f);
}

TEST(DescriptorShift, StopAtRead1000IsFoundAndAtRead1001IsLost) {
  FILE* f = test::stream_of(std::string(999, 'a') + "=rest");
  int result = -1;
  EXPECT_EQ("", test::stdout_of([&] { result = descriptor_shift(f, '='); }));
  EXPECT_EQ(0, result);
  EXPECT_EQ("rest", test::rest_of(f));
  std::fclose(f);

  f = test::stream_of(std::string(1000, 'a') + "=rest");
  EXPECT_EQ(lost_line('='), test::stdout_of([&] { result = descriptor_shift(f, '='); }));
  EXPECT_EQ(1, result);
  EXPECT_EQ("rest", test::rest_of(f));
  std::fclose(f);
}

TEST(DescriptorShift, GivesUpAfter1001Reads) {
  FILE* f = test::stream_of(std::string(1200, 'a'));
  int result = -1;
  EXPECT_EQ(lost_line('='), test::stdout_of([&] { result = descriptor_shift(f, '='); }));
  EXPECT_EQ(1, result);
  EXPECT_EQ(199u, test::rest_of(f).size());
  std::fclose(f);
}

TEST(DescriptorShift, EndOfInputWarnsOnce) {
  FILE* f = test::stream_of("abc");
  int result = -1;
  EXPECT_EQ(lost_line('$'), test::stdout_of([&] { result = descriptor_shift(f, '$'); }));
  EXPECT_EQ(1, result);
  std::fclose(f);
}

}  // namespace
