#include "web/http_date.h"

#include <chrono>
#include <cstdio>

namespace {

const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const long long kDay = 86400;

long long floor_div(long long a, long long b) { return a / b - (a % b < 0 ? 1 : 0); }

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and
// back (H. Hinnant's algorithms, for month 1 to 12).
long long days_from_civil(long long y, int m, int d) {
  y -= m <= 2;
  const long long era = floor_div(y, 400);
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civil_from_days(long long z, long long* y, int* m, int* d) {
  z += 719468;
  const long long era = floor_div(z, 146097);
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *y = yoe + era * 400 + (*m <= 2);
}

int days_in_month(long long y, int m) {
  static const int kLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kLength[m - 1];
}

// Reads the parts of a date one after the other; each step fails without
// moving when the text does not go on as asked.
struct cursor {
  std::string_view text;
  std::size_t at;

  bool literal(std::string_view part) {
    if (text.substr(at, part.size()) != part) return false;
    at += part.size();
    return true;
  }
  bool digits(int count, int* value) {
    if (text.size() - at < static_cast<std::size_t>(count)) return false;
    int v = 0;
    for (int i = 0; i < count; ++i) {
      const char c = text[at + i];
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    at += count;
    *value = v;
    return true;
  }
  template <int N>
  bool one_of(const char* const (&names)[N], int* index) {
    for (int i = 0; i < N; ++i) {
      if (literal(names[i])) {
        *index = i;
        return true;
      }
    }
    return false;
  }
  bool time_of_day(int* h, int* m, int* s) {
    return digits(2, h) && literal(":") && digits(2, m) && literal(":") && digits(2, s);
  }
};

}  // namespace

std::string format_http_date(long long seconds) {
  if (seconds < 0) return std::string();
  const long long days = seconds / kDay, rest = seconds % kDay;
  long long y;
  int m, d;
  civil_from_days(days, &y, &m, &d);
  if (y > 9999) return std::string();
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02d %s %04lld %02lld:%02lld:%02lld GMT",
                kDays[(days + 4) % 7], d, kMonths[m - 1], y, rest / 3600, rest / 60 % 60,
                rest % 60);
  return text;
}

bool parse_http_date(std::string_view text, long long now, long long* seconds) {
  cursor c{text, 0};
  int day_name, day = 0, month = 0, year = 0, h = 0, mi = 0, s = 0;
  if (c.one_of(kLongDays, &day_name) && c.literal(", ")) {
    // RFC 850: Sunday, 06-Nov-94 08:49:37 GMT
    if (!(c.digits(2, &day) && c.literal("-") && c.one_of(kMonths, &month) && c.literal("-") &&
          c.digits(2, &year) && c.literal(" ") && c.time_of_day(&h, &mi, &s) &&
          c.literal(" GMT"))) {
      return false;
    }
    long long this_year;
    int m, d;
    civil_from_days(floor_div(now, kDay), &this_year, &m, &d);
    year += static_cast<int>(this_year - this_year % 100);
    if (year > this_year + 50) year -= 100;
  } else {
    c.at = 0;
    if (!c.one_of(kDays, &day_name)) return false;
    if (c.literal(", ")) {
      // IMF-fixdate: Sun, 06 Nov 1994 08:49:37 GMT
      if (!(c.digits(2, &day) && c.literal(" ") && c.one_of(kMonths, &month) &&
            c.literal(" ") && c.digits(4, &year) && c.literal(" ") &&
            c.time_of_day(&h, &mi, &s) && c.literal(" GMT"))) {
        return false;
      }
    } else {
      // asctime: Sun Nov  6 08:49:37 1994
      if (!(c.literal(" ") && c.one_of(kMonths, &month) && c.literal(" ") &&
            (c.digits(2, &day) || (c.literal(" ") && c.digits(1, &day))) && c.literal(" ") &&
            c.time_of_day(&h, &mi, &s) && c.literal(" ") && c.digits(4, &year))) {
        return false;
      }
    }
  }
  ++month;
  if (c.at != text.size() || day < 1 || day > days_in_month(year, month) || h > 23 || mi > 59 ||
      s > 60) {
    return false;
  }
  *seconds = days_from_civil(year, month, day) * kDay + h * 3600 + mi * 60 + s;
  return true;
}

long long seconds_now() {
  using namespace std::chrono;
  return floor<seconds>(system_clock::now().time_since_epoch()).count();
}

long long system_seconds(std::filesystem::file_time_type time) {
  using namespace std::chrono;
  // C++17 has no clock_cast.  The file clock and the system clock differ by
  // a constant whole number of seconds in libstdc++, libc++ and mingw-w64's
  // library, so that difference, measured now and rounded, converts.
  const long long file_now = floor<milliseconds>(
      std::filesystem::file_time_type::clock::now().time_since_epoch()).count();
  const long long system_now = floor<milliseconds>(system_clock::now().time_since_epoch()).count();
  const long long offset = floor_div(file_now - system_now + 500, 1000);
  return static_cast<long long>(floor<seconds>(time.time_since_epoch()).count()) - offset;
}
