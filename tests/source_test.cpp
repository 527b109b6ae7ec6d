// The reader of our own gives the same catalogue, form and style whatever
// the size of its blocks (a field that spans a block's end is read as one
// that does not), and whether or not a listener hears it.  Every input of
// the end-to-end cases (their own and the shared ones) and of the fuzz
// corpus, in blocks of one byte up to the default.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "query/query_form.h"
#include "report/style.h"

namespace {

std::string number(double x) {
  char text[40];
  std::snprintf(text, sizeof text, "%a|", x);
  return text;
}

std::string text(const string& s) { return std::string(s.text) + "|"; }

// Every field read, in file order.
std::string everything(const QSO_spectrum& q) {
  std::string out = text(q.qso_name) + text(q.qso_label);
  for (const sub_record* y = &q.first_sys; y != nullptr; y = y->next) {
    const header& h = y->sys_header;
    for (const header_record* e = &h.first_entry; e != nullptr; e = e->next) {
      out += number(e->wv_min) + number(e->wv_max) + number(e->resolution) + number(e->s_to_n) +
             std::to_string(e->w_min_flag);
    }
    out += number(h.z_em) + text(h.caption);
    for (const string* note = &h.notes; note != nullptr; note = note->next) out += text(*note);
    for (const record* r = &y->lines.first_record; r != nullptr; r = r->next) {
      out += number(r->z_abs) + number(r->cur_z_abs) + text(r->ion_name) + text(r->cur_ion_name) +
             number(r->rest_wv) + number(r->obs_wv) + number(r->obs_wv_err) +
             number(r->eq_width) + number(r->eq_width_err) + text(r->remark);
    }
  }
  return out + "\n";
}

// Hears everything and changes nothing, as catalix-check's listener must.
struct deaf : input::listener {
  void filled(long long, const unsigned char*, unsigned long) override {}
  void read(input::piece, long long, long long, int) override {}
};

// What a file reads as, with the messages said, in blocks of `block`.
std::string read_as(const std::filesystem::path& path, std::size_t block, bool heard = false) {
  FILE* said = std::tmpfile();
  messages::stream = said;
  input::source in(path.string().c_str(), block);
  deaf listener;
  if (heard) in.listen(&listener);
  std::string out;
  const std::string name = path.filename().string(), kind = path.extension().string();
  if (name == "absrp_query.frm" || kind == ".frm") {
    read_query_form(in);
    for (double x : {min_resolution, max_resolution, min_s_to_n, max_s_to_n, min_z_abs, max_z_abs,
                     min_rest_wv, max_rest_wv, min_obs_wv, max_obs_wv, min_width, max_width,
                     min_col_dens, max_col_dens}) out += number(x);
    out += text(query_ion_name);
  } else if (name == "style.var" || kind == ".var") {
    read_style_settings(in);
    out = std::to_string(border) + "|" + std::to_string(width) + "|" + std::to_string(height) +
          "|" + color_interchange + header_align + cell_align;
  } else {
    Read_Data_Base(in, [&](QSO_spectrum& q) { out += everything(q); });
  }
  out += "@" + std::to_string(in.offset()) + "\n";
  std::rewind(said);
  for (int c; (c = std::fgetc(said)) != EOF;) out += static_cast<char>(c);
  std::fclose(said);
  messages::stream = stdout;
  return out;
}

TEST(Source, FieldsAcrossBlockEnds) {
  namespace fs = std::filesystem;
  const fs::path root = CATALIX_SOURCE_DIR;
  int files = 0;
  for (const fs::path& dir : {root / "tests/e2e", root / "tests/catalogues", root / "tests/forms",
                              root / "tests/styles", root / "fuzz/corpus"}) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
      const fs::path& path = entry.path();
      const std::string name = path.filename().string();
      const bool input = name == "absrp_sys_list.dat" || name == "absrp_query.frm" ||
                         name == "style.var" || dir.filename() != "e2e";
      if (!entry.is_regular_file() || !input || entry.file_size() > (1 << 20)) continue;
      ++files;
      const std::string whole = read_as(path, input::source::kBlock);
      for (std::size_t block : {1, 2, 3, 5, 8, 13, 39, 40, 41, 64, 1000}) {
        ASSERT_EQ(whole, read_as(path, block)) << path << " in blocks of " << block;
      }
      ASSERT_EQ(whole, read_as(path, input::source::kBlock, true)) << path << " with a listener";
    }
  }
  EXPECT_GT(files, 100);
}

}  // namespace
