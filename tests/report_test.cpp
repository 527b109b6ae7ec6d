// The style file, symbol codes, number formats and the rows of the tables.

#include <cmath>
#include <string>

#include "catalogue/catalogue.h"
#include "report/number_format.h"
#include "report/results_page.h"
#include "report/style.h"
#include "report/symbols.h"
#include "test_support.h"

namespace {

std::string read_style(const std::string& text) {
  border = width = height = 0;
  color_interchange = header_align = cell_align = '\0';
  FILE* file = test::stream_of(text);
  std::string warnings = test::stdout_of([&] { read_style_settings(file); });
  std::fclose(file);
  return warnings;
}

TEST(Style, SixEntriesInOrder) {
  EXPECT_EQ("", read_style("border = 1\nwidth = 100\nheight =-5\ncolor=y\nheader=l\ncell=r\nextra=9"));
  EXPECT_EQ(1, border);
  EXPECT_EQ(100, width);
  EXPECT_EQ(-5, height);
  EXPECT_EQ('y', color_interchange);
  EXPECT_EQ('l', header_align);
  EXPECT_EQ('r', cell_align);
}

TEST(Style, BlankAfterEqualsIsTheLetter) {
  read_style("b=0\nw=0\nh=0\ncolor= y\nheader=c\ncell= r\n");
  EXPECT_EQ(' ', color_interchange);
  EXPECT_EQ('c', header_align);
  EXPECT_EQ(' ', cell_align);
}

TEST(Style, ShortFileWarnsForEachMissingEntry) {
  EXPECT_EQ(
      "file read message: stop_signal '=' lost\n"
      "file read message: stop_signal '=' lost\n",
      read_style("b=3\nw=4\nh=5\ncolor=y\n"));
  EXPECT_EQ(5, height);
  EXPECT_EQ('y', color_interchange);
  EXPECT_EQ('\0', cell_align);
}

TEST(Style, NonNumberKeepsTheDefault) {
  read_style("b=x\nw=7\nh=8\nc=y\nh=l\nc=c\n");
  EXPECT_EQ(0, border);
  EXPECT_EQ(7, width);
}

TEST(Style, Converters) {
  EXPECT_STREQ("left", align_type_convert('l').text);
  EXPECT_STREQ("center", align_type_convert('c').text);
  EXPECT_STREQ("right", align_type_convert('r').text);
  EXPECT_STREQ("", align_type_convert('L').text);
  EXPECT_STREQ("", align_type_convert('\0').text);
  EXPECT_STREQ("white", color_change(0).text);
  EXPECT_STREQ("#c0c0c0", color_change(1).text);
  EXPECT_STREQ("#00aaaa", color_change(-1).text);
}

TEST(Symbols, CodesAndTexts) {
  EXPECT_EQ(1, special_symbol_treatment(-1));
  EXPECT_EQ(1, special_symbol_treatment(-0.9));
  EXPECT_EQ(1, special_symbol_treatment(-1.0999));
  // -1.1 + 1 rounds to just above 0.1 in doubles: outside the band.
  EXPECT_EQ(0, special_symbol_treatment(-1.1));
  EXPECT_EQ(0, special_symbol_treatment(-1.2));
  EXPECT_EQ(0, special_symbol_treatment(-0.89));
  EXPECT_EQ(2, special_symbol_treatment(1e-16));
  EXPECT_EQ(2, special_symbol_treatment(1.0e-16));
  EXPECT_EQ(0, special_symbol_treatment(2e-16));
  EXPECT_EQ(3, special_symbol_treatment(1e-20));
  EXPECT_EQ(4, special_symbol_treatment(1e-40));
  EXPECT_EQ(5, special_symbol_treatment(1e-60));
  EXPECT_EQ(6, special_symbol_treatment(1e-80));
  EXPECT_EQ(0, special_symbol_treatment(0));
  EXPECT_EQ(0, special_symbol_treatment(std::nan("")));
  EXPECT_STREQ(" ", special_symbol_conversion(-0.95).text);
  EXPECT_STREQ(" + ", special_symbol_conversion(1e-16).text);
  EXPECT_STREQ("nd", special_symbol_conversion(1e-20).text);
  EXPECT_STREQ("no line list", special_symbol_conversion(1e-40).text);
  EXPECT_STREQ("only Galactic interstellar lines", special_symbol_conversion(1e-60).text);
  EXPECT_STREQ("no line", special_symbol_conversion(1e-80).text);
}

template <typename Write>
std::string written(Write write) {
  FILE* out = std::tmpfile();
  write(out);
  std::rewind(out);
  std::string text = test::rest_of(out);
  std::fclose(out);
  return text;
}

TEST(NumberFormats, Rendering) {
  auto rendered = [](double x) { return written([&](FILE* f) { write_rendered(f, x); }); };
  EXPECT_EQ(" ", rendered(-0.95));
  EXPECT_EQ("-1.2        ", rendered(-1.2));
  EXPECT_EQ(" + ", rendered(1e-16));
  EXPECT_EQ("2e-16       ", rendered(2e-16));
  EXPECT_EQ("0           ", rendered(0));
  EXPECT_EQ("1234567.891 ", rendered(1234567.891234));
  EXPECT_EQ("1e-05       ", rendered(0.00001));
  EXPECT_EQ("1.23456789e+13", rendered(12345678901234.0));
  EXPECT_EQ("0         ", written([](FILE* f) { write_bound(f, 0); }));
  EXPECT_EQ("1e-05     ", written([](FILE* f) { write_bound(f, 0.00001); }));
  EXPECT_EQ("1     ", written([](FILE* f) { write_count(f, 1); }));
  EXPECT_EQ("0     ", written([](FILE* f) { write_count(f, 0); }));
  EXPECT_EQ("05", written([](FILE* f) { write_size(f, 5); }));
  EXPECT_EQ("100", written([](FILE* f) { write_size(f, 100); }));
  EXPECT_EQ("4294967295", written([](FILE* f) { write_size(f, -1); }));
}

TEST(Page, QueryNameIsEscapedInTheSummary) {
  EXPECT_EQ("&lt;b&gt;CIV&lt;/b&gt; &amp;",
            written([](FILE* f) { write_escaped(f, "<b>CIV</b> &amp;"); }));
}

// One selected line row with the default style.
std::string line_row(const record& r) {
  record copy = r;
  return written([&](FILE* f) { copy.html_record(f); });
}

std::string row(const std::string& z, const std::string& name, const std::string& rest,
                const std::string& obs, const std::string& obs_err, const std::string& w,
                const std::string& w_err, const std::string& remark) {
  return "<tr  align=\"\">\n<td>" + z + "</td>\n<td>" + name + "</td>\n<td>" + rest +
         "</td>\n<td>" + obs + "</td>\n<td>" + obs_err + "</td>\n<td>" + w +
         "</td>\n<td>" + w_err + "</td>\n<td>" + remark + "</td>\n</tr>\n";
}

TEST(LineRow, CellsAndRedshiftRule) {
  color_interchange = '\0';
  cell_align = '\0';
  record r;
  r.z_abs = -1;
  r.cur_z_abs = 2.5;
  r.cur_ion_name = string("CIV");
  r.rest_wv = 1548.204;
  r.obs_wv = 5418.714;
  r.obs_wv_err = 0.05;
  r.eq_width = 100013.5;
  r.eq_width_err = 1e-20;
  r.remark = string(" $blend$ <i>x</i>");
  EXPECT_EQ(row("2.5         ", "CIV", "{1548.204    }", "5418.714    ", "0.05        ",
                "N13.5        ", "nd", " blend <i>x</i>"),
            line_row(r));

  record above;
  above.cur_z_abs = 2.5;
  r.prev_selected = &above;
  EXPECT_EQ(0u, line_row(r).find("<tr  align=\"\">\n<td></td>"));
  above.cur_z_abs = 2.4;
  EXPECT_EQ(0u, line_row(r).find("<tr  align=\"\">\n<td>2.5         </td>"));
  r.z_abs = 2.5;
  above.cur_z_abs = 2.5;
  EXPECT_EQ(0u, line_row(r).find("<tr  align=\"\">\n<td>2.5         </td>"));
}

TEST(LineRow, MarkerOnlyLine) {
  record r;
  r.z_abs = r.cur_z_abs = 1e-40;
  EXPECT_EQ(row("no line list", "", "", " ", " ", " ", " ", ""), line_row(r));
  r.rest_wv = -0.95;
  r.eq_width = 99990;
  EXPECT_EQ(row("no line list", "", "{ }", " ", " ", "N-10         ", " ", ""), line_row(r));
}

TEST(LineRow, ColoursAlternateAndTheCountAlwaysRises) {
  record r;
  row_indx = 0;
  color_interchange = 'y';
  cell_align = 'c';
  EXPECT_EQ(0u, line_row(r).find("<tr  bgcolor=\"white\" align=\"center\">\n"));
  EXPECT_EQ(0u, line_row(r).find("<tr  bgcolor=\"#c0c0c0\" align=\"center\">\n"));
  color_interchange = 'Y';
  EXPECT_EQ(0u, line_row(r).find("<tr  align=\"center\">\n"));
  EXPECT_EQ(3, row_indx);
  color_interchange = '\0';
  cell_align = '\0';
}

TEST(IntervalRow, AbsentAndSymbolValues) {
  cell_align = '\0';
  header_record e;
  e.wv_min = 3500;
  e.wv_max = 1e-20;
  e.resolution = -1;
  e.s_to_n = 1e-16;
  e.w_min_flag = 1;
  EXPECT_EQ(
      "<tr  align=\"\">\n<td>\n3500         - nd A </td>\n<td>\n A </td>\n"
      "<td>\nW<sub>min</sub> = + </td>\n</tr>\n",
      written([&](FILE* f) { e.html_header_record(f, 1); }));
  e.resolution = 45000;
  e.s_to_n = -1;
  e.w_min_flag = 0;
  EXPECT_EQ(
      "<tr  align=\"\">\n<td>\n3500         - nd A </td>\n<td>\nR = 45000        A </td>\n"
      "<td>\n</td>\n",
      written([&](FILE* f) { e.html_header_record(f, 0); }));
}

}  // namespace
