// Line records: the kinds, the fields each kind reads, and the redshift and
// name carried from line to line within one list.

#include <string>

#include "catalogue/catalogue.h"
#include "test_support.h"

namespace {

// Reads a line list (the text after a header block's closing '%').
struct ListReading {
  explicit ListReading(const std::string& text) : file(test::stream_of(text)) {
    warnings = test::stdout_of([&] { group.Read_record_group(file); });
  }
  ~ListReading() { std::fclose(file); }
  const record& line(int n) const {
    const record* r = &group.first_record;
    while (n-- > 0) r = r->next;
    return *r;
  }
  int count() const {
    int n = 0;
    for (const record* r = &group.first_record; r != nullptr; r = r->next) ++n;
    return n;
  }
  FILE* file;
  record_group group;
  std::string warnings;
};

TEST(UsualLine, ReadsEveryField) {
  ListReading list("2.100000$FeII{2382.765} 5004.8 0.1 0.5 0.05 r1\n_");
  const record& r = list.line(0);
  EXPECT_EQ(2.1, r.z_abs);
  EXPECT_EQ(2.1, r.cur_z_abs);
  EXPECT_STREQ("FeII", r.ion_name.text);
  EXPECT_STREQ("FeII", r.cur_ion_name.text);
  EXPECT_EQ(2382.765, r.rest_wv);
  EXPECT_EQ(5004.8, r.obs_wv);
  EXPECT_EQ(0.1, r.obs_wv_err);
  EXPECT_EQ(0.5, r.eq_width);
  EXPECT_EQ(0.05, r.eq_width_err);
  EXPECT_STREQ(" r1", r.remark.text);
  EXPECT_EQ(1, list.count());
  EXPECT_EQ("", list.warnings);
  EXPECT_EQ("_", test::rest_of(list.file));
}

TEST(UsualLine, ColonEndsTheNameToo) {
  ListReading list("1.5$CIV:1548.204} 3870.51 0.02 0.3 0.01\n_");
  EXPECT_STREQ("CIV", list.line(0).ion_name.text);
  EXPECT_EQ(1548.204, list.line(0).rest_wv);
}

TEST(UsualLine, MarkerInObservedWavelengthEndsTheNumbers) {
  ListReading list("1.5$CIV{1548.204} 1e-80 blended with sky\n_");
  const record& r = list.line(0);
  EXPECT_EQ(1e-80, r.obs_wv);
  EXPECT_EQ(-1.0, r.obs_wv_err);
  EXPECT_EQ(-1.0, r.eq_width);
  EXPECT_EQ(-1.0, r.eq_width_err);
  EXPECT_STREQ(" blended with sky", r.remark.text);
}

TEST(UsualLine, LongNameKeepsNineAndDropsTheTenth) {
  ListReading list("1.5$ABCDEFGHIJ1548.2} 3870.5 0.1 0.2 0.3\n_");
  const record& r = list.line(0);
  EXPECT_STREQ("ABCDEFGHI", r.ion_name.text);
  EXPECT_EQ(1548.2, r.rest_wv);  // the usual reader starts at the eleventh
}

TEST(UsualLine, NumberThatDoesNotConvertKeepsMinusOne) {
  ListReading list("1.5$CIV{x 3870.5 0.1 0.2 0.3\n_");
  const record& r = list.line(0);
  EXPECT_EQ(-1.0, r.rest_wv);
  // 'x' stopped the conversion and is the one character dropped.
  EXPECT_EQ(3870.5, r.obs_wv);
}

TEST(DampedLine, SkipsTwoCharactersThenBlanks) {
  ListReading list("2.3$DLA{}   100020.3 from Voigt fit\n_");
  const record& r = list.line(0);
  EXPECT_STREQ("DLA", r.ion_name.text);
  EXPECT_EQ(-1.0, r.rest_wv);
  EXPECT_EQ(100020.3, r.eq_width);
  EXPECT_STREQ(" from Voigt fit", r.remark.text);
}

TEST(DampedLine, DigitInTheSkippedPairIsLost) {
  ListReading list("2.3$D{12.5 rest\n_");
  EXPECT_EQ(0.5, list.line(0).eq_width);
  EXPECT_STREQ(" rest", list.line(0).remark.text);
}

TEST(DescribedSystem, RestOfLineIsTheRemark) {
  ListReading list("2.1$BAL{ broad troughs of C IV and N V\n"
                   "2.2$LLS: optically thick\n"
                   "2.3$tentative{ see notes\n"
                   "2.4$Tx{1 2 3 4 5\n_");
  EXPECT_STREQ(" broad troughs of C IV and N V", list.line(0).remark.text);
  EXPECT_STREQ(" optically thick", list.line(1).remark.text);
  EXPECT_STREQ(" see notes", list.line(2).remark.text);
  // 't' counts in lower case only: "Tx" is a usual line.
  EXPECT_EQ(1.0, list.line(3).rest_wv);
  EXPECT_EQ(4, list.count());
}

TEST(MarkerLine, CarriesNothingElse) {
  ListReading list("1e-40\n_");
  const record& r = list.line(0);
  EXPECT_EQ(1e-40, r.z_abs);
  EXPECT_EQ(1e-40, r.cur_z_abs);
  EXPECT_STREQ("", r.ion_name.text);
  EXPECT_STREQ("", r.cur_ion_name.text);
  EXPECT_EQ(-1.0, r.rest_wv);
  EXPECT_EQ(-1.0, r.eq_width);
  EXPECT_STREQ("", r.remark.text);
  EXPECT_EQ(1, list.count());
}

TEST(MarkerLine, WhiteSpaceSkipEatsTheNextLinesBlankColumn) {
  // After the marker the next line starts at its first non-blank character:
  // "$  {...": no number, so its redshift is the failed read (-1), and the
  // blank-name rule still applies.
  ListReading list("1.0e-60\n        $  {1215.67} 3647.0 0.1 0.2 0.3\n_");
  EXPECT_EQ(2, list.count());
  const record& r = list.line(1);
  EXPECT_EQ(-1.0, r.z_abs);
  EXPECT_EQ(-1.0, r.cur_z_abs);
  EXPECT_EQ(1215.67, r.rest_wv);
  EXPECT_STREQ("      ", r.cur_ion_name.text);
}

TEST(CarryOver, BlankColumnsTakeRedshiftAndNameFromTheLineAbove) {
  ListReading list(
      "2.100000$FeII{2382.765} 5004.8 0.1 0.5 0.05 r1\n"
      "        $  {2600.173} 5460.4 0.1 0.4 0.04 r2\n"
      "2.2$MgII{2796.352} 8948.3 0.1 0.4 0.04\n"
      "        $  {2803.531} 8971.3 0.1 0.4 0.04\n_");
  const record& second = list.line(1);
  EXPECT_EQ(-1.0, second.z_abs);
  EXPECT_EQ(2.1, second.cur_z_abs);
  EXPECT_STREQ("  ", second.ion_name.text);
  EXPECT_STREQ("FeII", second.cur_ion_name.text);
  EXPECT_EQ(2600.173, second.rest_wv);
  EXPECT_STREQ(" r2", second.remark.text);
  EXPECT_EQ(2.2, list.line(3).cur_z_abs);
  EXPECT_STREQ("MgII", list.line(3).cur_ion_name.text);
}

TEST(CarryOver, FirstLineOfAListStartsFromNothing) {
  ListReading list("        $  {1215.67} 3647.0 0.1 0.2 0.3\n_");
  EXPECT_EQ(-1.0, list.line(0).cur_z_abs);
  EXPECT_STREQ("      ", list.line(0).cur_ion_name.text);
}

TEST(CarryOver, WrittenMinusOneAndEmptyNameAreCarried) {
  ListReading list(
      "2.0$CIV{1548.2} 1 1 1 1\n"
      "-1${1550.8} 1 1 1 1\n"
      "        $  {1550.8} 1 1 1 1\n_");
  EXPECT_EQ(-1.0, list.line(1).cur_z_abs);
  EXPECT_STREQ("", list.line(1).cur_ion_name.text);  // empty is not blank
  EXPECT_EQ(-1.0, list.line(2).cur_z_abs);
  EXPECT_STREQ("", list.line(2).cur_ion_name.text);
}

TEST(CarryOver, MarkerRedshiftIsCarried) {
  ListReading list("1e-40\n2.0$CIV{1548.2} 1 1 1 1\n_");
  ListReading after_marker("1e-40\n_");
  EXPECT_EQ(1e-40, after_marker.line(0).cur_z_abs);
  EXPECT_EQ(2.0, list.line(1).cur_z_abs);
}

TEST(LineList, EndsBeforePercentOrUnderscore) {
  ListReading list("1.5$CIV{1548.2} 1 1 1 1\n%next system");
  EXPECT_EQ(1, list.count());
  EXPECT_EQ("%next system", test::rest_of(list.file));
}

TEST(LineList, EmptyLineIsReadAsALineRecord) {
  // The line end is the record's first character; the redshift read then
  // passes over it to the next line.
  ListReading list("1.5$CIV{1548.2} 1 1 1 1\n\n2.5$SiIV{1393.76} 1 1 1 1\n_");
  EXPECT_EQ(2, list.count());
  EXPECT_EQ(2.5, list.line(1).z_abs);
  EXPECT_STREQ("SiIV", list.line(1).ion_name.text);
}

TEST(LineList, LostDollarWarnsAndReadsOn) {
  ListReading list("1.5 CIV{1548.2} 1 1 1 1\n_");
  EXPECT_EQ("file read message: stop_signal '$' lost\n", list.warnings);
  EXPECT_EQ(1, list.count());
}

TEST(LineList, CarriageReturnsStayInRemarkAndNames) {
  ListReading list("1.5$CIV{1548.2} 1 1 1 1 r\r\n        $  {1550.8} 2 2 2 2\r\n_");
  EXPECT_STREQ(" r\r", list.line(0).remark.text);
  EXPECT_STREQ("\r", list.line(1).remark.text);
  EXPECT_STREQ("CIV", list.line(1).cur_ion_name.text);
  EXPECT_EQ(2, list.count());
}

TEST(LineList, EndOfInputEndsTheList) {
  ListReading list("1.5$CIV{1548.2} 1 1 1 1\n2.5$SiIV{1393");
  EXPECT_EQ(2, list.count());
  EXPECT_EQ(1393.0, list.line(1).rest_wv);
  EXPECT_EQ(-1.0, list.line(1).obs_wv);
}

}  // namespace
