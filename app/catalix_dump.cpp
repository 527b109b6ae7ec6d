// catalix-dump: shows what the program reads, for catalogue maintainers.
//   catalix-dump         the catalogue absrp_sys_list.dat as read
//   catalix-dump query   the query form absrp_query.frm as read

#include <cstdio>
#include <cstring>

#include "app/command_line.h"
#include "catalogue/catalogue.h"
#include "catalogue/source.h"
#include "catalogue/messages.h"
#include "dump/show.h"
#include "query/query_form.h"

namespace {

const program_usage usage = {
    "catalix-dump", "[query]",
    "Writes to standard output what catalix reads in the current directory:\n"
    "  (none)     the catalogue absrp_sys_list.dat\n"
    "  query      the query form absrp_query.frm\n"};

// The reader's warnings come before the dump, all of them, as the reader
// meets them; so the catalogue is read once for them and once more, silently,
// for the dump, a spectrum at a time.
int dump_catalogue() {
  input::source catalogue("absrp_sys_list.dat");
  if (!catalogue.is_open()) {
    messages::say("error of reading absrp_sys_list.dat\n");
    return 1;
  }
  const int spectra = Read_Data_Base(catalogue, [](QSO_spectrum&) {});
  if (!catalogue.seek(0)) return 1;
  const messages::quiet_reading quiet;
  const int dumped = Read_Data_Base(catalogue, [](QSO_spectrum&) { Show_Data_Base(); });
  std::fflush(stdout);
  if (dumped != spectra) {
    std::fputs("catalix-dump: the catalogue changed while it was read\n", stderr);
    return 1;
  }
  return 0;
}

int dump_query() {
  if (init_query_parameters() == 0) return 1;
  Show_query_parameters();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int answered = answer_help_or_version(argc, argv, usage); answered >= 0) return answered;
  if (argc == 1) return dump_catalogue();
  if (argc == 2 && std::strcmp(argv[1], "query") == 0) return dump_query();
  return refuse_arguments(usage);
}
