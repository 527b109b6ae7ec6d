#include "check/value_checks.h"

#include <cmath>
#include <cstdio>

#include "catalogue/symbols.h"
#include "catalogue/width_field.h"

namespace {

// A number that was read (converted).
bool written(const number_at& n) { return n.ok; }

struct value_at {
  const number_at* at;
  double x;
  const char* what;
};

std::string number_text(double x) {
  char t[32];
  std::snprintf(t, sizeof t, "%.10g", x);
  return t;
}

}  // namespace

void value_checks::check(const QSO_spectrum& spectrum) {
  spectrum_ = spectrum.qso_name.text;
  const auto seen = names_.emplace(spectrum_, r_.name_at);
  if (!seen.second) {
    r_.report(check_code::CX207, r_.name_at, r_.name_at, "the spectrum name \"" + spectrum_ + "\" is the "
              "name of an earlier spectrum, at {also}", "name", seen.first->second);
  }
  std::size_t index = 0;
  for (const sub_record* y = &spectrum.first_sys; y != nullptr && index < r_.systems.size();
       y = y->next, ++index) {
    system_ = static_cast<int>(index) + 1;
    check_system(*y, r_.systems[index]);
  }
}

void value_checks::check_system(const sub_record& system, const system_at& at) {
  const header& h = system.sys_header;
  key_line_ = nullptr;
  intervals_.clear();
  std::size_t i = 0;
  for (const header_record* e = &h.first_entry; e != nullptr && i < at.intervals.size(); e = e->next, ++i) {
    key_interval_ = e;
    check_interval(*e, at.intervals[i]);
  }
  key_interval_ = nullptr;
  near_minus_one(at.z_em, h.z_em, "z_em");
  bool carry_missing = at.carry_said;
  std::size_t k = 0;
  for (const ::record* r = &system.lines.first_record; r != nullptr && k < at.records.size();
       r = r->next, ++k) {
    key_line_ = r;
    check_line(*r, at.records[k], h, &carry_missing);
  }
}

void value_checks::check_interval(const header_record& e, const interval_at& at) {
  intervals_.push_back({e.wv_min, e.wv_max});
  if (written(at.wv_min) && written(at.wv_max) && is_measurement(e.wv_min) && is_measurement(e.wv_max) &&
      e.wv_min > e.wv_max) {
    say(check_code::CX201, at.wv_min, "the interval's minimum " + number_text(e.wv_min) +
        " exceeds its maximum " + number_text(e.wv_max), "");
  }
  near_minus_one(at.wv_min, e.wv_min, "wv_min");
  near_minus_one(at.wv_max, e.wv_max, "wv_max");
  for (const value_at& v : {value_at{&at.resolution, e.resolution, "resolution"},
                            value_at{&at.s_to_n, e.s_to_n, "S/N"}}) {
    if (near_minus_one(*v.at, v.x, v.what)) continue;
    if (written(*v.at) && v.x <= 0 && v.x != -1.0) {
      say(check_code::CX204, *v.at, std::string("a ") + v.what + " of " + number_text(v.x) + " (0 or less)",
          v.what);
    }
  }
}

void value_checks::check_line(const ::record& r, const record_at& at, const header& h, bool* carry_missing) {
  if (at.blank_redshift && r.cur_z_abs == kNotGiven && !*carry_missing) {
    *carry_missing = true;
    say(check_code::CX108, number_at{at.start, at.start, at.start + 9, true},
        "a blank redshift with nothing to carry over: no line above it in its list gives one", "redshift");
  }
  near_minus_one(at.z_abs, r.z_abs, "z_abs");
  if (is_marker(r.z_abs)) return;
  near_minus_one(at.rest_wv, r.rest_wv, "lambda_lab");
  near_minus_one(at.obs_wv, r.obs_wv, "lambda_obs");
  for (const value_at& v : {value_at{&at.obs_wv_err, r.obs_wv_err, "error of the observed wavelength"},
                            value_at{&at.eq_width, r.eq_width, "width"},
                            value_at{&at.eq_width_err, r.eq_width_err, "error of the width"}}) {
    if (near_minus_one(*v.at, v.x, v.what)) continue;
    if (written(*v.at) && v.x < 0 && v.x != -1.0) {
      say(check_code::CX202, *v.at, std::string("a negative ") + v.what + " (" + number_text(v.x) +
          "), other than -1", v.what);
    }
  }
  check_width(r, at);
  check_kind(r, at);
  check_science(r, at, h);
}

// A width field holds a width below 1000 or a column density from 99990 up.
void value_checks::check_width(const ::record& r, const record_at& at) {
  const number_at& w = at.eq_width;
  const double ew = r.eq_width;
  if (!written(w)) return;
  const width_field kind = width_field_kind(ew);
  if (kind == width_field::neither && !std::isnan(ew)) {
    say(check_code::CX205, w, "a width of " + number_text(ew) + " is neither a width (below 1000) nor a "
        "column density (100000 + log N)", "width");
  } else if (kind == width_field::column_density) {
    const double log_n = log_n_computed(ew);
    if (!(log_n >= 10 && log_n <= 23)) {
      say(check_code::CX206, w, "a column density of log N = " + number_text(log_n) + " (outside 10 to 23)",
          "column density");
    }
  }
}

