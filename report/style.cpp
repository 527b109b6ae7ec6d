#include "report/style.h"

#include "catalogue/messages.h"

int border = 0;
int width = 0;
int height = 0;
char color_interchange = '\0';
char header_align = '\0';
char cell_align = '\0';
char table_align = 'c';
int row_indx = 0;

namespace {

// A number or a letter after its '='; white space after a value is eaten.
void read_number_entry(input::source& in, int* value) {
  descriptor_shift(in, '=');
  if (in.read_int(value)) in.skip_white_space();
}

// As scanf's "%c": the very next byte, white space or not.
void read_letter_entry(input::source& in, char* value) {
  descriptor_shift(in, '=');
  const int c = in.get();
  if (c == input::kEnd) return;
  *value = static_cast<char>(c);
  in.skip_white_space();
}

}  // namespace

void read_style_settings(input::source& in) {
  read_number_entry(in, &border);
  read_number_entry(in, &width);
  read_number_entry(in, &height);
  read_letter_entry(in, &color_interchange);
  // Read, as every style file gives it, and on purpose used by nothing: stored pages rely on that.
  read_letter_entry(in, &header_align);
  read_letter_entry(in, &cell_align);
}

int init_style_variables(const char* path) {
  input::source style(path);
  if (!style.is_open()) {
    messages::say("error of opening file style.var\n");
    return 1;
  }
  read_style_settings(style);
  return 0;
}

const char* align_word(char letter) {
  switch (letter) {
    case 'l':
      return "left";
    case 'c':
      return "center";
    case 'r':
      return "right";
    default:
      return "";
  }
}

string align_type_convert(char letter) { return string(align_word(letter)); }

const char* row_color(int parity) {
  switch (parity) {
    case 0:
      return "white";
    case 1:
      return "#c0c0c0";
    default:
      return "#00aaaa";
  }
}

string color_change(int parity) { return string(row_color(parity)); }
