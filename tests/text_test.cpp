// Each escaping rule and the UTF-8 repair on the bytes that decide them.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "text/escaping.h"
#include "text/text_encoding.h"

namespace {

using namespace std::string_view_literals;
using rule = void (*)(std::string*, std::string_view);

void repair(std::string* out, std::string_view s) { text_encoding::append_clean(out, s); }
void percent(std::string* out, std::string_view s) { escaping::append_percent_encoded(out, s); }
void path(std::string* out, std::string_view s) { escaping::append_percent_encoded(out, s, "/"); }

#define R "\xEF\xBF\xBD"  // U+FFFD

const struct {
  const char* name;
  rule apply;
  std::string_view in, out;
} kCases[] = {
    {"html", escaping::append_html_text, "a&<>\"'b", "a&amp;&lt;&gt;&quot;&#39;b"},
    {"html", escaping::append_html_text, "\0\t\x7f\xc3\xa9 ~"sv, "???" "?? ~"},
    {"attribute", escaping::append_html_attribute, "a=1&b=%3C", "a=1&amp;b=%3C"},
    {"xml", escaping::append_xml, "&<>\"'\t\n\r", "&amp;&lt;&gt;&quot;'&#9;&#10;&#13;"},
    {"xml", escaping::append_xml, "\0\x01\xff\xef\xbf\xbe\xc3\xa9"sv, R R R R "\xc3\xa9"},
    {"json", escaping::append_json_string, "", "\"\""},
    {"json", escaping::append_json_string, "\"\\\n\t\r\0\x1f\x7f/"sv,
     "\"\\\"\\\\\\n\\t\\r\\u0000\\u001f\\u007f/\""},
    {"json", escaping::append_json_string, "\xc3\xa9\xff\xed\xa0\x80\xef\xbf\xbf",
     "\"\xc3\xa9\\ufffd\\ufffd\\ufffd\\ufffd\xef\xbf\xbf\""},
    {"percent", percent, "aZ09-._~ /%\xff\0"sv, "aZ09-._~%20%2F%25%FF%00"},
    {"percent path", path, "a b/c\\", "a%20b/c%5C"},
    {"page", escaping::append_page_ion_name, "<C IV>&\"'\xff", "&lt;C IV&gt;&\"'\xff"},
    // Well-formed UTF-8 of each length passes; overlong forms, surrogates,
    // code points past U+10FFFF, cut sequences and what XML forbids do not.
    {"utf8", repair, "a\t\n\r\xc2\x80\xe2\x82\xac\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf",
     "a\t\n\r\xc2\x80\xe2\x82\xac\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf"},
    {"utf8", repair, "\xc0\x80\xe0\x80\x80", R R R R R},
    {"utf8", repair, "\xed\xa0\x80\xf4\x90\x80\x80", R R R R R R R},
    {"utf8", repair, "\x01\x7f\xef\xbf\xbe\xe2\x82", R "\x7f" R R R},
};

TEST(Escaping, EachRuleOnItsEdges) {
  for (const auto& c : kCases) {
    std::string out = "x";
    c.apply(&out, c.in);
    EXPECT_EQ(out, "x" + std::string(c.out)) << c.name << " of \"" << c.in << "\"";
  }
}

}  // namespace
