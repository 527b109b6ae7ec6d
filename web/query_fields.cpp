#include "web/query_fields.h"

#include <cstring>

#include "query/field_table.h"
#include "query/query_form.h"
#include "web/bound_text.h"

namespace {

const char kFormatField[] = "format";
const char kFormatLabel[] = "Answer as";

// Longer than any value the form's fields take (the ion name's 98, a bound
// typed with many digits): such a value is no user's, and is not linked.
const std::size_t kLongestLinkedValue = 256;

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

void append_double(std::string* out, double x) {
  char bytes[sizeof x];
  std::memcpy(bytes, &x, sizeof x);
  out->append(bytes, sizeof x);
}

}  // namespace

const char* take_ion_name(const std::string& value) {
  const std::string name = without_form_space(value);
  if (const char* why = ion_name_fault(name)) return why;
  std::memset(query_ion_name.text, 0, sizeof query_ion_name.text);
  std::memcpy(query_ion_name.text, name.data(), name.size());
  query_ion_name.text[name.size()] = ' ';
  return nullptr;
}

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

std::string field_label(const std::string& name) {
  for (const query_field& field : kQueryField) {
    if (name == field.name) return field_label(field);
  }
  return name == kFormatField ? kFormatLabel : name;
}

bool ion_name_sendable(const std::string& name) { return ion_name_fault(name) == nullptr; }

std::string query_identity() {
  std::string identity;
  for (const query_field& field : kQueryField) {
    if (field.bound != nullptr) {
      append_double(&identity, *field.bound);
    } else {
      identity += query_ion_name.text;  // always ends in its NUL
      identity += '\0';
    }
  }
  return identity;
}

std::string form_values_query(const std::vector<form_field>& fields) {
  std::string query;
  const auto link = [&](const char* name) {
    for (const form_field& field : fields) {
      if (field.name != name || !field.value_decoded) continue;
      if (field.value.size() > kLongestLinkedValue) continue;
      query += query.empty() ? "" : "&";
      query += name;
      query += '=';
      query += encode_form_text(field.value);
    }
  };
  for (const query_field& field : kQueryField) link(field.name);
  link(kFormatField);
  return query;
}

std::vector<field_fault> set_query_from_form(const std::vector<form_field>& fields) {
  std::vector<field_fault> faults;
  for (const query_field& field : kQueryField) {
    std::string value;
    if (!single_value(fields, field.name, true, &value, &faults)) continue;
    if (field.bound != nullptr) {
      const bound_fault fault = read_bound_text(value, field.bound);
      if (fault != bound_fault::none) faults.push_back({field.name, bound_fault_text(fault), value});
      continue;
    }
    if (const char* why = take_ion_name(value)) faults.push_back({field.name, why, value});
  }
  return faults;
}