// CX208: a name that its first letter makes another kind than it looks.
void value_checks::check_kind(const ::record& r, const record_at& at) {
  const char kind = r.ion_name.text[0];
  const std::string_view ion = r.ion_name.text;
  const bool other_kind = (kind == 'D' && ion.compare(0, 3, "DLA") != 0) || kind == 'B' ||
                          kind == 'L' || kind == 't';
  if (!other_kind) return;
  const transition_match::kind known = look_up_transition(ion, r.rest_wv, limits_.rest_tolerance).result;
  const bool looks_usual = known == transition_match::known || known == transition_match::unknown_wavelength;
  const char remark_start = r.remark.text[0] == '}' ? r.remark.text[1] : r.remark.text[0];
  const bool numbers_follow = kind != 'D' && ion_key(ion) != "BAL" && ion_key(ion) != "LLS" &&
                              remark_start >= '0' && remark_start <= '9';
  if (looks_usual || numbers_follow) {
    say(check_code::CX208, number_at{at.name_begin, at.name_begin, at.name_end, true}, "the name \"" +
        std::string(ion) + "\" begins with '" + kind + "', so the line is read as " +
        (kind == 'D' ? "a damped Lyman-alpha system (two bytes skipped, one number)"
                     : "a system described in words (the rest of the line as its remark)"),
        "name");
  }
}

void value_checks::check_science(const ::record& r, const record_at& at, const header& h) {
  const char kind = r.ion_name.text[0];
  const bool usual = kind != 'D' && kind != 'B' && kind != 'L' && kind != 't';
  if (usual && wavelength_disagrees(r.rest_wv, r.obs_wv, r.obs_wv_err, r.cur_z_abs, limits_)) {
    say(check_code::CX301, at.obs_wv, "the observed wavelength " + number_text(r.obs_wv) + " is " +
        number_text(std::round(velocity_offset(r.rest_wv, r.obs_wv, r.cur_z_abs))) + " km/s from " +
        number_text(r.rest_wv) + " x (1 + " + number_text(r.cur_z_abs) + ")", "lambda_obs");
  }
  if (kind != 'B' && kind != 'L' && kind != 't' && above_emission(r.cur_z_abs, h.z_em, limits_)) {
    say(check_code::CX302, at.z_abs.value >= 0 ? at.z_abs : number_at{at.start, at.start, at.start, true},
        "z_abs " + number_text(r.cur_z_abs) + " is " +
        number_text(std::round(velocity_against_emission(r.cur_z_abs, h.z_em))) + " km/s above z_em " +
        number_text(h.z_em), "z_abs");
  }
  if (usual && written(at.obs_wv) &&
      outside_intervals(r.obs_wv, intervals_.data(), static_cast<int>(intervals_.size()))) {
    say(check_code::CX303, at.obs_wv, "the observed wavelength " + number_text(r.obs_wv) +
        " lies outside every observed interval of its header", "lambda_obs");
  }
  if (usual && r.cur_ion_name.text[0] != '\0' && written(at.rest_wv)) {
    const transition_match m = transition_of(r.cur_ion_name.text, r.rest_wv);
    if (m.result == transition_match::unknown_ion || m.result == transition_match::unknown_wavelength) {
      say(check_code::CX304, at.rest_wv, std::string(r.cur_ion_name.text) + " " + number_text(r.rest_wv) +
          (m.nearest != nullptr ? " is not a line of the table (nearest: " + number_text(m.nearest->rest) + ")"
                                : " is not an ion of the table of common transitions"),
          "lambda_lab");
    }
  }
}

bool value_checks::near_minus_one(const number_at& n, double x, const char* what) {
  if (!written(n) || x == -1.0 || special_symbol_treatment(x) != 1) return false;
  say(check_code::CX203, n, number_text(x) + " is within 0.1 of -1, so the page shows it as not given", what);
  return true;
}

void value_checks::say(check_code code, const number_at& n, const std::string& message, const std::string& what) {
  finding f;
  f.code = code;
  f.begin = n.value;
  f.end = n.end > n.value ? n.end : n.value;
  f.message = message;
  f.spectrum = spectrum_;
  f.system = system_;
  f.field = what.empty() ? key() : key() + ": " + what;
  r_.out.add(std::move(f));
}

// The line or interval by its values; most values give no finding, so it
// is made only for one.
std::string value_checks::key() const {
  if (key_line_ != nullptr) {
    return std::string("line ") + key_line_->cur_ion_name.text + "{" + number_text(key_line_->rest_wv) + "}";
  }
  if (key_interval_ != nullptr) {
    return "interval " + number_text(key_interval_->wv_min) + "-" + number_text(key_interval_->wv_max);
  }
  return "header";
}

transition_match value_checks::transition_of(const char* ion, double rest) {
  std::string key(ion);
  key.append(reinterpret_cast<const char*>(&rest), sizeof rest);
  const auto known = transitions_.find(key);
  if (known != transitions_.end()) return known->second;
  if (transitions_.size() > 4096) transitions_.clear();
  const transition_match m = look_up_transition(ion, rest, limits_.rest_tolerance);
  transitions_.emplace(std::move(key), m);
  return m;
}
