#ifndef CATALIX_REPORT_RUN_FOLDER_H_
#define CATALIX_REPORT_RUN_FOLDER_H_

// A folder of this run's own beside a file that the run replaces whole,
// holding the one new file until it is renamed over the old one; and what
// becomes of such a folder when its run ends, however it ends.  The one
// place with calls that differ between platforms besides the reader.
//
// The lock.  While its run lives, the folder is locked, and the system
// drops the lock when the process ends, killed or not: on POSIX an flock()
// lock on a descriptor of the folder, on Windows a handle of the folder
// opened without delete sharing (no other process can then remove or
// rename it).  flock() and not fcntl(): an fcntl() lock belongs to the
// process and is dropped when it closes any descriptor of the file, which
// any library call that opens the folder would do; an flock() lock belongs
// to the one open descriptor kept for it.  The folder is locked, not the
// file, so that the lock is held before the file exists: a folder whose
// lock another run can take is a dead run's, empty or not.  The one moment
// in between, after the folder is made and before it is locked, make()
// covers: a folder that a cleaning run removed in it is one to name anew.
//
// Ending signals.  SIGINT, SIGTERM and SIGHUP (on Windows Ctrl-C,
// Ctrl-Break and the console's closing) remove the file and the folder of
// the run_folder alive at the time, then end the process as the signal
// would have: the default action, raised again, so a shell sees 128 + the
// signal's number (on Windows the exit code of Ctrl-C,
// STATUS_CONTROL_C_EXIT).  A signal that the program was started with
// ignored stays ignored.  The handler only removes two paths written into
// fixed buffers before the folder is made (POSIX); on Windows, where it
// runs on a thread of its own, it first closes the run's handles of the
// folder and of the file's stream, since an open file cannot be removed,
// and holds back every other change of them while it works.  Once the file
// has been renamed over the old one, it is no longer in the folder and
// stays where it is.  Paths of 4096 characters or more are not watched.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

class run_folder {
 public:
  run_folder() = default;
  run_folder(const run_folder&) = delete;
  run_folder& operator=(const run_folder&) = delete;
  ~run_folder() { remove(); }  // a file still in the folder goes with it

  // Makes `folder`, a name no other run uses, locks it and creates the
  // file `name` in it, opened with the fopen `mode`.  Null where it cannot:
  // `error` is file_exists where the name is taken, no_such_file_or_directory
  // where the folder vanished before it was locked (a cleaning run took it
  // for a dead one's: draw another name), else what the system said.
  // One run_folder at a time is watched by the ending signals.
  FILE* make(const std::filesystem::path& folder, const std::filesystem::path& name, const char* mode,
             std::error_code& error);

  // The file again, emptied; null where it cannot be opened.
  FILE* reopen(const char* mode);

  // Closes `stream` (one of make() or reopen() is no longer watched): true
  // where every byte written reached the file.
  bool close(FILE* stream);

  // Gives the file the owner and group of `target` where the system lets
  // this run (root may; anyone may give a group of their own), so that a
  // file replaced by another user stays its owner's.  Nothing on Windows.
  void take_owner(const std::filesystem::path& target);

  // Renames the file over `target` (the streams closed) and removes the
  // folder; false, and the folder and file removed, where the rename fails.
  bool put_in_place(const std::filesystem::path& target, std::error_code& error);

  // Removes the file and the folder, if there still are any.
  void remove();

  const std::filesystem::path& file() const { return file_; }

 private:
  bool lock(std::error_code& error);
  void unlock();

  std::filesystem::path folder_, file_;  // empty once removed
  std::intptr_t lock_ = -1;  // a descriptor of the folder (on Windows a HANDLE); -1: none
};

// Removes `folder` and the file `name` in it where the folder's lock can be
// taken (its run has ended) and it holds nothing else: an empty folder
// goes, a folder holding anything else (or a link, or `name` that is no
// regular file) stays.  True where it was removed.
bool remove_if_dead(const std::filesystem::path& folder, const std::filesystem::path& name);

#endif  // CATALIX_REPORT_RUN_FOLDER_H_
