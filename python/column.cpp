#include "python/column.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

const std::size_t kRecentTexts = 4096;

}  // namespace

std::size_t column::size() const {
  switch (type_) {
    case kind::real: return reals_.size();
    case kind::integer: return integers_.size();
    case kind::flag: return flags_.size();
    default: return text_ids_.size();
  }
}

void column::add_real(double x, bool missing) {
  reals_.push(std::isnan(x) ? std::numeric_limits<double>::quiet_NaN() : x);
  missing_.push(missing ? 1 : 0);
  any_missing_ = any_missing_ || missing;
}

void column::add_text(std::string_view utf8, bool missing) {
  text_ids_.push(text_id(utf8));
  missing_.push(missing ? 1 : 0);
  any_missing_ = any_missing_ || missing;
}

bool column::add_again(std::string_view source, bool missing) {
  if (text_ids_.size() == 0 || missing != source_missing_ || source != source_) return false;
  text_ids_.push(last_id_);
  missing_.push(missing_.data()[missing_.size() - 1]);
  return true;
}

std::uint32_t column::text_id(std::string_view utf8) {
  // Mostly the text of the row before: the spectrum's names on each of its lines.
  if (!texts_.empty() && texts_[last_id_] == utf8) return last_id_;
  std::string key(utf8);
  const auto known = recent_.find(key);
  if (known != recent_.end()) return last_id_ = known->second;
  if (texts_.size() >= std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("too many distinct texts in one column");
  }
  const auto id = static_cast<std::uint32_t>(texts_.size());
  texts_.push_back(key);
  if (recent_.size() >= kRecentTexts) recent_.clear();
  recent_.emplace(std::move(key), id);
  return last_id_ = id;
}
