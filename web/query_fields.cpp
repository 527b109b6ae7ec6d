#include "web/query_fields.h"

#include <cstring>

#include "query/query_form.h"
#include "web/bound_text.h"

namespace {

// In the order of the form file; a null bound is the ion name.
struct query_field {
  const char* name;
  double* bound;
};

const query_field kQueryFields[] = {
    {"min_resolution", &min_resolution}, {"max_resolution", &max_resolution},
    {"min_s_to_n", &min_s_to_n},         {"max_s_to_n", &max_s_to_n},
    {"min_z_abs", &min_z_abs},           {"max_z_abs", &max_z_abs},
    {"ion_name", nullptr},
    {"min_rest_wv", &min_rest_wv},       {"max_rest_wv", &max_rest_wv},
    {"min_obs_wv", &min_obs_wv},         {"max_obs_wv", &max_obs_wv},
    {"min_width", &min_width},           {"max_width", &max_width},
    {"min_col_dens", &min_col_dens},     {"max_col_dens", &max_col_dens},
};

// With the blank after it, the longest name that the form's text field holds.
const std::size_t kLongestIonName = string::kCapacity - 2;

const char* bound_fault_text(bound_fault fault) {
  switch (fault) {
    case bound_fault::empty:
      return "is empty";
    case bound_fault::not_a_number:
      return "is not a decimal number";
    case bound_fault::not_finite:
      return "is not a finite number";
    default:
      return "";
  }
}

// A control character in the name would end the form file's line early.
const char* ion_name_fault(const std::string& name) {
  if (name.size() > kLongestIonName) return "is longer than 98 characters";
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) return "holds a control character";
  }
  return nullptr;
}

void set_ion_name(const std::string& name) {
  std::memset(query_ion_name.text, 0, sizeof query_ion_name.text);
  std::memcpy(query_ion_name.text, name.data(), name.size());
  query_ion_name.text[name.size()] = ' ';
}

}  // namespace

bool single_value(const std::vector<form_field>& fields, const char* name,
                  bool required, std::string* value, std::vector<field_fault>* faults) {
  const form_field* found = nullptr;
  for (const form_field& field : fields) {
    if (field.name != name) continue;
    if (found != nullptr) {
      faults->push_back({name, "is given more than once", ""});
      return false;
    }
    found = &field;
  }
  if (found == nullptr) {
    if (required) faults->push_back({name, "is missing", ""});
    return false;
  }
  if (!found->value_decoded) {
    faults->push_back({name, "holds a '%' not followed by two hexadecimal digits", ""});
    return false;
  }
  *value = found->value;
  return true;
}

std::vector<field_fault> set_query_from_form(const std::vector<form_field>& fields) {
  std::vector<field_fault> faults;
  for (const query_field& q : kQueryFields) {
    std::string value;
    if (!single_value(fields, q.name, true, &value, &faults)) continue;
    if (q.bound != nullptr) {
      const bound_fault fault = read_bound_text(value, q.bound);
      if (fault != bound_fault::none) faults.push_back({q.name, bound_fault_text(fault), value});
      continue;
    }
    const std::string name = without_form_space(value);
    if (const char* why = ion_name_fault(name)) {
      faults.push_back({q.name, why, value});
    } else {
      set_ion_name(name);
    }
  }
  return faults;
}
