#ifndef CATALIX_REPORT_PAGE_FILE_H_
#define CATALIX_REPORT_PAGE_FILE_H_

// The file the answer page is written to, and how it takes the place of the
// earlier page: whole or not at all.
//
// A page that is absent or a regular file (itself or at the end of symbolic
// links, which stay links) is written to a new file in the same folder and,
// once flushed and closed, renamed over the earlier one: readers see the
// old page or the new, never a mix, and a run that fails or is killed
// leaves the old page as it was.  The new file lies in a folder of its own,
// `.results.html.` and 16 random hexadecimal digits, because making a
// folder fails where the name is taken on every platform, where opening a
// file with "wx" does not (the Windows C library ignores the "x").  It gets
// the earlier page's permission bits.  The folder is a run_folder: an
// ending signal takes it away, and a later run removes it once its run
// has died, however it died, before it makes its own.
//
// Written in place (truncated first), as a plain stream: a page that is no regular
// file (a pipe, a device), and a page in a folder where this run may make
// nothing new.  Refused: a page that is one of the inputs (a hard or a
// symbolic link to it), and an earlier page this run may not write to.

#include <cstdio>
#include <filesystem>
#include <vector>

#include "report/run_folder.h"

class page_file {
 public:
  page_file(std::filesystem::path name, std::vector<std::filesystem::path> inputs);
  // Its destruction takes away a new file that did not replace the page.

  // Whether the page can be written over in place: absent or a regular
  // file.  A page that cannot must be written front to back.
  bool seekable() const { return seekable_; }

  // The page's stream, emptied; null where the page is refused or cannot
  // be made.  The first call decides where the page goes; a later one, for
  // a page begun again, opens the same file again.
  FILE* open();

  // Closes `out` and, where `whole` and every byte reached the file, puts
  // the page in place.  False where it did not: the new file is taken
  // away, or the page written in place is removed.
  bool finish(FILE* out, bool whole);

  // Closes `out` without putting the page in place, so that it can be
  // opened again: true where every byte reached the file.
  bool close(FILE* out);

  // Takes away what was written, `out` being closed already.
  void discard();

 private:
  bool is_an_input() const;
  FILE* open_in_place();
  FILE* open_new_file(std::error_code& error);

  std::filesystem::path name_;
  std::vector<std::filesystem::path> inputs_;
  std::filesystem::path target_;  // the page at the end of its links
  bool seekable_ = false;
  bool replaceable_ = false;      // absent or regular, and no link is left
  bool decided_ = false;
  run_folder new_folder_;         // holds the new file, once decided
  std::filesystem::path in_place_;  // or the page written in place
};

#endif  // CATALIX_REPORT_PAGE_FILE_H_
