// The query form, the name comparison, the line and interval tests and the
// selection pass.

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "dump/show.h"
#include "query/query_form.h"
#include "query/selection.h"
#include "test_support.h"

namespace {

std::string read_form(const std::string& text) {
  query_ion_name = string();
  for (double* bound : {&min_resolution, &max_resolution, &min_s_to_n, &max_s_to_n,
                        &min_z_abs, &max_z_abs, &min_rest_wv, &max_rest_wv,
                        &min_obs_wv, &max_obs_wv, &min_width, &max_width,
                        &min_col_dens, &max_col_dens}) {
    *bound = 0.0;
  }
  FILE* file = test::stream_of(text);
  std::string warnings = test::stdout_of([&] { read_query_form(file); });
  std::fclose(file);
  return warnings;
}

const char kForm[] =
    "Rmin = 0\nRmax = 100000\nSNmin = 0\nSNmax = 1000\nzmin = 1.5\nzmax = 3\n"
    "ion =FeII \nlab_min = 0\nlab_max = 3000\nobs_min = 0\nobs_max = 10000\n"
    "Wmin = 0\nWmax = 5\nNmin = 12\nNmax = 22\n";

TEST(QueryForm, FifteenFieldsInOrder) {
  EXPECT_EQ("", read_form(kForm));
  EXPECT_EQ(100000, max_resolution);
  EXPECT_EQ(1000, max_s_to_n);
  EXPECT_EQ(1.5, min_z_abs);
  EXPECT_EQ(3, max_z_abs);
  EXPECT_STREQ("FeII ", query_ion_name.text);
  EXPECT_EQ(3000, max_rest_wv);
  EXPECT_EQ(10000, max_obs_wv);
  EXPECT_EQ(5, max_width);
  EXPECT_EQ(12, min_col_dens);
  EXPECT_EQ(22, max_col_dens);
}

TEST(QueryForm, LabelsUnitsAndNumberForms) {
  read_form(
      "resolution from = 1.5 Angstrom\nto= 1e5\n\n comment =100000.0\n=-2\n= .5e1\n=+7\n"
      "= All lines\r\n=0=1=2=3=4=5=6=7");
  EXPECT_EQ(1.5, min_resolution);
  EXPECT_EQ(100000, max_resolution);
  EXPECT_EQ(100000, min_s_to_n);
  EXPECT_EQ(-2, max_s_to_n);
  EXPECT_EQ(5, min_z_abs);
  EXPECT_EQ(7, max_z_abs);
  EXPECT_STREQ(" All lines\r", query_ion_name.text);
  EXPECT_EQ(7, max_col_dens);
}

TEST(QueryForm, CarriageReturnsStayInTheNameOnly) {
  read_form("=1\r\n=2\r\n=3\r\n=4\r\n=5\r\n=6\r\n=CIV\r\n=8\r\n=9\r\n=10\r\n=11\r\n"
            "=12\r\n=13\r\n=14\r\n=15\r\n");
  EXPECT_EQ(6, max_z_abs);
  EXPECT_STREQ("CIV\r", query_ion_name.text);
  EXPECT_EQ(8, min_rest_wv);
  EXPECT_EQ(15, max_col_dens);
}

TEST(QueryForm, FourteenEqualsSignsLeaveTheLastBoundAtZero) {
  std::string form(kForm);
  form = form.substr(0, form.rfind('='));
  EXPECT_EQ("file read message: stop_signal '=' lost\n", read_form(form));
  EXPECT_EQ(12, min_col_dens);
  EXPECT_EQ(0, max_col_dens);
}

TEST(QueryForm, FormEndingInsideTheNameLine) {
  std::string warnings = read_form("=1=2=3=4=5=6=CIV");
  EXPECT_STREQ("CIV", query_ion_name.text);
  std::string eight_lost;
  for (int i = 0; i < 8; ++i) eight_lost += "file read message: stop_signal '=' lost\n";
  EXPECT_EQ(eight_lost, warnings);
}

TEST(QueryForm, FailedNumberSkipsNoWhiteSpace) {
  // "x" fails; the next '=' search passes over it.
  read_form("=x =2 =3 =4 =5 =6 =n\n=8");
  EXPECT_EQ(0, min_resolution);
  EXPECT_EQ(2, max_resolution);
  EXPECT_EQ(8, min_rest_wv);
}

TEST(QueryForm, LongNameIsCutTo99) {
  read_form("=1=2=3=4=5=6=" + std::string(150, 'N') + "\n=8");
  EXPECT_EQ(std::string(99, 'N'), query_ion_name.text);
  EXPECT_EQ(8, min_rest_wv);
}

TEST(QueryForm, ShowWritesOneValuePerLine) {
  read_form(kForm);
  EXPECT_EQ(
      "0           \n100000      \n0           \n1000        \n1.5         \n3           \n"
      "FeII \n"
      "0           \n3000        \n0           \n10000       \n0           \n5           \n"
      "12          \n22          \n",
      test::stdout_of([] { Show_query_parameters(); }));
}

// The name comparison: query names against line names.
int name_match(const char* query, const char* line) {
  query_ion_name = string();
  FILE* f = test::stream_of(std::string(query) + "\n");
  query_ion_name.Read_string(f, '\n');
  std::fclose(f);
  record r;
  r.cur_ion_name = string(line);
  return r.ion_name_comparison();
}

TEST(NameComparison, Table) {
  const char* lines[] = {"CIV", "CIV  ", "CIV x", "CIVx", "CI", "C", "", "CIV\n"};
  struct Row {
    const char* query;
    std::vector<int> expected;  // one per line name above
  };
  const Row rows[] = {
      {"CIV ", {1, 1, 1, 0, 0, 0, 0, 1}},
      {"CIV\r", {0, 1, 1, 0, 0, 0, 0, 1}},
      {"CIV", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"All", {1, 1, 1, 1, 1, 1, 1, 1}},
      {"Allx", {1, 1, 1, 1, 1, 1, 1, 1}},
      {"all", {0, 0, 0, 0, 0, 0, 0, 0}},
      {" All", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"", {0, 0, 0, 0, 0, 0, 1, 0}},
      {"C", {0, 0, 0, 0, 0, 1, 0, 0}},
      {"C ", {0, 0, 0, 0, 0, 1, 0, 0}},
      {"C IV ", {0, 0, 0, 0, 0, 1, 0, 0}},
  };
  for (const Row& row : rows) {
    for (std::size_t i = 0; i < row.expected.size(); ++i) {
      EXPECT_EQ(row.expected[i], name_match(row.query, lines[i]))
          << "query \"" << row.query << "\" line \"" << lines[i] << "\"";
    }
  }
}

TEST(NameComparison, EightOrMoreCharactersCompareSeven) {
  EXPECT_EQ(1, name_match("FeIIabcXYZ", "FeIIabcQ"));
  EXPECT_EQ(0, name_match("FeIIabcXYZ", "FeIIabc"));
  EXPECT_EQ(0, name_match("FeIIabdXYZ", "FeIIabcQ"));
}

TEST(NameComparison, QueryEndsAtItsFirstNul) {
  query_ion_name = string("C");
  query_ion_name.text[2] = 'X';  // bytes after the NUL do not count
  record r;
  r.cur_ion_name = string("C");
  EXPECT_EQ(1, r.ion_name_comparison());
}

void set_bounds(double lo, double hi) {
  min_z_abs = min_rest_wv = min_obs_wv = min_width = min_col_dens = lo;
  max_z_abs = max_rest_wv = max_obs_wv = max_width = max_col_dens = hi;
}

record line(double z, double rest, double obs, double width) {
  record r;
  r.cur_z_abs = z;
  r.cur_ion_name = string("CIV");
  r.rest_wv = rest;
  r.obs_wv = obs;
  r.eq_width = width;
  return r;
}

TEST(LineTest, MatchValueIsTheProductOfFiveFactors) {
  query_ion_name = string("All");
  set_bounds(0, 5000);
  EXPECT_EQ(1, line(2, 1548, 4000, 0.5).characteristic());
  EXPECT_EQ(3, line(2, 1548, 1e-16, 0.5).characteristic());  // 1 + code 2
  EXPECT_EQ(0, line(2, 1548, 6000, 0.5).characteristic());
  // Absent values and markers never exclude a line.
  EXPECT_EQ(1, line(2, -1, -1, -1).characteristic());
  EXPECT_EQ(5, line(2, 1e-40, 4000, 0.5).characteristic());  // inside, and code 4
  set_bounds(10, 1);  // min above max
  EXPECT_EQ(0, line(2, -1, -1, -1).characteristic());
  EXPECT_EQ(4, line(1e-40, -1, -1, -1).characteristic());
  record r = line(2, 1548, 4000, 0.5);
  set_bounds(0, 5000);
  r.characteristic();
  EXPECT_EQ(1, r.selected);
  query_ion_name = string("SiIV ");
  EXPECT_EQ(0, r.characteristic());
  EXPECT_EQ(0, r.selected);
}

TEST(LineTest, WidthAndColumnDensitySplit) {
  auto passes = [](double w) { return line(0, 0, 0, w).eq_width_and_column_comparison(); };
  min_width = 0;
  max_width = 1;
  min_col_dens = 20;
  max_col_dens = 21;
  EXPECT_EQ(1, passes(0.5));
  EXPECT_EQ(1, passes(1));
  EXPECT_EQ(0, passes(1.5));
  EXPECT_EQ(1, passes(1000));
  EXPECT_EQ(1, passes(99989.9));
  EXPECT_EQ(0, passes(99990));  // log N -10
  EXPECT_EQ(1, passes(100020.3));
  min_col_dens = 21;
  max_col_dens = 22;
  EXPECT_EQ(0, passes(100020.3));
}

TEST(LineTest, DampedLineMatchesByColumnDensity) {
  query_ion_name = string("DLA ");
  set_bounds(0, 0);
  min_z_abs = 2;
  max_z_abs = 3;
  min_col_dens = 20;
  max_col_dens = 21;
  record r = line(2.3, -1, -1, 100020.3);
  r.cur_ion_name = string("DLA");
  EXPECT_EQ(1, r.characteristic());
}

header_record interval(double resolution, double s_to_n, int w_min) {
  header_record e;
  e.resolution = resolution;
  e.s_to_n = s_to_n;
  e.w_min_flag = w_min;
  return e;
}

TEST(IntervalTest, LowerBoundsAlwaysApply) {
  min_resolution = 0;
  max_resolution = 1000;
  min_s_to_n = 0;
  max_s_to_n = 10;
  EXPECT_EQ(1, interval(500, 5, 0).characteristic());
  EXPECT_EQ(0, interval(-1, 5, 0).characteristic());
  EXPECT_EQ(1, interval(1e-20, 5, 0).characteristic());
  EXPECT_EQ(0, interval(5000, 5, 0).characteristic());
  EXPECT_EQ(1, interval(500, 1e-16, 0).characteristic());
  min_resolution = -1;
  EXPECT_EQ(1, interval(-1, 5, 0).characteristic());
  min_resolution = 1e-19;
  EXPECT_EQ(0, interval(1e-20, 5, 0).characteristic());
}

TEST(IntervalTest, MinimumWidthIsHeldAgainstTheLowerBoundOnly) {
  min_resolution = 0;
  max_resolution = 1e9;
  min_s_to_n = 0;
  max_s_to_n = 10;
  EXPECT_EQ(1, interval(1, 0.05, 1).characteristic());
  max_s_to_n = 0.01;
  EXPECT_EQ(1, interval(1, 0.05, 1).characteristic());
  EXPECT_EQ(0, interval(1, 0.05, 0).characteristic());
  min_s_to_n = 0.1;
  max_s_to_n = 10;
  EXPECT_EQ(0, interval(1, 0.05, 1).characteristic());
}

// The selection over small catalogues; the last spectrum stays in memory.
void read_catalogue(const std::string& text) {
  FILE* file = test::stream_of(text);
  test::stdout_of([&] { Read_Data_Base(file, [](QSO_spectrum&) {}); });
  std::fclose(file);
}

// Selects spectrum by spectrum as the program does; returns the names of
// the selected spectra.
std::string select_catalogue(const std::string& text) {
  std::string names;
  start_result_list();
  FILE* file = test::stream_of(text);
  test::stdout_of([&] {
    Read_Data_Base(file, [&](QSO_spectrum&) {
      result_list_generator();
      if (First_selected_QSO != nullptr) names += First_selected_QSO->qso_name.text;
    });
  });
  std::fclose(file);
  return names;
}

void permissive_query() {
  read_form("=0=1e9=0=1e9=0=10=All\n=0=1e9=0=1e9=0=10=0=30");
}

const char kHeader[] = "%\n1000 - 9000 A R = 40000 S/N = 20 $ z = 3 $ c\n%\n";

TEST(Selection, LinesOneTwoAndFourOfFive) {
  read_catalogue(std::string("!Q$ L\n") + kHeader +
                 "2$CIV{1548.2} 4644.6 0.1 0.5 0.05\n"
                 "2$CIV{1550.8} 4652.3 0.1 0.4 0.05\n"
                 "2$CIV{1550.8} 4652.3 0.1 50 0.05\n"
                 "2$CIV{1550.8} 4652.3 0.1 0.3 0.05\n"
                 "2$CIV{1550.8} 4652.3 0.1 60 0.05\n_\n#");
  permissive_query();
  start_result_list();
  EXPECT_EQ(5, result_list_generator());
  const record_group& lines = First_QSO_spectrum.first_sys.lines;
  const record* l1 = &lines.first_record;
  const record* l2 = l1->next;
  const record* l4 = l2->next->next;
  EXPECT_EQ(l1, lines.first_selected);
  EXPECT_EQ(l2, l1->next_selected);
  EXPECT_EQ(l4, l2->next_selected);
  EXPECT_EQ(nullptr, l4->next_selected);
  EXPECT_EQ(l2, l4->prev_selected);
  EXPECT_EQ(l1, l2->prev_selected);
  EXPECT_EQ(nullptr, l1->prev_selected);
  EXPECT_EQ(&First_QSO_spectrum, First_selected_QSO);
  EXPECT_EQ(1, number_of_Selected_QSO);
  EXPECT_EQ(1, total_number_of_QSO);

  // A second pass gives the same lists.
  start_result_list();
  EXPECT_EQ(5, result_list_generator());
  EXPECT_EQ(l4, l2->next_selected);
  EXPECT_EQ(nullptr, l4->next_selected);
  EXPECT_EQ(1, number_of_Selected_QSO);
}

TEST(Selection, SystemNeedsAMatchingIntervalAndLine) {
  read_catalogue(
      "!Q$ L\n%\n1000 - 9000 A R = 5 S/N = 20 $ z = 3 $ c\n%\n"
      "2$CIV{1548.2} 4644.6 0.1 0.5 0.05\n_\n#");
  permissive_query();
  min_resolution = 10;
  start_result_list();
  result_list_generator();
  const sub_record& system = First_QSO_spectrum.first_sys;
  EXPECT_EQ(nullptr, First_QSO_spectrum.first_selected);
  EXPECT_EQ(nullptr, First_selected_QSO);
  EXPECT_EQ(0, number_of_Selected_QSO);
  EXPECT_EQ(1, total_number_of_QSO);
  EXPECT_EQ(nullptr, system.sys_header.first_selected);
  EXPECT_EQ(&system.lines.first_record, system.lines.first_selected);
}

TEST(Selection, OnlyTheSecondOfThreeSpectra) {
  const std::string no_match = std::string(kHeader) + "2$SiIV{1393.76} 4181.3 0.1 0.5 0.05\n_\n";
  const std::string match = std::string(kHeader) + "2$CIV{1548.2} 4644.6 0.1 0.5 0.05\n_\n";
  const std::string catalogue = "!A$ a\n" + no_match + "!B$ b\n" + match + "!C$ c\n" + no_match + "#";
  permissive_query();
  query_ion_name = string("CIV ");
  EXPECT_EQ("B", select_catalogue(catalogue));
  EXPECT_EQ(3, total_number_of_QSO);
  EXPECT_EQ(1, number_of_Selected_QSO);

  query_ion_name = string("MgII ");
  EXPECT_EQ("", select_catalogue(catalogue));
  EXPECT_EQ(0, number_of_Selected_QSO);
  EXPECT_EQ(3, total_number_of_QSO);
}

}  // namespace
