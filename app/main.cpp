// catalix: answers the query in absrp_query.frm against the catalogue
// absrp_sys_list.dat and writes the answer to results.html.

#include "catalogue/source.h"
#include "catalogue/messages.h"
#include "query/query_form.h"
#include "report/results_page.h"
#include "report/style.h"

int main() {
  init_style_variables();  // a missing style file leaves the defaults
  if (init_query_parameters() == 0) {
    messages::say("Query input error: file results.html has not been created\n");
    return 1;
  }
  input::source catalogue("absrp_sys_list.dat");
  if (!catalogue.is_open()) {
    messages::say("error of reading absrp_sys_list.dat\n");
    return 1;
  }
  return html_Query_Results(catalogue) == 0 ? 0 : 1;
}
