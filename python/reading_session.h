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
// in the file, as catalix-check reports it (CX104).  The files are read
// without a listener, as fast as the programs read them: a search that
// says its message has made its 1001 reads, so it began 1001 bytes before
// where the reading stands then.  Only where a search ran into the end of
// the file, which ends it early, is the file read again with a listener
// that hears where each search began.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/messages.h"
#include "catalogue/source.h"
#include "query/field_table.h"

// The query's bounds: its fields but the ion name.
const int kQueryBounds = kQueryFields - 1;

struct located_message {
  std::string file;
  std::string text;     // without its line end
  long long line = 0;   // from 1, and the column counted in bytes from 1
  long long column = 0;
  long long after = 0;  // where the reading stood when it was said
  bool at_end = false;  // the search ran into the end of the file
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

  // Sets the query: the bounds in the order of the form file and of
  // kQueryField (min_resolution to max_col_dens) and the ion name's bytes (at most 99).
  void set_query(const double bounds[kQueryBounds], const std::string& ion_name);
  // The query in force: the bounds and the ion name's bytes.
  void get_query(double bounds[kQueryBounds], std::string* ion_name) const;
  // Reads the query form at `path`, as the programs read absrp_query.frm.
  // Throws unreadable_input ("error of opening file PATH").
  void read_form(const std::string& path);
  // Opens the catalogue at `path`, to be read (once) by the program's
  // readers from the source returned, which the session owns.  Throws
  // unreadable_input ("error of reading PATH").
  input::source& open_catalogue(const std::string& path);

  // The messages so far, in the order they were said, with their places.
  const std::vector<located_message>& said();

 private:
  void heard(const char* text) override;
  // Places the messages from `first` on, said while `path` was read by
  // `read`, which reads it again to find them where needed.
  void place(std::size_t first, const std::string& path, void (*read)(input::source&));

  struct saved_globals;
  std::unique_ptr<saved_globals> saved_;
  std::vector<located_message> said_;
  std::string path_;                         // the file being read
  input::source* reading_ = nullptr;         // and its source
  std::unique_ptr<input::source> catalogue_;
  std::size_t catalogue_first_ = 0;          // its first message
  bool quiet_ = false;                       // reading again what was heard already
};

#endif  // CATALIX_PYTHON_READING_SESSION_H_
