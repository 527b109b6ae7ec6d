// The line table's writers on a row with every kind of cell: null, a
// number, and texts that need quoting, escaping or cleaning.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "query/query_form.h"
#include "table/table_writer.h"

namespace {

// What `writer` writes for the row below, and the head and end around it
// (the end saying `error` where it is not null).
std::string written(std::unique_ptr<table_writer> (*make)(FILE*), bool head,
                    const char* error = nullptr) {
  const char* texts[kLineColumns] = {
      "Q 0000+001", "a,b", "1", "2.5", nullptr, " SiIV", "1e+100", nullptr, "say \"hi\"",
      "tab\there", "line\r\nend", "<b>&amp;</b>", "\xff" "bad \xc3\xa9 \x01\xed\xa0\x80", ""};
  line_row row;
  for (int i = 0; i < kLineColumns; ++i) {
    row.cells[i].null = texts[i] == nullptr;
    row.cells[i].number = i == 2 || i == 3 || i == 6;
    if (texts[i] != nullptr) row.cells[i].text = texts[i];
  }
  FILE* out = std::tmpfile();
  std::unique_ptr<table_writer> writer = make(out);
  if (head) writer->begin(false);
  writer->row(row);
  if (head) writer->end(1, 2, error);
  std::string text(static_cast<std::size_t>(std::ftell(out)), '\0');
  std::rewind(out);
  text.resize(std::fread(&text[0], 1, text.size(), out));
  std::fclose(out);
  return text;
}

// The cell of bytes as cleaned: the stray byte, the control character and
// each byte of the encoded surrogate become U+FFFD.
const std::string kFffd = "\xef\xbf\xbd";
const std::string kCleaned = kFffd + "bad \xc3\xa9 " + kFffd + kFffd + kFffd + kFffd;

TEST(TableWriters, CsvQuotesWhatItMust) {
  const std::string row = written(make_csv_writer, false);
  EXPECT_EQ("Q 0000+001,\"a,b\",1,2.5,,\" SiIV\",1e+100,,\"say \"\"hi\"\"\",tab\there,"
            "\"line\r\nend\",<b>&amp;</b>," + kCleaned + ",\r\n", row);
  EXPECT_EQ("qso_name,qso_label,system,z_em,z_abs,ion,lambda_lab,lambda_obs,lambda_obs_err,"
            "w_obs,w_obs_err,log_n,symbols,remark\r\n" + row,
            written(make_csv_writer, true));
}

TEST(TableWriters, TsvQuotesTabsAndLineEnds) {
  EXPECT_EQ("Q 0000+001\ta,b\t1\t2.5\t\t\" SiIV\"\t1e+100\t\t\"say \"\"hi\"\"\"\t\"tab\there\"\t"
            "\"line\r\nend\"\t<b>&amp;</b>\t" + kCleaned + "\t\n",
            written(make_tsv_writer, false));
}

TEST(TableWriters, VoTableEscapesEveryText) {
  EXPECT_EQ("<TR><TD>Q 0000+001</TD><TD>a,b</TD><TD>1</TD><TD>2.5</TD><TD></TD><TD> SiIV</TD>"
            "<TD>1e+100</TD><TD></TD><TD>say &quot;hi&quot;</TD><TD>tab&#9;here</TD>"
            "<TD>line&#13;&#10;end</TD><TD>&lt;b&gt;&amp;amp;&lt;/b&gt;</TD>"
            "<TD>" + kCleaned + "</TD><TD></TD></TR>\n",
            written(make_votable_writer, false));
  query_ion_name = string("<C&IV\"\t");
  const std::string document = written(make_votable_writer, true);
  EXPECT_NE(std::string::npos, document.find("<PARAM name=\"ion\" datatype=\"unicodeChar\" "
                                             "arraysize=\"*\" value=\"&lt;C&amp;IV&quot;&#9;\""));
  EXPECT_EQ("</TR>\n</TABLEDATA></DATA>\n</TABLE>\n"
            "<INFO name=\"selected_spectra\" value=\"1\">Spectra with a selected system</INFO>\n"
            "<INFO name=\"all_spectra\" value=\"2\">Spectra in the catalogue</INFO>\n"
            "</RESOURCE>\n</VOTABLE>\n",
            document.substr(document.rfind("</TR>")));
  // Rows that end early: a second QUERY_STATUS after the table says so.
  const std::string cut = written(make_votable_writer, true, "changed <here>");
  EXPECT_NE(std::string::npos, cut.find("<INFO name=\"QUERY_STATUS\" value=\"OK\"/>\n<PARAM"));
  EXPECT_NE(std::string::npos, cut.find("</TABLE>\n<INFO name=\"QUERY_STATUS\" value=\"ERROR\">"
                                        "changed &lt;here&gt;</INFO>\n<INFO name=\"selected"));
}

}  // namespace
