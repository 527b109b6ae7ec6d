// catalix-check's frame: offsets to lines and columns, the three formats on
// hand-made findings, the baseline, the options and the exit statuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "check/codes.h"
#include "check/line_index.h"
#include "check/reporter.h"
#include "check/transitions.h"

namespace {

std::string write_file(const std::string& name, const std::string& text) {
  std::ofstream(name, std::ios::binary | std::ios::trunc) << text;
  return name;
}

std::string read_file(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(LineIndex, OffsetsToLinesAndColumns) {
  const struct {
    const char* text;
    std::vector<long long> offsets;
    const char* expected;  // line:column for each offset
  } rows[] = {
      {"ab\ncd\n", {0, 1, 2, 3, 5, 6}, "1:1 1:2 1:3 2:1 2:3 3:1"},
      {"ab\r\ncd", {2, 3, 4, 6, 99, -5}, "1:3 1:4 2:1 2:3 2:3 1:1"},
      {"\n\n\nx", {0, 1, 2, 3, 4}, "1:1 2:1 3:1 4:1 4:2"},
      {"", {0, 1}, "1:1 1:1"},
  };
  for (const auto& row : rows) {
    line_index lines(write_file("line_index_test.dat", row.text));
    std::string got;
    // Forward, then the same offsets again behind the sweep.
    for (int pass = 0; pass < 2; ++pass) {
      got.clear();
      for (long long offset : row.offsets) {
        const line_index::place at = lines.locate(offset);
        got += (got.empty() ? "" : " ") + std::to_string(at.line) + ":" + std::to_string(at.column);
      }
      EXPECT_EQ(row.expected, got) << "in \"" << row.text << "\", pass " << pass;
    }
  }
}

TEST(LineIndex, AcrossCheckpointsAndBlocks) {
  // Lines of 100 bytes over three mebibytes: checkpoints and blocks fall
  // inside lines.
  std::string text;
  for (int i = 0; i < 33000; ++i) text += std::string(99, 'a' + i % 26) + "\n";
  line_index lines(write_file("line_index_test.dat", text));
  for (long long offset : {3000000LL, 1048576LL, 65536LL, 2097151LL, 2097152LL, 0LL, 3299999LL, 1048575LL}) {
    const line_index::place at = lines.locate(offset);
    EXPECT_EQ(offset / 100 + 1, at.line) << offset;
    EXPECT_EQ(offset % 100 + 1, at.column) << offset;
  }
  // A window of a line across the boundary of a block and a chunk.
  const line_index::excerpt shown = lines.line_around(1048570, 40);
  EXPECT_EQ(std::string(40, text[1048570]), shown.text);
  EXPECT_EQ(51, shown.first_column);
  EXPECT_TRUE(shown.cut_before && shown.cut_after);
  line_index crlf(write_file("line_index_test.dat", "x\ny\tz\r\n"));
  EXPECT_EQ("y\tz", crlf.line_around(5, 80).text);
  EXPECT_EQ(3, crlf.character_column(4));
}

// A reporter over `text` with the given options, fed `findings`; returns
// what it wrote and puts the exit status in *status.
std::string report(const std::string& text, const std::vector<finding>& findings, check_options options,
                   int* status) {
  options.file = write_file("check_test.dat", text);
  line_index lines(options.file);
  std::FILE* out = std::tmpfile();
  reporter r(options, out, &lines);
  std::string error;
  EXPECT_TRUE(r.start(&error)) << error;
  for (const finding& f : findings) r.add(f);
  *status = r.finish(1);
  std::rewind(out);
  std::string written;
  for (int c = std::getc(out); c != EOF; c = std::getc(out)) written += static_cast<char>(c);
  std::fclose(out);
  return written;
}

finding make(check_code code, long long begin, long long end, const char* field, const char* message) {
  finding f;
  f.code = code;
  f.begin = begin;
  f.end = end;
  f.field = field;
  f.message = message;
  f.spectrum = "Q 0000-263";
  f.system = 1;
  return f;
}

const char kCatalogue[] = "! Q 0000-263$ J000322\n2.1$FeII{2382.765} 7386.5O 0.01\n\tx\xff\n";

std::vector<finding> sample() {
  finding also = make(check_code::CX301, 49, 53, "line FeII 2382.765: obs_wv_err", "see {also}");
  also.also = 22;
  finding number = make(check_code::CX105, 41, 48, "line FeII 2382.765: obs_wv", "the number stops at 'O'");
  number.fix = "7386.50";
  // Added out of order: written in order of offset.
  return {also, number, make(check_code::CX401, 56, 57, "file", "stray \xff byte")};
}

TEST(Formats, Text) {
  int status = 0;
  EXPECT_EQ(
      "check_test.dat:2:20: error: the number stops at 'O' [CX105]\n"
      "2.1$FeII{2382.765} 7386.5O 0.01\n"
      "                   ^~~~~~~\n"
      "                   7386.50\n"
      "check_test.dat:2:28: warning: see 2:1 [CX301]\n"
      "2.1$FeII{2382.765} 7386.5O 0.01\n"
      "                           ^~~~\n"
      "check_test.dat:3:3: note: stray ? byte [CX401]\n"
      "\tx?\n"
      "\t ^\n"
      "1 error, 1 warning, 1 note in 1 spectrum\n",
      report(kCatalogue, sample(), check_options(), &status));
  EXPECT_EQ(1, status);
}

TEST(Formats, JsonLine) {
  check_options options;
  options.format = output_format::json;
  options.select = {"CX1"};
  int status = 0;
  EXPECT_EQ(
      "{\"file\":\"check_test.dat\",\"line\":2,\"column\":20,\"end_line\":2,\"end_column\":27,"
      "\"severity\":\"error\",\"code\":\"CX105\",\"message\":\"the number stops at 'O'\","
      "\"spectrum\":\"Q 0000-263\",\"fix\":\"7386.50\"}\n",
      report(kCatalogue, sample(), options, &status));
}

TEST(Formats, SarifIsJson) {
  check_options options;
  options.format = output_format::sarif;
  int status = 0;
  const std::string log = report(kCatalogue, sample(), options, &status);
  EXPECT_NE(std::string::npos, log.find("\"ruleId\":\"CX401\",\"ruleIndex\":31,\"level\":\"note\""));
  EXPECT_NE(std::string::npos, log.find("\"message\":{\"text\":\"stray \\ufffd byte\"}"));
  write_file("check_test.sarif", log);
  if (std::system("python3 -c '' 2>/dev/null") != 0) GTEST_SKIP() << "no python3";
  EXPECT_EQ(0, std::system("python3 -c \"import json,sys; d=json.load(open('check_test.sarif')); "
                           "assert d['version']=='2.1.0' and len(d['runs'][0]['results'])==3\""));
}

TEST(Baseline, RoundTripAsMultiset) {
  std::vector<finding> twice = sample();
  twice.push_back(twice[1]);
  check_options options;
  options.write_baseline = "check_test.baseline";
  int status = 0;
  report(kCatalogue, twice, options, &status);
  EXPECT_EQ(0, status);
  std::string keys = read_file("check_test.baseline");
  const std::string key = "Q 0000-263\t1\tCX105\tline FeII 2382.765: obs_wv\n";
  EXPECT_NE(std::string::npos, keys.find("\n" + key + key));
  check_options quiet;
  quiet.baseline = "check_test.baseline";
  quiet.format = output_format::json;
  EXPECT_EQ("", report(kCatalogue, twice, quiet, &status));
  EXPECT_EQ(0, status);
  // With one of the two equal entries gone, one of the two equal findings
  // is shown again.
  write_file("check_test.baseline", keys.erase(keys.find(key), key.size()));
  const std::string shown = report(kCatalogue, twice, quiet, &status);
  EXPECT_EQ(1, std::count(shown.begin(), shown.end(), '\n'));
  EXPECT_NE(std::string::npos, shown.find("\"CX105\""));
  EXPECT_EQ(1, status);
}

TEST(Options, ErrorsAndStatuses) {
  const struct {
    std::vector<const char*> args;
    bool ok;
  } rows[] = {
      {{"--format=json", "cat.dat"}, true},    {{"--format", "sarif"}, true},
      {{"--format=xml"}, false},              {{"--select=CX1,cx205"}, true},
      {{"--ignore=CX9"}, false},              {{"--select="}, false},
      {{"--fail-on=warning"}, true},          {{"--fail-on=notes"}, false},
      {{"--max-repeat=0"}, true},             {{"--max-repeat=-1"}, false},
      {{"--velocity=1e2", "--sigma=2.5"}, true}, {{"--rest-tolerance=-0.1"}, false},
      {{"--z-excess=nan"}, false},            {{"a.dat", "b.dat"}, false},
      {{"--", "-odd.dat"}, true},             {{"-x"}, false},
      {{"--baseline"}, false},                {{"--frobnicate"}, false},
  };
  for (const auto& row : rows) {
    std::vector<const char*> argv = {"catalix-check"};
    argv.insert(argv.end(), row.args.begin(), row.args.end());
    check_options options;
    std::string error;
    EXPECT_EQ(row.ok, parse_options(static_cast<int>(argv.size()), argv.data(), &options, &error))
        << row.args[0] << ": " << error;
  }
  // The --fail-on level against a warning and a note.
  const std::vector<finding> findings = {sample()[0], sample()[2]};
  const std::pair<fail_level, int> levels[] = {
      {fail_level::error, 0}, {fail_level::warning, 1}, {fail_level::never, 0}};
  for (const auto& level : levels) {
    check_options options;
    options.fail_on = level.first;
    int status = -1;
    report(kCatalogue, findings, options, &status);
    EXPECT_EQ(level.second, status);
  }
}

// The manual lists the options of the table, in its order, and then the
// two that every program answers.
TEST(Options, ManualListsTheTable) {
  const std::string page = read_file(CATALIX_SOURCE_DIR "/man/catalix-check.1");
  const std::size_t start = page.find(".SH OPTIONS\n");
  std::istringstream section(page.substr(start, page.find("\n.SH ", start + 1) - start));
  std::string listed, expected;
  bool after_tp = false;
  for (std::string line; std::getline(section, line); after_tp = line == ".TP") {
    if (!after_tp || line.compare(0, 2, ".B") != 0) continue;
    // ".BR \-\-format=text | json | sarif" lists --format=text|json|sarif.
    for (char c : line.substr(line.find(' ') + 1)) {
      if (c != '\\' && c != ' ') listed += c;
    }
    listed += '\n';
  }
  for (int i = 0; i < kCheckOptionCount; ++i) {
    expected += std::string(kCheckOptions[i].name) + "=" + kCheckOptions[i].argument + "\n";
  }
  EXPECT_EQ(expected + "--help\n--version\n", listed);
}

TEST(Codes, EachInTheManualPage) {
  const std::string page = read_file(CATALIX_SOURCE_DIR "/man/catalix-check.1");
  for (int i = 0; i < kCodeCount; ++i) {
    EXPECT_NE(std::string::npos, page.find(std::string(".BR ") + kCodes[i].code)) << kCodes[i].code;
  }
}

TEST(Transitions, LookUp) {
  EXPECT_EQ(transition_match::known, look_up_transition("C IV ", 1548.2, 0.05).result);
  EXPECT_EQ(transition_match::unknown_wavelength, look_up_transition("CIV", 1584.2, 0.05).result);
  EXPECT_EQ(transition_match::unknown_ion, look_up_transition("XY", 1548.2, 0.05).result);
  EXPECT_EQ(transition_match::system_type, look_up_transition("DLA", -1, 0.05).result);
  EXPECT_EQ(transition_match::known, look_up_transition("FeII", -1, 0.05).result);
}

}  // namespace
