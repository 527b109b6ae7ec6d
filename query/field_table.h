#ifndef CATALIX_QUERY_FIELD_TABLE_H_
#define CATALIX_QUERY_FIELD_TABLE_H_

// The fifteen values of the query, described once, in the order of the form
// file: the form file's reader, the dump, the page's summary, the web
// form's fields and labels (site/query.body.html is checked against this
// table), the tables' PARAMs and the DALI parameters all take them from
// here.

#include <string>

// A lower bound is always followed by the upper bound of its interval.
enum class field_role { lower, upper, name };

struct query_field {
  const char* name;      // in the web form and its links: "min_z_abs"
  field_role role;
  const char* quantity;  // the form's words for it: "Absorption redshift"
  const char* dali;      // the DALI parameter of the interval (or the name)
  const char* param;     // the VOTable PARAM that gives it: "zmin"
  const char* unit;      // VOTable 1.3 unit syntax; empty for none
  const char* ucd;       // UCD1+: "src.redshift;stat.min"
  double* bound;         // its query global; null for query_ion_name
};

const int kQueryFields = 15;
extern const query_field kQueryField[kQueryFields];

// The form's label of a field: "Absorption redshift, lower bound"; the
// name's is its quantity, "Ion name or system type".
std::string field_label(const query_field& field);

#endif  // CATALIX_QUERY_FIELD_TABLE_H_
