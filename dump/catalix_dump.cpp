// catalix-dump: shows what the program reads, for catalogue maintainers.
//   catalix-dump         the catalogue absrp_sys_list.dat as read
//   catalix-dump query   the query form absrp_query.frm as read

#include <cstdio>
#include <cstring>

#include "catalogue/catalogue.h"
#include "catalogue/input.h"
#include "query/query_form.h"

namespace {

int dump_catalogue() {
  FILE* catalogue = input::open("absrp_sys_list.dat");
  if (catalogue == nullptr) {
    std::printf("error of reading absrp_sys_list.dat\n");
    return 1;
  }
  Read_Data_Base(catalogue);
  Show_Data_Base();
  return 0;
}

int dump_query() {
  if (init_query_parameters() == 0) return 1;
  Show_query_parameters();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) return dump_catalogue();
  if (argc == 2 && std::strcmp(argv[1], "query") == 0) return dump_query();
  std::fprintf(stderr, "usage: catalix-dump [query]\n");
  return 2;
}
