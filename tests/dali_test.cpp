// The one description of the query's fields against the form that shows
// them.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "query/field_table.h"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Each field of the table is in the form, in its order, under its label;
// the form has no other field but the answer's format.
TEST(FieldTable, IsTheFormsHtml) {
  const std::string form = read_file(CATALIX_SOURCE_DIR "/site/query.body.html");
  std::string names;
  const std::regex input("<(?:input|select) [^>]*name=\"([a-z_]+)\"");
  for (std::sregex_iterator i(form.begin(), form.end(), input), end; i != end; ++i) {
    names += (*i)[1].str() + " ";
  }
  std::string want;
  for (const query_field& field : kQueryField) {
    want += std::string(field.name) + " ";
    const std::string name = field.name;
    if (field.role == field_role::name) {
      EXPECT_NE(std::string::npos, form.find("<label for=\"" + name + "\">" + field.quantity + "</label>"));
      continue;
    }
    const char* side = field.role == field_role::lower ? "lower bound" : "upper bound";
    EXPECT_NE(std::string::npos, form.find("<th align=\"left\" id=\"" + name.substr(4) + "\">" +
                                           field.quantity + "</th>")) << name;
    EXPECT_NE(std::string::npos, form.find("<label for=\"" + name + "\" id=\"" + name + "_label\">" +
                                           side + "</label>")) << name;
  }
  EXPECT_EQ(want + "format ", names);
}

}  // namespace
