// The line table as a VOTable 1.3 document in UTF-8, shaped as a DALI
// service's answer: one RESOURCE of type "results" whose QUERY_STATUS comes
// before the table.

#include <cstdio>
#include <string>
#include <string_view>

#include "query/field_table.h"
#include "query/query_form.h"
#include "table/table_writer.h"
#include "text/escaping.h"

namespace {

class votable_writer : public table_writer {
 public:
  explicit votable_writer(FILE* out) : out_(out) {}

  void begin(bool overflow) override {
    put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<VOTABLE version=\"1.3\" xmlns=\"http://www.ivoa.net/xml/VOTable/v1.3\">\n"
        "<RESOURCE type=\"results\">\n"
        "<DESCRIPTION>Absorption lines of the catalogue that answer the query</DESCRIPTION>\n");
    // Before the table, where clients look for it first.
    put(overflow ? "<INFO name=\"QUERY_STATUS\" value=\"OVERFLOW\">The table stops at its limit "
                   "of rows (MAXREC)</INFO>\n"
                 : "<INFO name=\"QUERY_STATUS\" value=\"OK\"/>\n");
    for (const query_field& field : kQueryField) {
      put("<PARAM name=\"");
      put(field.param);
      if (field.bound != nullptr) {
        put("\" datatype=\"double\" value=\"");
        put(shortest_number(*field.bound));
      } else {
        put("\" datatype=\"unicodeChar\" arraysize=\"*\" value=\"");
        put_escaped(query_ion_name.text);
      }
      put_unit(field.unit);
      put("\" ucd=\"");
      put(field.ucd);
      put("\"/>\n");
    }
    put("<TABLE name=\"lines\">\n");
    for (const line_column& c : kLineColumn) {
      put("<FIELD name=\"");
      put(c.name);
      put("\" datatype=\"");
      put(c.datatype);
      if (std::string_view(c.datatype) == "unicodeChar") put("\" arraysize=\"*");
      put_unit(c.unit);
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

  void end(int selected_spectra, int all_spectra, const char* error) override {
    put("</TABLEDATA></DATA>\n</TABLE>\n");
    if (error != nullptr) {
      put("<INFO name=\"QUERY_STATUS\" value=\"ERROR\">");
      put_escaped(error);
      put("</INFO>\n");
    }
    put("<INFO name=\"selected_spectra\" value=\"");
    put(std::to_string(selected_spectra));
    put("\">Spectra with a selected system</INFO>\n");
    put("<INFO name=\"all_spectra\" value=\"");
    put(std::to_string(all_spectra));
    put("\">Spectra in the catalogue</INFO>\n");
    put("</RESOURCE>\n</VOTABLE>\n");
  }

  // A document that gives an error alone.
  void error_document(std::string_view why) {
    put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<VOTABLE version=\"1.3\" xmlns=\"http://www.ivoa.net/xml/VOTable/v1.3\">\n"
        "<RESOURCE type=\"results\">\n"
        "<INFO name=\"QUERY_STATUS\" value=\"ERROR\">");
    put_escaped(why);
    put("</INFO>\n</RESOURCE>\n</VOTABLE>\n");
  }

 private:
  void put(std::string_view text) { std::fwrite(text.data(), 1, text.size(), out_); }

  // Inside an element's attributes: none where `unit` is empty.
  void put_unit(std::string_view unit) {
    if (unit.empty()) return;
    put("\" unit=\"");
    put(unit);
  }

  // Escaped for element text and attribute values alike: the line ends and
  // tab as references, or a parser would turn them into blanks.
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

void write_error_votable(FILE* out, std::string_view why) { votable_writer(out).error_document(why); }
