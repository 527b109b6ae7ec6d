// The whole catalogue read spectrum by spectrum: spectra, systems, lines.
// The console dump of what was read is checked by the end-to-end cases.

#include <fstream>
#include <sstream>
#include <string>

#include "catalogue/catalogue.h"
#include "test_support.h"

namespace {

int spectra_read = 0;

// Reads `text` as the catalogue, leaving its last spectrum in memory;
// returns the reader's warnings.
std::string read_catalogue(const std::string& text) {
  FILE* file = test::stream_of(text);
  std::string warnings = test::stdout_of(
      [&] { spectra_read = Read_Data_Base(file, [](QSO_spectrum&) { Show_Data_Base(); }); });
  std::fclose(file);
  return warnings;
}

int count_spectra() { return spectra_read; }

int count_systems(const QSO_spectrum& spectrum) {
  int n = 0;
  for (const sub_record* s = &spectrum.first_sys; s != nullptr; s = s->next) ++n;
  return n;
}

const char kSmallCatalogue[] =
    "! Q1$ L1\n"
    "%\n"
    "3500 - 4000 A R = 40000 S/N = 20 $ z = 2.5 $ Source text\n"
    "*note one\n"
    "%\n"
    "2.100000$FeII{2382.765} 5004.8 0.1 0.5 0.05 r1\n"
    "        $  {2600.173} 5460.4 0.1 0.4 0.04 r2\n"
    "%\n"
    "6000 - 7000 A R = 8000 W min = 0.1 $ z = 2.5 $ Other text\n"
    "%\n"
    "1e-40\n"
    "_\n"
    "#\n";

TEST(Catalogue, SmallCatalogueReadsLineByLine) {
  EXPECT_EQ(0u, read_catalogue(kSmallCatalogue).find("Q1    L1\n"));
  const QSO_spectrum& q = First_QSO_spectrum;
  EXPECT_STREQ("Q1", q.qso_name.text);
  EXPECT_STREQ("L1", q.qso_label.text);
  EXPECT_EQ(nullptr, q.next);
  ASSERT_EQ(2, count_systems(q));

  const sub_record& first = q.first_sys;
  EXPECT_STREQ(" Source text", first.sys_header.caption.text);
  EXPECT_STREQ("*note one", first.sys_header.notes.text);
  ASSERT_NE(nullptr, first.sys_header.notes.next);
  EXPECT_STREQ("", first.sys_header.notes.next->text);
  const record& r2 = *first.lines.first_record.next;
  EXPECT_EQ(2.1, r2.cur_z_abs);
  EXPECT_STREQ("FeII", r2.cur_ion_name.text);
  EXPECT_EQ(nullptr, r2.next);

  const sub_record& second = *first.next;
  EXPECT_EQ(1, second.sys_header.first_entry.w_min_flag);
  EXPECT_STREQ(" Other text", second.sys_header.caption.text);
  EXPECT_STREQ("", second.sys_header.notes.text);
  EXPECT_EQ(nullptr, second.sys_header.notes.next);
  EXPECT_EQ(1e-40, second.lines.first_record.z_abs);
  EXPECT_EQ(nullptr, second.lines.first_record.next);
}

TEST(Catalogue, SpectraAreSeparatedByWhiteSpace) {
  read_catalogue(
      "!Q1$ a\n%\n1 - 2 =3 =4 $ =5 $c\n%\n1e-40\n_\n\n\n"
      "  !Q2$\nb c\n%\n1 - 2 =3 =4 $ =5 $c\n%\n1e-40\n_\n \n#");
  ASSERT_EQ(2, count_spectra());
  const QSO_spectrum& second = First_QSO_spectrum;
  EXPECT_STREQ("Q2", second.qso_name.text);
  // The line end after '$' is consumed; the label is the next line's word.
  EXPECT_STREQ("b", second.qso_label.text);
}

TEST(Catalogue, SystemsDoNotShareCarryOver) {
  read_catalogue(
      "!Q$ L\n%\n1 - 2 =3 =4 $ =5 $c\n%\n2.5$CIV{1548.2} 1 1 1 1\n%\n"
      "1 - 2 =3 =4 $ =5 $c\n%\n        $  {1550.8} 1 1 1 1\n_\n#");
  const record& line = First_QSO_spectrum.first_sys.next->lines.first_record;
  EXPECT_EQ(-1.0, line.cur_z_abs);
  EXPECT_STREQ("      ", line.cur_ion_name.text);
}

TEST(Catalogue, EndOfInputBeforeTheHashKeepsWhatWasRead) {
  read_catalogue("!Q$ L\n%\n1 - 2 =3 =4 $ =5 $c\n%\n2.5$CIV{1548.2} 1 1 1 1\n");
  EXPECT_EQ(1, count_spectra());
  EXPECT_EQ(1, count_systems(First_QSO_spectrum));
  EXPECT_EQ(2.5, First_QSO_spectrum.first_sys.lines.first_record.z_abs);
}

TEST(Catalogue, EmptyInputGivesOneEmptySpectrum) {
  std::string warnings = read_catalogue("");
  EXPECT_EQ(1, count_spectra());
  EXPECT_STREQ("", First_QSO_spectrum.qso_name.text);
  EXPECT_NE(std::string::npos, warnings.find("stop_signal"));
}

TEST(Catalogue, EveryPrefixOfTheExampleReadsPromptly) {
  std::ifstream in(std::string(CATALIX_SOURCE_DIR) + "/examples/absrp_sys_list.dat",
                   std::ios::binary);
  std::stringstream whole;
  whole << in.rdbuf();
  std::string text = whole.str();
  if (text.empty()) text = kSmallCatalogue;
  for (std::size_t n = 0; n <= text.size(); ++n) {
    read_catalogue(text.substr(0, n));
  }
}

}  // namespace
