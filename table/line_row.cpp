#include "table/line_row.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "catalogue/symbols.h"
#include "catalogue/width_field.h"

const line_column kLineColumn[kLineColumns] = {
    {"qso_name", "unicodeChar", "", "meta.id;meta.main", "Name of the quasar"},
    {"qso_label", "unicodeChar", "", "meta.id", "Label of the quasar"},
    {"system", "int", "---", "meta.record",
     "Number of the absorption system within its spectrum, in catalogue order, from 1"},
    {"z_em", "double", "---", "src.redshift", "Emission redshift of the quasar"},
    {"z_abs", "double", "---", "src.redshift;spect.line",
     "Absorption redshift in force for the line (written on it or carried from above)"},
    {"ion", "unicodeChar", "", "phys.atmol.ionStage",
     "Ion name or system type in force for the line"},
    {"lambda_lab", "double", "Angstrom", "em.wl;phys.atmol.transition",
     "Laboratory (rest) wavelength"},
    {"lambda_obs", "double", "Angstrom", "em.wl", "Observed wavelength"},
    {"lambda_obs_err", "double", "Angstrom", "stat.error;em.wl",
     "Uncertainty of the observed wavelength"},
    {"w_obs", "double", "Angstrom", "spect.line.eqWidth", "Observed equivalent width"},
    {"w_obs_err", "double", "Angstrom", "stat.error;spect.line.eqWidth",
     "Uncertainty of the observed equivalent width"},
    {"log_n", "double", "", "phys.columnDensity",
     "Decimal logarithm of the column density N in cm^-2, log10(N / cm^-2), where the width "
     "field holds one"},
    {"symbols", "unicodeChar", "", "meta.code",
     "column:symbol for each number shown as a symbol, separated by ';'"},
    {"remark", "unicodeChar", "", "meta.note", "Remark on the line"},
};

namespace {

enum column_index {
  kQsoName, kQsoLabel, kSystem, kZEm, kZAbs, kIon, kLambdaLab, kLambdaObs,
  kLambdaObsErr, kWObs, kWObsErr, kLogN, kSymbols, kRemark
};

}  // namespace

std::string shortest_number(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "+Inf" : "-Inf";
  char text[32];
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, x);
  return std::string(text, result.ptr);
}

void line_row::set_text(int column, const char* text) {
  cells[column].null = false;
  cells[column].number = false;
  cells[column].text.assign(text);
}

void line_row::set_number(int column, double x) {
  cells[column].null = false;
  cells[column].number = true;
  cells[column].text = shortest_number(x);
}

void line_row::set_value(int column, double x) {
  cells[column].null = true;
  const int code = special_symbol_treatment(x);
  if (code == 0) {
    set_number(column, x);
  } else if (code > 1) {
    std::string& symbols = cells[kSymbols].text;
    if (!symbols.empty()) symbols += ';';
    symbols += kLineColumn[column].name;
    symbols += ':';
    // The page pads "+" with blanks; the table does not.
    const char* text = symbol_text(x);
    std::size_t length = std::strlen(text);
    while (*text == ' ') ++text, --length;
    while (length > 0 && text[length - 1] == ' ') --length;
    symbols.append(text, length);
  }
}

void line_row::fill(const QSO_spectrum& spectrum, int system, const header& head,
                    const record& line) {
  cells[kSymbols].text.clear();
  set_text(kQsoName, spectrum.qso_name.text);
  set_text(kQsoLabel, spectrum.qso_label.text);
  cells[kSystem].null = false;
  cells[kSystem].number = true;
  cells[kSystem].text = std::to_string(system);
  set_value(kZEm, head.z_em);
  set_value(kZAbs, line.cur_z_abs);
  set_text(kIon, line.cur_ion_name.text);
  set_value(kLambdaLab, line.rest_wv);
  set_value(kLambdaObs, line.obs_wv);
  set_value(kLambdaObsErr, line.obs_wv_err);
  // log N as written, not as the page computes it.
  cells[kLogN].null = true;
  if (width_field_kind(line.eq_width) == width_field::column_density) {
    cells[kWObs].null = true;
    set_number(kLogN, log_n_as_written(line.eq_width));
  } else {
    set_value(kWObs, line.eq_width);
  }
  set_value(kWObsErr, line.eq_width_err);
  cells[kSymbols].null = cells[kSymbols].text.empty();
  cells[kSymbols].number = false;
  cells[kRemark].null = false;
  cells[kRemark].number = false;
  cells[kRemark].text.clear();
  for (const char* c = line.remark.text; *c != '\0'; ++c) {
    if (*c != '$') cells[kRemark].text += *c;
  }
}
