#ifndef CATALIX_PYTHON_READING_SESSION_H_
#define CATALIX_PYTHON_READING_SESSION_H_

// One reading of a catalogue, and of a query form, for the Python module,
// which may read many catalogues in one process.  The program keeps its
// state in globals: the query, the selection's counts, where messages go,
// the spectrum in memory.  A session finds them as they are, uses them, and
// puts them back as they were when it ends (the spectrum's memory given
// back), however it ends.  One session at a time.
//
// The reader's messages ("file read message: stop_signal '$' lost") are
// not written anywhere but kept, each with the place where its search began
// in the file, as catalix-check reports it (CX104): the catalogue is read
// without listening, as fast as the programs read it, and only a spectrum
// that said something is read again with a listener to find the places.

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "check/line_index.h"

struct located_message {
  std::string file;
  std::string text;     // without its line end
  long long line = 0;   // from 1, and the column counted in bytes from 1
  long long column = 0;
};

// An input that is not a readable regular file; what() is the program's
// message for it.
class unreadable_input : public std::runtime_error {
 public:
  unreadable_input(const std::string& message, std::string path)
      : std::runtime_error(message), path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class reading_session : private messages::receiver {
 public:
  reading_session();
  ~reading_session() override;
  reading_session(const reading_session&) = delete;
  reading_session& operator=(const reading_session&) = delete;

  // Sets the query: the fourteen bounds in the order of the form file
  // (min_resolution to max_col_dens) and the ion name's bytes (at most 99).
  void set_query(const double bounds[14], const std::string& ion_name);
  // Reads the query form at `path`, as the programs read absrp_query.frm.
  // Throws unreadable_input ("error of opening file PATH").
  void read_form(const std::string& path);
  // The query in force: the fourteen bounds and the ion name's bytes.
  void get_query(double bounds[14], std::string* ion_name) const;
  // Reads the catalogue at `path` one spectrum at a time into
  // First_QSO_spectrum and hands each to `each` before the next is read;
  // returns the number of spectra.  Throws unreadable_input ("error of
  // reading PATH"), and whatever `each` throws.
  int read_catalogue(const std::string& path, const std::function<void(QSO_spectrum&)>& each);

  // The messages so far, in the order they were said.
  const std::vector<located_message>& said() const { return said_; }

 private:
  void heard(const char* text) override;
  // Places the messages from `first` on: the byte offsets of their
  // searches, then lines and columns.
  void locate(std::size_t first, const std::string& path, const std::vector<long long>& offsets);

  struct saved_globals;
  std::unique_ptr<saved_globals> saved_;
  std::vector<located_message> said_;
  std::string file_;    // the file being read
  std::unique_ptr<line_index> lines_;  // of lines_path_, made when first asked
  std::string lines_path_;
  bool quiet_ = false;  // reading again what was heard already
};

#endif  // CATALIX_PYTHON_READING_SESSION_H_
