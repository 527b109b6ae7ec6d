// The science checks at each tolerance's edge, just inside and just outside,
// with the default tolerances and with others that the options set.

#include <gtest/gtest.h>

#include <cmath>

#include "check/science.h"
#include "check/transitions.h"

namespace {

// Velocity, sigma, z excess and rest tolerance.
const tolerances kDefault, kFaster{100, 3, 5000, 0.05}, kTwoSigma{50, 2, 5000, 0.05},
    kExcess1000{50, 3, 1000, 0.05}, kNoExcess{50, 3, 0, 0.05};

// CX301.  Rest 1000 A at z = 1 is expected at 2000 A, where 50 km/s is
// 0.33356 A and 100 km/s 0.66713 A.
TEST(Science, ObservedAgainstRestTimesOnePlusZ) {
  const struct {
    double rest, observed, error, z;
    tolerances t;
    bool disagrees;
  } rows[] = {
      {1000, 2000.3335, -1, 1, kDefault, false}, {1000, 2000.3336, -1, 1, kDefault, true},
      {1000, 1999.6665, -1, 1, kDefault, false}, {1000, 1999.6664, -1, 1, kDefault, true},
      // 3 sigma of 0.5 A is wider than 50 km/s, and takes its place;
      {1000, 2001.4999, 0.5, 1, kDefault, false}, {1000, 2001.5001, 0.5, 1, kDefault, true},
      // 3 sigma of 0.01 A is narrower, and the velocity holds.
      {1000, 2000.3335, 0.01, 1, kDefault, false}, {1000, 2000.3336, 0.01, 1, kDefault, true},
      // An error that is no measurement, or not positive: the velocity alone.
      {1000, 2000.3336, 1e-16, 1, kDefault, true}, {1000, 2000.3336, 0, 1, kDefault, true},
      {1000, 2000.3336, NAN, 1, kDefault, true},
      {1000, 2000.6671, -1, 1, kFaster, false},   {1000, 2000.6672, -1, 1, kFaster, true},
      {1000, 2000.9999, 0.5, 1, kTwoSigma, false}, {1000, 2001.0001, 0.5, 1, kTwoSigma, true},
      // Numbers that are no measurement never disagree.
      {-1, 9000, 0.1, 1, kDefault, false}, {1000, 1e-80, 0.1, 1, kDefault, false},
      {1000, 9000, 0.1, 1e-20, kDefault, false}, {1000, 9000, 0.1, NAN, kDefault, false},
      {1000, 9000, 0.1, -1.05, kDefault, false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(r.disagrees, wavelength_disagrees(r.rest, r.observed, r.error, r.z, r.t))
        << r.observed << " +- " << r.error << " at " << r.t.velocity << " km/s, " << r.t.sigma << " sigma";
  }
}

// CX302.  5000 km/s above z_em = 2 is z_abs = 2.0504589054; 1000 km/s above
// 0.5 is 0.5050118342.
TEST(Science, AbsorptionAboveEmission) {
  const struct {
    double z_abs, z_em;
    tolerances t;
    bool above;
  } rows[] = {
      {2.0504589, 2, kDefault, false}, {2.0504590, 2, kDefault, true}, {1.5, 2, kDefault, false},
      {0.5050118, 0.5, kExcess1000, false}, {0.5050119, 0.5, kExcess1000, true},
      {2, 2, kNoExcess, false}, {2.000001, 2, kNoExcess, true},
      {9, -1, kDefault, false}, {9, 1e-20, kDefault, false}, {1e-40, 0, kNoExcess, false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(r.above, above_emission(r.z_abs, r.z_em, r.t)) << r.z_abs << " against " << r.z_em;
  }
}

// CX303: the intervals are closed; one written backwards counts the other
// way round; one with a bound that is no measurement holds nothing.
TEST(Science, ObservedOutsideTheIntervals) {
  const wavelength_interval two[] = {{3000, 5000}, {6000, 5500}};
  const wavelength_interval unusable[] = {{-1, 9000}, {3000, 1e-16}};
  const wavelength_interval mixed[] = {{-1, 9000}, {3000, 5000}};
  const struct {
    const wavelength_interval* intervals;
    int count;
    double observed;
    bool outside;
  } rows[] = {
      {two, 2, 3000, false},     {two, 2, 2999.999, true}, {two, 2, 5000, false},
      {two, 2, 5000.001, true},  {two, 2, 5500, false},    {two, 2, 6000, false},
      {two, 2, 6000.001, true},  {two, 2, 1e-16, false},   {two, 2, -1, false},
      {unusable, 2, 10, false},  {mixed, 2, 7000, true},   {mixed, 2, 4000, false},
      {two, 0, 10, false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(r.outside, outside_intervals(r.observed, r.intervals, r.count)) << r.observed;
  }
}

// CX304: C IV 1548.204 within the rest tolerance, 0.05 A by default.
TEST(Science, RestWavelengthAgainstTheTable) {
  const struct {
    double rest, tolerance;
    transition_match::kind expected;
  } rows[] = {
      {1548.2539, 0.05, transition_match::known},
      {1548.2541, 0.05, transition_match::unknown_wavelength},
      {1548.1541, 0.05, transition_match::known},
      {1548.1539, 0.05, transition_match::unknown_wavelength},
      {1548.3039, 0.1, transition_match::known},
      {1548.3041, 0.1, transition_match::unknown_wavelength},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(r.expected, look_up_transition("CIV", r.rest, r.tolerance).result) << r.rest;
  }
}

}  // namespace
