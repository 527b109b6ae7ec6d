// System header blocks: intervals, the minimum-width flag, the emission
// redshift, the caption and the chain of note lines.

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "test_support.h"

namespace {

struct HeaderReading {
  explicit HeaderReading(const std::string& text) : file(test::stream_of(text)) {
    warnings = test::stdout_of([&] { block.Read_header(file); });
  }
  ~HeaderReading() { std::fclose(file); }
  std::vector<std::string> notes() const {
    std::vector<std::string> texts;
    for (const string* s = &block.notes; s != nullptr; s = s->next) texts.push_back(s->text);
    return texts;
  }
  std::vector<const header_record*> entries() const {
    std::vector<const header_record*> list;
    for (const header_record* e = &block.first_entry; e != nullptr; e = e->next) list.push_back(e);
    return list;
  }
  FILE* file;
  header block;
  std::string warnings;
};

TEST(Header, FirstLineGivesIntervalEmissionRedshiftAndCaption) {
  HeaderReading h("%\n3500 - 4000 A R = 40000 S/N = 20 $ z = 2.5 $ Source text\n%\nrest");
  const header_record& e = h.block.first_entry;
  EXPECT_EQ(3500, e.wv_min);
  EXPECT_EQ(4000, e.wv_max);
  EXPECT_EQ(40000, e.resolution);
  EXPECT_EQ(20, e.s_to_n);
  EXPECT_EQ(0, e.w_min_flag);
  EXPECT_EQ(2.5, h.block.z_em);
  EXPECT_STREQ(" Source text", h.block.caption.text);
  EXPECT_EQ(std::vector<std::string>{""}, h.notes());
  EXPECT_EQ(1u, h.entries().size());
  EXPECT_EQ("", h.warnings);
  EXPECT_EQ("%\nrest", test::rest_of(h.file));  // stands on the closing '%'
}

TEST(Header, AnyWInTheLabelMarksAMinimumWidth) {
  const char* labels[] = {"W min", "w", "W_min", "low S/N"};
  for (const char* label : labels) {
    HeaderReading h(std::string("%6000 - 7000 A R = 8000 ") + label + " = 0.1 $ z = 2.5 $ c\n%");
    EXPECT_EQ(1, h.block.first_entry.w_min_flag) << label;
    EXPECT_EQ(0.1, h.block.first_entry.s_to_n) << label;
  }
  HeaderReading plain("%6000 - 7000 A R = 8000 S/N = 0.1 $ z = 2.5 $ c\n%");
  EXPECT_EQ(0, plain.block.first_entry.w_min_flag);
}

TEST(Header, NotesChainEndsInAnEmptyNode) {
  HeaderReading h("%1 - 2 =3 =4 $=5$ c\n*a\n*b\n%");
  EXPECT_EQ((std::vector<std::string>{"*a", "*b", ""}), h.notes());
}

TEST(Header, NoteOnlyBlockKeepsTextWithoutStarAndNoEmptyNode) {
  HeaderReading h("*only a note\r\n%");
  EXPECT_EQ(std::vector<std::string>{"only a note\r"}, h.notes());
  EXPECT_EQ(-1.0, h.block.first_entry.resolution);
  EXPECT_EQ(-1.0, h.block.z_em);
  EXPECT_EQ("%", test::rest_of(h.file));
}

TEST(Header, IntervalsAndNotesMayAlternateAndBlankLinesAreSkipped) {
  HeaderReading h(
      "%1000 - 2000 A R = 45000 S/N = 30 $ z = 3.1 $ cap\n"
      "2000 - 3000 A R = 45000 S/N = 40 $\n\n"
      "*first note\n"
      "3000 - 4000 A R = 8000 W = 0.05 $  \n"
      "*second note\n\n"
      "%");
  auto entries = h.entries();
  ASSERT_EQ(3u, entries.size());
  EXPECT_EQ(2000, entries[1]->wv_min);
  EXPECT_EQ(40, entries[1]->s_to_n);
  EXPECT_EQ(3000, entries[2]->wv_min);
  EXPECT_EQ(1, entries[2]->w_min_flag);
  EXPECT_EQ((std::vector<std::string>{"*first note", "*second note", ""}), h.notes());
  EXPECT_EQ("", h.warnings);
}

TEST(Header, BlankLineRightAfterTheFirstLineStartsAnInterval) {
  // The interval reader's first number is found on the following line.
  HeaderReading h("%1 - 2 =3 =4 $=5$ c\n\n10 - 20 =30 =40 $\n%");
  auto entries = h.entries();
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(10, entries[1]->wv_min);
  EXPECT_EQ(40, entries[1]->s_to_n);
}

TEST(Header, LostMarkersWarnAndReadingGoesOn) {
  // Without its '=' the resolution is read after the S/N label, and every
  // later field shifts along.
  HeaderReading h("%1 - 2 R 3 S/N = 4 $ z = 5 $ c\n%");
  EXPECT_EQ(4, h.block.first_entry.resolution);
  EXPECT_EQ(5, h.block.first_entry.s_to_n);
  EXPECT_EQ(
      "file read message: stop_signal '=' lost\n"
      "file read message: stop_signal '$' lost\n",
      h.warnings);

  HeaderReading at_end("%1 - 2 = 3");
  EXPECT_EQ(
      "file read message: stop_signal '$' lost\n"
      "file read message: stop_signal '=' lost\n"
      "file read message: stop_signal '$' lost\n",
      at_end.warnings);
  EXPECT_EQ(3, at_end.block.first_entry.resolution);
}

TEST(Header, SymbolValuesAreKeptAsNumbers) {
  HeaderReading h("%1e-20 - 4000 A R = 1e-16 S/N = -1 $ z = 1e-20 $ c\n%");
  EXPECT_EQ(1e-20, h.block.first_entry.wv_min);
  EXPECT_EQ(1e-16, h.block.first_entry.resolution);
  EXPECT_EQ(-1.0, h.block.first_entry.s_to_n);
  EXPECT_EQ(1e-20, h.block.z_em);
}

}  // namespace
