// The line table as a VOTable 1.3 document in UTF-8.  Version 1.3 because
// its unit syntax has the decimal logarithm of a unit ("[cm-2]"), which
// log N needs and the unit syntax of 1.4 lacks.

#include <cstdio>
#include <string>
#include <string_view>

#include "query/query_form.h"
#include "table/table_writer.h"
#include "text/escaping.h"

namespace {

// A query value of the form: its name there, unit and UCD.
struct query_parameter {
  const char* name;
  const char* unit;
  const char* ucd;
  const double* value;  // null for the ion name
};

const query_parameter kQuery[] = {
    {"Rmin", "---", "spect.resolution;stat.min", &min_resolution},
    {"Rmax", "---", "spect.resolution;stat.max", &max_resolution},
    {"SNmin", "---", "stat.snr;stat.min", &min_s_to_n},
    {"SNmax", "---", "stat.snr;stat.max", &max_s_to_n},
    {"zmin", "---", "src.redshift;stat.min", &min_z_abs},
    {"zmax", "---", "src.redshift;stat.max", &max_z_abs},
    {"ion", "---", "phys.atmol.ionStage", nullptr},
    {"lab_min", "Angstrom", "em.wl;phys.atmol.transition;stat.min", &min_rest_wv},
    {"lab_max", "Angstrom", "em.wl;phys.atmol.transition;stat.max", &max_rest_wv},
    {"obs_min", "Angstrom", "em.wl;stat.min", &min_obs_wv},
    {"obs_max", "Angstrom", "em.wl;stat.max", &max_obs_wv},
    {"Wmin", "Angstrom", "spect.line.eqWidth;stat.min", &min_width},
    {"Wmax", "Angstrom", "spect.line.eqWidth;stat.max", &max_width},
    {"Nmin", "[cm-2]", "phys.columnDensity;stat.min", &min_col_dens},
    {"Nmax", "[cm-2]", "phys.columnDensity;stat.max", &max_col_dens},
};

class votable_writer : public table_writer {
 public:
  explicit votable_writer(FILE* out) : out_(out) {}

  void begin() override {
    put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<VOTABLE version=\"1.3\" xmlns=\"http://www.ivoa.net/xml/VOTable/v1.3\">\n"
        "<RESOURCE type=\"results\">\n"
        "<DESCRIPTION>Absorption lines of the catalogue that answer the query</DESCRIPTION>\n");
    for (const query_parameter& p : kQuery) {
      put("<PARAM name=\"");
      put(p.name);
      if (p.value != nullptr) {
        put("\" datatype=\"double\" value=\"");
        put(shortest_number(*p.value));
      } else {
        put("\" datatype=\"unicodeChar\" arraysize=\"*\" value=\"");
        put_escaped(query_ion_name.text);
      }
      put("\" unit=\"");
      put(p.unit);
      put("\" ucd=\"");
      put(p.ucd);
      put("\"/>\n");
    }
    put("<TABLE name=\"lines\">\n");
    for (const line_column& c : kLineColumn) {
      put("<FIELD name=\"");
      put(c.name);
      put("\" datatype=\"");
      put(c.datatype);
      if (std::string_view(c.datatype) == "unicodeChar") put("\" arraysize=\"*");
      put("\" unit=\"");
      put(c.unit);
      put("\" ucd=\"");
      put(c.ucd);
      put("\"><DESCRIPTION>");
      put_escaped(c.description);
      put("</DESCRIPTION></FIELD>\n");
    }
    put("<DATA><TABLEDATA>\n");
  }

  void row(const line_row& row) override {
    put("<TR>");
    for (const line_cell& cell : row.cells) {
      put("<TD>");
      if (!cell.null) put_escaped(cell.text);
      put("</TD>");
    }
    put("</TR>\n");
  }

  void end(int selected_spectra, int all_spectra) override {
    put("</TABLEDATA></DATA>\n</TABLE>\n");
    put("<INFO name=\"selected_spectra\" value=\"");
    put(std::to_string(selected_spectra));
    put("\">Spectra with a selected system</INFO>\n");
    put("<INFO name=\"all_spectra\" value=\"");
    put(std::to_string(all_spectra));
    put("\">Spectra in the catalogue</INFO>\n");
    put("</RESOURCE>\n</VOTABLE>\n");
  }

 private:
  void put(std::string_view text) { std::fwrite(text.data(), 1, text.size(), out_); }

  // Element text and attribute values alike.
  void put_escaped(std::string_view text) {
    escaped_.clear();
    escaping::append_xml(&escaped_, text);
    put(escaped_);
  }

  FILE* out_;
  std::string escaped_;
};

}  // namespace

std::unique_ptr<table_writer> make_votable_writer(FILE* out) {
  return std::make_unique<votable_writer>(out);
}
