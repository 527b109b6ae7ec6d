#include "check/science.h"

#include <algorithm>
#include <cmath>

#include "catalogue/symbols.h"

bool is_measurement(double x) { return std::isfinite(x) && special_symbol_treatment(x) == 0; }

double velocity_offset(double rest, double observed, double z) {
  const double expected = rest * (1 + z);
  return kSpeedOfLight * (observed - expected) / expected;
}

bool wavelength_disagrees(double rest, double observed, double observed_error, double z,
                          const tolerances& t) {
  if (!is_measurement(rest) || !is_measurement(observed) || !is_measurement(z)) return false;
  if (rest <= 0 || observed <= 0 || z <= -1) return false;
  const double expected = rest * (1 + z);
  double allowed = expected * t.velocity / kSpeedOfLight;
  if (is_measurement(observed_error) && observed_error > 0) {
    allowed = std::max(allowed, t.sigma * observed_error);
  }
  return std::fabs(observed - expected) > allowed;
}

double velocity_against_emission(double z_abs, double z_em) {
  const double a = (1 + z_abs) * (1 + z_abs);
  const double e = (1 + z_em) * (1 + z_em);
  return kSpeedOfLight * (a - e) / (a + e);
}

bool above_emission(double z_abs, double z_em, const tolerances& t) {
  if (!is_measurement(z_abs) || !is_measurement(z_em) || z_abs <= -1 || z_em <= -1) return false;
  return velocity_against_emission(z_abs, z_em) > t.z_excess;
}

bool outside_intervals(double observed, const wavelength_interval* first, int count) {
  if (!is_measurement(observed)) return false;
  bool any = false;
  for (int i = 0; i < count; ++i) {
    const double a = first[i].wv_min, b = first[i].wv_max;
    if (!is_measurement(a) || !is_measurement(b)) continue;
    any = true;
    if (std::min(a, b) <= observed && observed <= std::max(a, b)) return false;
  }
  return any;
}
