// The libFuzzer targets, one per input file, built from this source with
// CATALIX_FUZZ_catalogue, _query_form or _style defined, and one for
// catalix-check's reading of a catalogue (CATALIX_FUZZ_check).  Arbitrary
// bytes stand for that file; the page is then written (read twice, as the
// web program reads) with the other two inputs fixed and permissive.  A text
// field filled to its last byte, or a page cut short, is a finding.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "catalogue/arena.h"
#include "catalogue/catalogue.h"
#include "check/catalogue_checks.h"
#include "dump/show.h"
#include "query/query_form.h"
#include "report/rereading_page.h"
#include "report/style.h"
#include "table/line_table.h"

namespace {

[[maybe_unused]] FILE* stream_of(const uint8_t* bytes, std::size_t size) {
  // fmemopen refuses an empty buffer on some C libraries.
  FILE* file = size == 0 ? std::fopen("/dev/null", "rb")
                         : fmemopen(const_cast<uint8_t*>(bytes), size, "r");
  if (file == nullptr) std::abort();
  return file;
}

// At most 99 characters are kept: the last byte of a field stays NUL.
void check(const string& text) {
  // A text must end within its field: at most 99 characters are kept.
  if (strnlen(text.text, string::kCapacity) == string::kCapacity) std::abort();
}

[[maybe_unused]] void check_texts(const QSO_spectrum& spectrum) {
  check(spectrum.qso_name);
  check(spectrum.qso_label);
  for (const sub_record* system = &spectrum.first_sys; system; system = system->next) {
    check(system->sys_header.caption);
    for (const string* note = &system->sys_header.notes; note; note = note->next) check(*note);
    for (const record* line = &system->lines.first_record; line; line = line->next) {
      check(line->ion_name);
      check(line->cur_ion_name);
      check(line->remark);
    }
  }
}

FILE* sink() {
  static FILE* null = std::fopen("/dev/null", "w");
  return null;
}

[[maybe_unused]] void write_page(input::source& catalogue) {
  catalogue.seek(0);
  rereading_page page(catalogue);
  page.select();
  if (!page.write(sink())) std::abort();
}

[[maybe_unused]] const char kCatalogue[] =
    "! Q0105-3920$ UVES\n%\n3050 - 4980 A R = 45000 S/N = 35 $ z = 2.481 $ blue arm\n*a note\n"
    "4780 - 6800 A R = 45000 W min = 0.02 $\n%\n"
    "1.796200$FeII{2382.765} 6662.69 0.02 0.512 0.011 strong\n"
    "        $  {2600.173} 7270.60 0.02 0.447 0.012 carried\n"
    "        $CIV {1548.204} 4331.29 1e-16 1e-20 -1 <b>$x$</b>\n"
    "2.618000$DLA:  100020.35 log N\n2.700000$BAL        broad trough\n%*only a note\n%\n1e-40\n_\n"
    "! J0913+0715$ HIRES\n%\n3900 - 6200 A R = 1e-20 S/N = -1 $ z = 2.785 $ second\n%\n"
    "0.752000$MgII{2796.352} 4899.21 0.20 2.100 0.100 r\n0.752000$MgI{2852.964} 1e-80 not covered\n_\n#\n";

}  // namespace

#if defined(CATALIX_FUZZ_check)
// The checker reads a file by its name: every format, every code, no limit.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // In the temporary folder, not wherever the fuzzer was started.
  static const std::string name =
      (std::filesystem::temp_directory_path() / "catalix-check-fuzz-input.dat").string();
  const char* path = name.c_str();
  FILE* file = std::fopen(path, "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
  check_options options;
  options.file = path;
  options.max_repeat = 0;
  options.format = static_cast<output_format>(size % 3);
  line_index lines(path);
  reporter out(options, sink(), &lines);
  std::string error;
  if (!out.start(&error)) std::abort();
  out.finish(check_catalogue(path, out, options.limits));
  First_QSO_spectrum = QSO_spectrum();  // it points into the arena
  arena::release_all();
  return 0;
}
#else
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static bool started = false;
  if (!started) {
    started = std::freopen("/dev/null", "w", stdout) != nullptr;
  }
  // Every field starts afresh: a value that does not convert keeps the old.
  for (double* bound : {&min_resolution, &min_s_to_n, &min_z_abs, &min_rest_wv, &min_obs_wv,
                        &min_width, &min_col_dens}) *bound = -1e300;
  for (double* bound : {&max_resolution, &max_s_to_n, &max_z_abs, &max_rest_wv, &max_obs_wv,
                        &max_width, &max_col_dens}) *bound = 1e300;
  query_ion_name = string("All");
  border = 1, width = 90, height = 10;
  color_interchange = 'y', header_align = 'c', cell_align = 'c';
  // Small blocks for some inputs, so that blocks end inside their fields.
  input::source file(stream_of(data, size), size % 3 == 0 ? 7 : input::source::kBlock);
#if defined(CATALIX_FUZZ_catalogue)
  Read_Data_Base(file, [](QSO_spectrum& spectrum) {
    check_texts(spectrum);
    Show_Data_Base();
  });
  write_page(file);
  file.seek(0);
  write_line_table(file, sink(), size % 2 == 0 ? table_format::votable : table_format::csv);
  // The table cut to a few rows, read twice.
  file.seek(0);
  limited_line_table cut(file, static_cast<long long>(size % 4));
  cut.count();
  cut.write(sink(), size % 2 == 0 ? table_format::tsv : table_format::votable);
  First_QSO_spectrum = QSO_spectrum();  // it points into the arena
  arena::release_all();
#else
#if defined(CATALIX_FUZZ_query_form)
  query_ion_name = string();
  read_query_form(file);
  check(query_ion_name);
  Show_query_parameters();
#else
  read_style_settings(file);
#endif
  static input::source fixed(
      stream_of(reinterpret_cast<const uint8_t*>(kCatalogue), sizeof kCatalogue - 1));
  write_page(fixed);
#endif
  return 0;
}
#endif
