// The machine formats: one JSON object per line, and a SARIF 2.1.0 log
// written as the findings come (its head first, each result as it is found,
// its tail at the end), never held whole.

#include "check/diagnostic_writer.h"
#include "text/escaping.h"

namespace {

std::string json_string(std::string_view text) {
  std::string out;
  escaping::append_json_string(&out, text);
  return out;
}

class json_writer : public diagnostic_writer {
 public:
  json_writer(std::FILE* out, const std::string& file) : out_(out), file_(json_string(file)) {}

  void write(const located_finding& f) override {
    std::string line = "{\"file\":" + file_;
    line += ",\"line\":" + std::to_string(f.begin.line) + ",\"column\":" + std::to_string(f.begin.column);
    line += ",\"end_line\":" + std::to_string(f.end.line) + ",\"end_column\":" + std::to_string(f.end.column);
    line += ",\"severity\":" + json_string(severity_name(f.level)) + ",\"code\":" + json_string(f.entry->code);
    line += ",\"message\":" + json_string(f.message);
    if (!f.what->spectrum.empty()) line += ",\"spectrum\":" + json_string(f.what->spectrum);
    if (f.what->fix) line += ",\"fix\":" + json_string(*f.what->fix);
    line += "}\n";
    std::fputs(line.c_str(), out_);
  }

  void end(const check_summary&) override {}

 private:
  std::FILE* out_;
  std::string file_;
};

// A file name as a URI reference: a relative one stays relative, and a
// Windows path's separators are the URI's.
std::string uri_of(std::string file) {
  for (char& c : file) {
    if (c == '\\') c = '/';
  }
  std::string uri;
  escaping::append_percent_encoded(&uri, file, "/");
  return uri;
}

class sarif_writer : public diagnostic_writer {
 public:
  sarif_writer(std::FILE* out, const std::string& file, line_index* lines, const char* version)
      : out_(out), location_("{\"uri\":" + json_string(uri_of(file)) + "}"), lines_(lines) {
    std::string head =
        "{\"$schema\":\"https://json.schemastore.org/sarif-2.1.0.json\",\"version\":\"2.1.0\",\n"
        "\"runs\":[{\"tool\":{\"driver\":{\"name\":\"catalix-check\",\"version\":" +
        json_string(version) + ",\"rules\":[\n";
    for (int i = 0; i < kCodeCount; ++i) {
      const code_entry& c = kCodes[i];
      const std::string help = std::string(c.explanation) + "\n\nExample:\n" + c.example + "\n\nFix:\n" + c.fix;
      head += std::string(i ? ",\n" : "") + "{\"id\":" + json_string(c.code) +
              ",\"shortDescription\":{\"text\":" + json_string(c.title) + "},\"fullDescription\":{\"text\":" +
              json_string(c.explanation) + "},\"help\":{\"text\":" + json_string(help) +
              "},\"defaultConfiguration\":{\"level\":" + json_string(severity_name(c.level)) + "}}";
    }
    head += "]}},\n\"columnKind\":\"unicodeCodePoints\",\n\"results\":[";
    std::fputs(head.c_str(), out_);
  }

  void write(const located_finding& f) override {
    const finding& w = *f.what;
    std::string result = first_ ? "\n" : ",\n";
    first_ = false;
    result += "{\"ruleId\":" + json_string(f.entry->code);
    result += ",\"ruleIndex\":" + std::to_string(f.entry - kCodes);
    result += ",\"level\":" + json_string(severity_name(f.level)) + ",\"message\":{\"text\":" + json_string(f.message) + "}";
    result += ",\"locations\":[{\"physicalLocation\":{\"artifactLocation\":" + location_ +
              ",\"region\":" + region(f) + "}}]";
    if (w.also >= 0) {
      const line_index::place also = lines_->locate(w.also);
      result += ",\"relatedLocations\":[{\"id\":1,\"physicalLocation\":{\"artifactLocation\":" + location_ +
                ",\"region\":{\"startLine\":" + std::to_string(also.line) +
                ",\"startColumn\":" + std::to_string(lines_->character_column(w.also)) + "}}}]";
    }
    result += ",\"partialFingerprints\":{\"catalixBaselineKey/v1\":" + json_string(f.key) + "}";
    if (w.fix) {
      const std::string what = w.fix->empty() ? "delete" : "replace with \"" + *w.fix + "\"";
      result += ",\"fixes\":[{\"description\":{\"text\":" + json_string(what) +
                "},\"artifactChanges\":[{\"artifactLocation\":" + location_ +
                ",\"replacements\":[{\"deletedRegion\":" + region(f) + ",\"insertedContent\":{\"text\":" +
                json_string(*w.fix) + "}}]}]}]";
    }
    if (!w.spectrum.empty() || w.system > 0) {
      result += ",\"properties\":{\"spectrum\":" + json_string(w.spectrum) + ",\"system\":" + std::to_string(w.system) + "}";
    }
    result += "}";
    std::fputs(result.c_str(), out_);
  }

  void end(const check_summary&) override {
    std::fputs("],\n\"invocations\":[{\"executionSuccessful\":true}]}]}\n", out_);
  }

 private:
  // Lines and columns for editors, and the bytes for whatever reads bytes.
  std::string region(const located_finding& f) {
    const finding& w = *f.what;
    return "{\"startLine\":" + std::to_string(f.begin.line) +
           ",\"startColumn\":" + std::to_string(lines_->character_column(w.begin)) +
           ",\"endLine\":" + std::to_string(f.end.line) +
           ",\"endColumn\":" + std::to_string(lines_->character_column(w.end)) +
           ",\"byteOffset\":" + std::to_string(w.begin) + ",\"byteLength\":" + std::to_string(w.end - w.begin) + "}";
  }

  std::FILE* out_;
  std::string location_;
  line_index* lines_;
  bool first_ = true;
};

}  // namespace

std::unique_ptr<diagnostic_writer> make_json_writer(std::FILE* out, const std::string& file) {
  return std::make_unique<json_writer>(out, file);
}

std::unique_ptr<diagnostic_writer> make_sarif_writer(std::FILE* out, const std::string& file,
                                                     line_index* lines, const char* version) {
  return std::make_unique<sarif_writer>(out, file, lines, version);
}
