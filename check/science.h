#ifndef CATALIX_CHECK_SCIENCE_H_
#define CATALIX_CHECK_SCIENCE_H_

// The science checks: whether the numbers of a line agree with each other
// and with its header, each within a tolerance that an option sets.  Pure
// functions of the values read; a value that is not a measurement (not
// given, a symbol, not finite) never gives a finding.

const double kSpeedOfLight = 299792.458;  // km/s

struct tolerances {
  double velocity = 50;          // km/s: --velocity, the floor of CX301
  double sigma = 3;              // --sigma: errors of the observed wavelength for CX301
  double z_excess = 5000;        // km/s: --z-excess, CX302
  double rest_tolerance = 0.05;  // Angstrom: --rest-tolerance, CX304
};

// A measured number: finite and ordinary (symbol code 0).
bool is_measurement(double x);

// The velocity of `observed` against rest x (1 + z), in km/s; positive when
// redder.
double velocity_offset(double rest, double observed, double z);

// CX301: observed and rest x (1 + z) differ by more than max(sigma x error,
// the velocity tolerance).  An error that is not a measurement, or not
// positive, leaves the velocity alone.
bool wavelength_disagrees(double rest, double observed, double observed_error, double z,
                          const tolerances& t);

// The velocity of z_abs against z_em, in km/s (relativistic); positive when
// z_abs lies above.
double velocity_against_emission(double z_abs, double z_em);

// CX302: z_abs above z_em by more than the tolerance.
bool above_emission(double z_abs, double z_em, const tolerances& t);

struct wavelength_interval {
  double wv_min, wv_max;
};

// CX303: `observed` lies in none of the intervals.  An interval written
// backwards (CX201) counts the other way round; an interval with a bound
// that is not a measurement holds nothing, and with no usable interval at
// all there is nothing to hold against.
bool outside_intervals(double observed, const wavelength_interval* first, int count);

#endif  // CATALIX_CHECK_SCIENCE_H_
