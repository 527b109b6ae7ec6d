#ifndef CATALIX_PYTHON_COLUMN_H_
#define CATALIX_PYTHON_COLUMN_H_

// A column of a table in the making, filled row by row: numbers (doubles,
// each with a flag that says it is missing), whole numbers, flags, or
// texts.  A text column keeps each distinct text once, as far as a cache of
// recent texts finds them again, and one number per row: the names of a
// spectrum, an ion's name or a repeated remark then cost a few bytes a row.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "python/growing_array.h"

class column {
 public:
  enum class kind { real, integer, flag, text };

  column(std::string name, kind type) : name_(std::move(name)), type_(type) {}

  const std::string& name() const { return name_; }
  kind type() const { return type_; }
  std::size_t size() const;

  // A number; a NaN of any sign or payload is stored as the one NaN that
  // "NaN" reads back as.
  void add_real(double x, bool missing);
  void add_integer(std::int32_t x) { integers_.push(x); }
  void add_flag(bool x) { flags_.push(x ? 1 : 0); }
  // A text in UTF-8; a missing one keeps its text too.
  void add_text(std::string_view utf8, bool missing);
  // Adds the row before's text again when it was made from `source` (the
  // bytes as read, before they were made UTF-8) with the same `missing`,
  // and says whether it did; remember_source() notes what the row just
  // added was made from.
  bool add_again(std::string_view source, bool missing);
  void remember_source(std::string_view source, bool missing) {
    source_.assign(source.data(), source.size());
    source_missing_ = missing;
  }

  // Whether any row is missing (numbers and texts only).
  bool any_missing() const { return any_missing_; }

  growing_array<double>& reals() { return reals_; }
  growing_array<std::int32_t>& integers() { return integers_; }
  growing_array<unsigned char>& flags() { return flags_; }
  // One byte a row, 1 where the value is missing.
  growing_array<unsigned char>& missing() { return missing_; }
  // The row's text is texts()[text_ids()[row]].
  growing_array<std::uint32_t>& text_ids() { return text_ids_; }
  std::vector<std::string>& texts() { return texts_; }

 private:
  std::uint32_t text_id(std::string_view utf8);

  std::string name_;
  kind type_;
  bool any_missing_ = false;
  growing_array<double> reals_;
  growing_array<std::int32_t> integers_;
  growing_array<unsigned char> flags_;
  growing_array<unsigned char> missing_;
  growing_array<std::uint32_t> text_ids_;
  std::vector<std::string> texts_;
  std::uint32_t last_id_ = 0;
  std::string source_;  // what the last row's text was made from
  bool source_missing_ = false;
  // Recent texts and their ids; cleared when full, so that a column of
  // texts that all differ costs no more than the texts themselves.
  std::unordered_map<std::string, std::uint32_t> recent_;
};

#endif  // CATALIX_PYTHON_COLUMN_H_
