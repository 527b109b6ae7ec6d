// The rows of one selected system inside a spectrum's table.

#include <cstdio>

#include "catalogue/catalogue.h"
#include "catalogue/width_field.h"
#include "report/output.h"
#include "report/number_format.h"
#include "report/style.h"
#include "report/symbols.h"

namespace {

using output::put;

void open_row(FILE* out) {
  put(out, "<tr ");
  put(out, " align=\"");
  put(out, align_word(cell_align));
  put(out, "\">\n");
}

// A labelled value: the symbol's text right after the label, or the number.
void put_labelled(FILE* out, const char* label, const char* number_label,
                  double x) {
  if (special_symbol_treatment(x) != 0) {
    put(out, label);
    put(out, special_symbol_conversion(x).text);
  } else {
    put(out, number_label);
    write_table_number(out, x);
  }
}

// The width cell: the symbol's text, "N" and log N, or the number.
void write_width_field(FILE* out, double x) {
  switch (width_field_kind(x)) {
    case width_field::not_given:
    case width_field::symbol:
      put(out, special_symbol_conversion(x).text);
      break;
    case width_field::column_density:
      put(out, "N");
      write_table_number(out, log_n_computed(x));
      break;
    default:
      write_table_number(out, x);
  }
}

}  // namespace

int record::html_record(FILE* file) {
  put(file, "<tr ");
  if (color_interchange == 'y') {
    put(file, " bgcolor=\"");
    put(file, row_color(row_indx % 2));
    put(file, "\"");
  }
  ++row_indx;
  put(file, " align=\"");
  put(file, align_word(cell_align));
  put(file, "\">\n");

  // The redshift is shown where it changes.
  put(file, "<td>");
  if (z_abs >= 0) {
    write_rendered(file, z_abs);
  } else if (prev_selected == nullptr || prev_selected->cur_z_abs != cur_z_abs) {
    write_rendered(file, cur_z_abs);
  }
  put(file, "</td>\n");

  put(file, "<td>");
  // Catalogue texts go out as written, markup and all, on purpose: stored pages rely on it.
  put(file, cur_ion_name.text);
  put(file, "</td>\n");

  put(file, "<td>");
  if (rest_wv != kNotGiven) {
    put(file, "{");
    write_rendered(file, rest_wv);
    put(file, "}");
  }
  put(file, "</td>\n");

  put(file, "<td>");
  write_rendered(file, obs_wv);
  put(file, "</td>\n");

  put(file, "<td>");
  write_rendered(file, obs_wv_err);
  put(file, "</td>\n");

  put(file, "<td>");
  write_width_field(file, eq_width);
  put(file, "</td>\n");

  put(file, "<td>");
  write_rendered(file, eq_width_err);
  put(file, "</td>\n");

  put(file, "<td>");
  remark.print_symbol_off(file, '$');
  put(file, "</td>\n");

  put(file, "</tr>\n");
  return 0;
}

int record_group::html_record_group(FILE* file) {
  open_row(file);
  put(file, "<td>z<sub>abs</sub></td>\n");
  put(file, "<td>Ion name / System type</td>\n");
  put(file, "<td>&lambda;<sub>lab</sub></td>\n");
  put(file, "<td>&lambda;<sub>obs</sub></td>\n");
  put(file, "<td>&sigma;(&lambda;<sub>obs</sub>)</td>\n");
  put(file, "<td>W<sub>obs</sub></td>\n");
  put(file, "<td>&sigma;(W<sub>obs</sub>)</td>\n");
  put(file, "</tr>\n");
  for (record* line = first_selected; line != nullptr; line = line->next_selected) {
    line->html_record(file);
  }
  return 0;
}

int header_record::html_header_record(FILE* file, int close) {
  open_row(file);
  put(file, "<td>\n");
  if (wv_min >= 0) write_rendered(file, wv_min);
  put(file, " - ");
  if (wv_max >= 0) write_rendered(file, wv_max);
  put(file, " A ");
  put(file, "</td>\n");

  put(file, "<td>\n");
  if (resolution >= 0) put_labelled(file, "R = ", "R = ", resolution);
  put(file, " A ");
  put(file, "</td>\n");

  put(file, "<td>\n");
  if (s_to_n >= 0) {
    if (w_min_flag != 0) {
      put_labelled(file, "W<sub>min</sub> =", "W<sub>min</sub> = ", s_to_n);
    } else {
      put_labelled(file, "&lt;S/N&gt; = ", "&lt;S/N&gt; = ", s_to_n);
    }
  }
  put(file, "</td>\n");
  if (close != 0) put(file, "</tr>\n");
  return 0;
}

int header::html_header(FILE* file) {
  if (first_selected == nullptr) return 0;  // only selected systems come here
  first_selected->html_header_record(file, 0);
  put(file, "<td>");
  if (z_em >= 0) put_labelled(file, "Z<sub>em</sub> = ", "Z<sub>em</sub> = ", z_em);
  put(file, "</td>\n");
  put(file, "<td>");
  put(file, caption.text);
  put(file, "</td>\n");
  put(file, "</tr>\n");
  for (header_record* entry = first_selected->next_selected; entry != nullptr;
       entry = entry->next_selected) {
    entry->html_header_record(file, 1);
  }
  // Every node, the empty last one too, on purpose: stored pages rely on that empty row.
  for (const string* note = &notes; note != nullptr; note = note->next) {
    put(file, "<tr>\n");
    put(file, "<td colspan=\"4\">");
    put(file, note->text);
    put(file, "</td>\n");
    put(file, "</tr>\n");
  }
  return 0;
}

int sub_record::html_sub_record(FILE* file) {
  sys_header.html_header(file);
  lines.html_record_group(file);
  put(file, "<tr align=\"center\"><td colspan=8>");
  put(file, "____________________________________________________________");
  put(file, "_______________________</td></tr>\n");
  return 0;
}
