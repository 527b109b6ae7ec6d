#ifndef CATALIX_APP_COMMAND_LINE_H_
#define CATALIX_APP_COMMAND_LINE_H_

// The part of the command line that every companion program shares:
// --help and --version answered alike, and one usage line for arguments a
// program does not take.  catalix itself takes no arguments at all.

#include <cstdio>

struct program_usage {
  const char* name;      // "catalix-dump"
  const char* synopsis;  // what follows the name on the usage line: "[query]"
  const char* help;      // the rest of --help, whole lines
};

// --help or --version anywhere before a "--" is answered on `out` (the help
// text, or the name and version), and the exit status is returned: 0, or 1
// when `out` could not be written.  Otherwise -1: the arguments are the
// program's own.
int answer_help_or_version(int argc, const char* const* argv, const program_usage& usage,
                           FILE* out = stdout);

// Arguments the program does not take: the usage line on standard error,
// and the exit status 2.
int refuse_arguments(const program_usage& usage);

// For a CGI program.  Under a web server (GATEWAY_INTERFACE set) the
// arguments are not looked at, as a server may pass a query's words there,
// and -1 is returned.  Run by hand it answers --help and --version; with no
// arguments and no request either (no REQUEST_METHOD) it writes `not_served`
// to standard error and returns 2; with a request set by hand, -1, to try it.
int answer_outside_server(int argc, const char* const* argv, const program_usage& usage,
                          const char* not_served);

#endif  // CATALIX_APP_COMMAND_LINE_H_
