#ifndef CATALIX_CATALOGUE_MESSAGES_H_
#define CATALIX_CATALOGUE_MESSAGES_H_

// The program's short messages (a file that cannot be opened, a lost marker
// character).  The console programs write them to standard output; the web
// program sends them to the server's log, and a second reading of the same
// bytes must not say again what the first one said; the Python module
// makes warnings of them.

#include <cstdio>

namespace messages {

// Where the messages go; null drops them.  Standard output to begin with.
extern FILE* stream;

// While `diverted_to` is set, the messages go to it and not to `stream`.
class receiver {
 public:
  virtual ~receiver() = default;
  virtual void heard(const char* text) = 0;
};
extern receiver* diverted_to;

// Writes one message and pushes it out at once.
void say(const char* text);

// A reading of bytes that an earlier reading has already reported: while
// one lives the messages are dropped; their stream is given back after.
class quiet_reading {
 public:
  quiet_reading() : said_(stream) { stream = nullptr; }
  ~quiet_reading() { stream = said_; }
  quiet_reading(const quiet_reading&) = delete;
  quiet_reading& operator=(const quiet_reading&) = delete;

 private:
  FILE* said_;
};

}  // namespace messages

#endif  // CATALIX_CATALOGUE_MESSAGES_H_
