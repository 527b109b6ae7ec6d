// catalix-table: answers the query in absrp_query.frm against the catalogue
// absrp_sys_list.dat, as catalix does, and writes the selected lines to
// standard output as a VOTable, as CSV or as tab-separated values.  Standard output holds the table
// alone, so the messages go to standard error.

#include <cstdio>
#include <cstring>

#include "app/command_line.h"
#include "catalogue/source.h"
#include "catalogue/messages.h"
#include "query/query_form.h"
#include "table/line_table.h"

namespace {

const program_usage usage = {
    "catalix-table", "[votable|csv|tsv]",
    "Answers the query absrp_query.frm against the catalogue absrp_sys_list.dat\n"
    "in the current directory and writes the selected lines to standard output:\n"
    "  votable    as a VOTable 1.3 (the default)\n"
    "  csv        as CSV\n"
    "  tsv        as tab-separated values\n"};

}  // namespace

int main(int argc, char** argv) {
  if (const int answered = answer_help_or_version(argc, argv, usage); answered >= 0) return answered;
  table_format format = table_format::votable;
  if (argc == 2 && std::strcmp(argv[1], "csv") == 0) {
    format = table_format::csv;
  } else if (argc == 2 && std::strcmp(argv[1], "tsv") == 0) {
    format = table_format::tsv;
  } else if (argc > 2 || (argc == 2 && std::strcmp(argv[1], "votable") != 0)) {
    return refuse_arguments(usage);
  }
  messages::stream = stderr;
  if (init_query_parameters() == 0) {
    messages::say("Query input error: file results.html has not been created\n");
    return 1;
  }
  input::source catalogue("absrp_sys_list.dat");
  if (!catalogue.is_open()) {
    messages::say("error of reading absrp_sys_list.dat\n");
    return 1;
  }
  if (write_line_table(catalogue, stdout, format) != 0) {
    std::fputs("catalix-table: error of writing the table\n", stderr);
    return 1;
  }
  return 0;
}
