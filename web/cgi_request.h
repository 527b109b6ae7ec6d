#ifndef CATALIX_WEB_CGI_REQUEST_H_
#define CATALIX_WEB_CGI_REQUEST_H_

// The form text of a CGI request (RFC 3875), from the variables that the web
// server sets: a GET's (or HEAD's) QUERY_STRING, or the body of a POST of type
// application/x-www-form-urlencoded, read from standard input.

#include <cstdio>
#include <string>

// The largest body taken.
const std::size_t kLargestBody = 64 * 1024;

struct request_text {
  int status;       // 0 when `text` holds the form; else the HTTP status to answer
  std::string why;  // for a status: a plain sentence that says why
  std::string text;
  bool head;        // HEAD: answered as GET, without the body
  bool post;
};

// Reads at most kLargestBody bytes from `body`, and never more than the
// request's CONTENT_LENGTH.
request_text read_request(FILE* body);

#endif  // CATALIX_WEB_CGI_REQUEST_H_
