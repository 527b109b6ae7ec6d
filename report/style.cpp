#include "report/style.h"

#include "catalogue/input.h"
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
void read_number_entry(FILE* file, int* value) {
  descriptor_shift(file, '=');
  if (input::read_int(file, value)) input::skip_white_space(file);
}

void read_letter_entry(FILE* file, char* value) {
  descriptor_shift(file, '=');
  if (input::read_letter(file, value)) input::skip_white_space(file);
}

}  // namespace

void read_style_settings(FILE* file) {
  read_number_entry(file, &border);
  read_number_entry(file, &width);
  read_number_entry(file, &height);
  read_letter_entry(file, &color_interchange);
  read_letter_entry(file, &header_align);
  read_letter_entry(file, &cell_align);
}

int init_style_variables(const char* path) {
  FILE* file = input::open(path);
  if (file == nullptr) {
    messages::say("error of opening file style.var\n");
    return 1;
  }
  read_style_settings(file);
  std::fclose(file);
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
