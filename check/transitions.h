#ifndef CATALIX_CHECK_TRANSITIONS_H_
#define CATALIX_CHECK_TRANSITIONS_H_

// The common absorption transitions of quasar absorbers, with laboratory
// (vacuum) wavelengths in Angstrom, and the system types that stand for a
// whole system instead of one line.

#include <string>
#include <string_view>

struct transition {
  const char* ion;  // as catalogues write it without blanks: "CIV", "FeII", "HI"
  double rest;      // Angstrom, vacuum; 0 for a system type
};

// All entries, each ion's lines together; the system types last.
extern const transition kTransitions[];
extern const int kTransitionCount;

// The name without blanks, tabs or carriage returns, so that "C IV",
// "CIV " and "CIV" are one ion.  Letters are not folded: "CIV" is not "civ".
std::string ion_key(std::string_view written);

struct transition_match {
  enum kind {
    known,               // the ion has a transition within the tolerance
    system_type,         // DLA, LLS or BAL: no wavelength to hold against
    unknown_ion,         // no transition of that name at all
    unknown_wavelength,  // the ion is known, but none of its lines is near
  } result;
  const transition* nearest;  // the ion's line nearest to `rest`; null for unknown_ion
};

// Looks up an ion name as written and a rest wavelength.  A rest wavelength
// that is not a positive number (not given, a symbol) gives `known` for a
// known ion: only the name can be held against the table then.
transition_match look_up_transition(std::string_view ion, double rest, double tolerance);

#endif  // CATALIX_CHECK_TRANSITIONS_H_
