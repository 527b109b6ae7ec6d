#include "check/transitions.h"

#include <cmath>

// Vacuum wavelengths from the compilations of atomic data for absorption
// lines (the values in common use for quasar absorbers), to 0.1 mA.
const transition kTransitions[] = {
    // H I, the Lyman series.
    {"HI", 1215.6701}, {"HI", 1025.7223}, {"HI", 972.5368}, {"HI", 949.7431}, {"HI", 937.8035},
    {"HI", 930.7483},  {"HI", 926.2257},
    // D I, isotope-shifted Lyman lines.
    {"DI", 1215.3394}, {"DI", 1025.4433}, {"DI", 972.2722},
    {"CII", 1334.5323}, {"CII", 1036.3367}, {"CII*", 1335.7077},
    {"CIII", 977.0201},
    {"CIV", 1548.2040}, {"CIV", 1550.7810},
    {"NV", 1238.8210}, {"NV", 1242.8040},
    {"OI", 1302.1685}, {"OI", 1039.2304}, {"OI", 988.7734},
    {"OVI", 1031.9261}, {"OVI", 1037.6167},
    {"MgII", 2796.3543}, {"MgII", 2803.5315},
    {"AlII", 1670.7886},
    {"AlIII", 1854.7183}, {"AlIII", 1862.7910},
    {"SiII", 1260.4221}, {"SiII", 1304.3702}, {"SiII", 1526.7070}, {"SiII", 1808.0129},
    {"SiII", 1190.4158}, {"SiII", 1193.2897}, {"SiII", 1020.6989},
    {"SiIII", 1206.5000},
    {"SiIV", 1393.7602}, {"SiIV", 1402.7729},
    {"FeII", 2382.7652}, {"FeII", 2600.1725}, {"FeII", 2344.2139}, {"FeII", 2586.6500},
    {"FeII", 2374.4612}, {"FeII", 1608.4508}, {"FeII", 2260.7805}, {"FeII", 2249.8768},
    {"FeII", 1144.9379},
    {"ZnII", 2026.1370}, {"ZnII", 2062.6604},
    // System types: damped Lyman-alpha, Lyman limit, broad absorption line.
    {"DLA", 0}, {"LLS", 0}, {"BAL", 0},
};
const int kTransitionCount = sizeof(kTransitions) / sizeof(kTransitions[0]);

std::string ion_key(std::string_view written) {
  std::string key;
  for (char c : written) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') key += c;
  }
  return key;
}

namespace {

// `written` without its blanks, tabs and CRs is `ion`: ion_key without the
// copy, as every line of a catalogue is looked up.
bool same_ion(std::string_view written, const char* ion) {
  for (char c : written) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c != *ion++) return false;
  }
  return *ion == '\0';
}

}  // namespace

transition_match look_up_transition(std::string_view ion, double rest, double tolerance) {
  const transition* nearest = nullptr;
  for (const transition& t : kTransitions) {
    if (!same_ion(ion, t.ion)) continue;
    if (t.rest == 0) return {transition_match::system_type, &t};
    if (nearest == nullptr || std::fabs(t.rest - rest) < std::fabs(nearest->rest - rest)) nearest = &t;
  }
  if (nearest == nullptr) return {transition_match::unknown_ion, nullptr};
  // Not a positive number: -1 (not given), a symbol, a NaN.
  if (!(rest > 1e-10)) return {transition_match::known, nearest};
  const bool near = std::fabs(nearest->rest - rest) <= tolerance;
  return {near ? transition_match::known : transition_match::unknown_wavelength, nearest};
}
