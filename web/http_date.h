#ifndef CATALIX_WEB_HTTP_DATE_H_
#define CATALIX_WEB_HTTP_DATE_H_

// Times as HTTP writes them (RFC 9110, 5.6.7): whole seconds since
// 1970-01-01 00:00:00 UTC, sent as an IMF-fixdate and read in any of the
// three forms a client may send.

#include <filesystem>
#include <string>
#include <string_view>

// "Sun, 06 Nov 1994 08:49:37 GMT"; empty for a time outside the years 1970
// to 9999.
std::string format_http_date(long long seconds);

// Reads an IMF-fixdate, an RFC 850 date ("Sunday, 06-Nov-94 08:49:37 GMT")
// or an asctime date ("Sun Nov  6 08:49:37 1994"), the whole of `text`.  A
// two-digit year is the one nearest to `now` that is not more than 50 years
// ahead of it.  False for anything else, an impossible day or time included.
bool parse_http_date(std::string_view text, long long now, long long* seconds);

// The system clock's time, in seconds since 1970 (the file's time floored).
long long seconds_now();
long long system_seconds(std::filesystem::file_time_type time);

#endif  // CATALIX_WEB_HTTP_DATE_H_
