#include "check/reporter.h"

#include <algorithm>
#include <climits>

namespace {

// Findings that may wait for flush_before() before they are written anyway.
const std::size_t kMostWaiting = 1 << 16;

bool starts_with(std::string_view text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

reporter::reporter(const check_options& options, std::FILE* out, line_index* lines)
    : options_(options), out_(out), lines_(lines), writing_baseline_(!options.write_baseline.empty()) {
  // The text is for reading, so it cuts repeats by default; the machine
  // formats keep every finding unless told otherwise.
  max_repeat_ = options.format == output_format::text || options.max_repeat_given ? options.max_repeat : 0;
  summary_.max_repeat = max_repeat_;
}

reporter::~reporter() = default;

bool reporter::start(std::string* error) {
  if (!options_.baseline.empty() && !known_.read(options_.baseline)) {
    *error = "cannot read the baseline " + options_.baseline;
    return false;
  }
  if (writing_baseline_ && !new_baseline_.open(options_.write_baseline)) {
    *error = "cannot write the baseline " + options_.write_baseline;
    return false;
  }
  if (writing_baseline_) return true;
  switch (options_.format) {
    case output_format::text: writer_ = make_text_writer(out_, options_.file, lines_); break;
    case output_format::json: writer_ = make_json_writer(out_, options_.file); break;
    case output_format::sarif: writer_ = make_sarif_writer(out_, options_.file, lines_, kCheckVersion); break;
  }
  return true;
}

bool reporter::selected(check_code c) const {
  const std::string_view code = entry_of(c).code;
  bool in = options_.select.empty();
  for (const std::string& prefix : options_.select) in = in || starts_with(code, prefix);
  for (const std::string& prefix : options_.ignore) in = in && !starts_with(code, prefix);
  return in;
}

void reporter::add(finding f) {
  if (!selected(f.code)) return;
  waiting_.push_back({std::move(f), added_++});
  if (waiting_.size() > kMostWaiting) flush_before(LLONG_MAX);
}

void reporter::flush_before(long long offset) {
  std::sort(waiting_.begin(), waiting_.end(), [](const waiting& a, const waiting& b) {
    return a.what.begin != b.what.begin ? a.what.begin < b.what.begin : a.order < b.order;
  });
  std::size_t ready = 0;
  while (ready < waiting_.size() && waiting_[ready].what.begin < offset) write(waiting_[ready++].what);
  waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(ready));
}

void reporter::write(const finding& f) {
  const code_entry* entry = &entry_of(f.code);
  const severity level = entry->level;
  const std::string key = baseline_key(f);
  // A new baseline lists every finding, the known ones too.
  if (!writing_baseline_ && known_.take(key)) {
    ++summary_.baselined;
    return;
  }
  ++(level == severity::error ? summary_.errors : level == severity::warning ? summary_.warnings : summary_.notes);
  if (writing_baseline_) {
    new_baseline_.add(key);
    return;
  }
  auto seen = std::find_if(per_code_.begin(), per_code_.end(),
                           [&](const std::pair<check_code, long long>& c) { return c.first == f.code; });
  if (seen == per_code_.end()) seen = per_code_.insert(per_code_.end(), {f.code, 0});
  if (++seen->second > max_repeat_ && max_repeat_ > 0) return;

  located_finding out{&f, entry, level, lines_->locate(f.begin), lines_->locate(std::max(f.end, f.begin)),
                      f.message, key};
  if (f.also >= 0) {
    const line_index::place also = lines_->locate(f.also);
    const std::string where = std::to_string(also.line) + ":" + std::to_string(also.column);
    for (std::size_t at = out.message.find("{also}"); at != std::string::npos;
         at = out.message.find("{also}", at + where.size())) {
      out.message.replace(at, 6, where);
    }
  }
  writer_->write(out);
}

int reporter::finish(int spectra) {
  flush_before(LLONG_MAX);
  summary_.spectra = spectra;
  if (writing_baseline_) {
    if (!new_baseline_.commit()) {
      std::fprintf(stderr, "catalix-check: cannot write the baseline %s\n", options_.write_baseline.c_str());
      return 3;
    }
    std::fprintf(out_, "catalix-check: wrote %lld findings to %s (%s)\n", new_baseline_.count(),
                 options_.write_baseline.c_str(), summary_line(summary_).c_str());
    return std::fflush(out_) == 0 && !std::ferror(out_) ? 0 : 3;
  }
  for (const auto& code : per_code_) {
    if (max_repeat_ > 0 && code.second > max_repeat_) {
      summary_.not_shown.push_back({entry_of(code.first).code, code.second - max_repeat_});
    }
  }
  writer_->end(summary_);
  if (std::fflush(out_) != 0 || std::ferror(out_)) {
    std::fputs("catalix-check: error of writing the findings\n", stderr);
    return 3;
  }
  switch (options_.fail_on) {
    case fail_level::error: return summary_.errors > 0 ? 1 : 0;
    case fail_level::warning: return summary_.errors + summary_.warnings > 0 ? 1 : 0;
    case fail_level::never: return 0;
  }
  return 0;
}
