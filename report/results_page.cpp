#include "report/results_page.h"

#include <cstdio>
#include <string>

#include "catalogue/catalogue.h"
#include "report/output.h"
#include "query/field_table.h"
#include "query/query_form.h"
#include "report/identity.h"
#include "report/number_format.h"
#include "report/style.h"
#include "text/escaping.h"

namespace {

using output::put;

void write_author(FILE* out, const char* before, const char* email, const char* name,
                  const char* after) {
  put(out, before);
  put(out, "<a href=\"mailto:");
  put(out, email);
  put(out, "\">");
  put(out, name);
  put(out, "</a>");
  put(out, after);
}

void write_page_top(FILE* out) {
  put(out, "<html>\n");
  put(out, "<head>\n");
  put(out, "<title>Query Results</title>\n");
  put(out, "</head>\n");
  put(out, "<body>\n");
  put(out, "<font color=\"#008080\">");
  put(out, "<h2>Tarvo: A catalogue of absorption-line systems in QSO's spectra<br></h2>\n");
  put(out, "</font>");
  write_author(out, "<h3>", identity::kAuthor1Email, identity::kAuthor1Name, ",\n");
  write_author(out, "", identity::kAuthor2Email, identity::kAuthor2Name, ",\n");
  write_author(out, "", identity::kAuthor3Email, identity::kAuthor3Name, "</h3>\n");
  put(out, "<font color=\"#008080\">");
  put(out, "<h3>");
  put(out, identity::kInstitute);
  put(out, ", 2006</h3>\n");
  put(out, "<h4>Table 2. Beta-version 1.0</h4>\n");
  put(out, "</font>\n");
}

void write_menu(FILE* out) {
  put(out, "<ul>");
  put(out, "<li><a href=\"introduction.html\"><b>Introduction</b></a>\n");
  put(out, "<li><a href=\"manual.html\"><b>Manual</b></a>\n");
  put(out, "<li><b>Query Results</b>\n");
  put(out, "<li><a href=\"references.html\"><b>References</b></a>\n");
  put(out, "</ul><br>\n");
}

const char kSpacer[] = "&nbsp;&nbsp;\n";

void write_interval(FILE* out, const char* label, double lower,
                    const char* relation, double upper, bool spacer) {
  put(out, label);
  write_bound(out, lower);
  put(out, relation);
  write_bound(out, upper);
  put(out, "</font>;\n");
  if (spacer) put(out, kSpacer);
}

// The summary's words for each interval of the query, in the order of its
// fields (query/field_table.h): the label before the lower bound, the
// relation between the bounds, and whether a spacer follows.
struct summary_words {
  const char* label;
  const char* relation;
  bool spacer;
};

const summary_words kIntervalWords[] = {
    {"Resolution interval: <font color=\"#800080\">", "&lt; = R(&Aring;) &lt; =", true},
    {"Signal-to-noise ratio interval: <font color=\"#800080\">", "&lt; = S/N &lt; =", true},
    {"Redshift interval: <font color=\"#800080\">", "&lt; = z<sub>abs</sub> &lt; =", false},
    {"Rest wavelength interval: <font color=\"#800080\">",
     "&lt; = &lambda;<sub>lab</sub>(&Aring;) &lt; =", true},
    {"Observed wavelength interval: <font color=\"#800080\">",
     "&lt; = &lambda;<sub>obs</sub>(&Aring;) &lt; =", false},
    {"<br>Equivalent width interval: <font color=\"#800080\">",
     "&lt; = W<sub>obs</sub>(&Aring;) &lt; =", true},
    {"Column density interval: <font color=\"#800080\">",
     "&lt; = log N(cm<sup>-2</sup>) &lt; =", false},
};

void write_query_summary(FILE* out) {
  put(out, "<font color=\"#008080\">");
  put(out, "<h4>Query parameters:<br>");
  const summary_words* words = kIntervalWords;
  for (int i = 0; i < kQueryFields; ++i) {
    const query_field& field = kQueryField[i];
    if (field.role == field_role::lower) {
      write_interval(out, words->label, *field.bound, words->relation,
                     *kQueryField[i + 1].bound, words->spacer);
      ++words;
    } else if (field.role == field_role::name) {
      put(out, "<br>Ion name or system type: <font color=\"#800080\">");
      // Only '<' and '>' escaped, on purpose: stored pages rely on the rest.
      std::string ion_name;
      escaping::append_page_ion_name(&ion_name, query_ion_name.text);
      put(out, ion_name);
      put(out, "</font>;\n");
      put(out, kSpacer);
    }
  }
  put(out, "<hr>\n");
}

void write_counts(FILE* out, const spectrum_counts& counts) {
  if (counts.selected != 0) {
    put(out, "There are <font color=\"#800080\">");
    write_count(out, counts.selected);
    put(out, "</font> QSO spectra corresponding to these parameters.<br>\n");
  } else {
    put(out, "<h3><br>There is no QSO spectrum corresponding to these parameters</h3>\n");
  }
  put(out, "Total number of QSO spectra is <font color=\"#800080\">");
  write_count(out, counts.all);
  put(out, "</font></h4></font><hr>\n");
}

void write_footer(FILE* out) {
  put(out, "<hr><table width=\"100%\">\n");
  put(out, "<tr>\n");
  put(out, "<td align=\"left\">\n");
  put(out, "<font color=\"#008080\">\n");
  put(out, "<h3>");
  put(out, identity::kMakersDepartment);
  put(out, ", ");
  put(out, identity::kMakersInstitute);
  put(out, ", ");
  put(out, identity::kMakersCity);
  put(out, "</h3>\n");
  put(out, "</font>");
  put(out, "</td>");
  put(out, "\n <td align=\"right\">");
  put(out, "<font color=\"#008080\">\n");
  put(out, "<h3><a href=\"");
  put(out, identity::kSponsorUrl);
  put(out, "\">Supported by ");
  put(out, identity::kSponsorName);
  put(out, "</a></h3>\n");
  put(out, "</font>\n");
  put(out, "</td>\n");
  put(out, "</tr>\n");
  put(out, "</table>");
  put(out, "</body>\n");
  put(out, "</html>\n");
}

}  // namespace

int QSO_spectrum::html_QSO_spectrum(FILE* file) {
  row_indx = 0;
  put(file, "<table ");
  if (border >= 0) {
    put(file, " border=\"");
    write_size(file, border);
    put(file, "\"");
  }
  put(file, " width=\"");
  write_size(file, width);
  put(file, "%\"");
  put(file, " height=\"");
  write_size(file, height);
  put(file, "%\"");
  put(file, " align=\"");
  put(file, align_word(table_align));
  put(file, "\">\n");
  put(file, "<tr>\n");
  put(file, "<th>\n");
  put(file, qso_name.text);
  put(file, "</th>\n");
  put(file, "<th>\n");
  put(file, qso_label.text);
  put(file, "</th>\n");
  put(file, "</tr>\n");
  for (sub_record* system = first_selected; system != nullptr;
       system = system->next_selected) {
    system->html_sub_record(file);
  }
  put(file, "</table>\n");
  return 0;
}

void write_page_head(FILE* out, const spectrum_counts& counts) {
  write_page_top(out);
  write_menu(out);
  write_query_summary(out);
  write_counts(out, counts);
}

void write_spectrum_entry(FILE* out, QSO_spectrum& spectrum) {
  spectrum.html_QSO_spectrum(out);
  put(out, "<hr ");
  put(out, " width=\"");
  write_size(out, width);
  put(out, "%\">");
  put(out, "<br>");
}

void write_page_foot(FILE* out) { write_footer(out); }
