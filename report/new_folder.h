#ifndef CATALIX_REPORT_NEW_FOLDER_H_
#define CATALIX_REPORT_NEW_FOLDER_H_

// Where a file that is replaced whole is written first: a new folder beside
// it, named by a prefix and 16 random hexadecimal digits, that holds the
// new file until it is renamed over the old one (run_folder).  A folder,
// not a file opened with "wx", because making a folder fails where the
// name is taken on every platform, and the Windows C library ignores the x.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "report/run_folder.h"

// Removes from `where` every folder named `prefix` and 16 hexadecimal
// digits that a dead run left (remove_if_dead, with `name`), then makes a
// new one for this run with the file `name` in it, opened with `mode`,
// held by `folder`.  A name that is taken, or a folder that vanished before
// it was locked, is drawn again, a few times.  Null, with `error`, where no
// folder can be made.
FILE* make_new_folder(run_folder& folder, const std::filesystem::path& where, const std::string& prefix,
                      const std::filesystem::path& name, const char* mode, std::error_code& error);

#endif  // CATALIX_REPORT_NEW_FOLDER_H_
