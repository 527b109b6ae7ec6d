#ifndef CATALIX_WEB_VALIDATORS_H_
#define CATALIX_WEB_VALIDATORS_H_

// What lets a client keep an answer and ask again cheaply (RFC 9110, 8.8
// and 13): an entity tag made from what the answer is made of, and the
// time the files it is read from last changed.  Both come from the files'
// sizes and modification times alone, so that a request whose copy is
// current is answered without reading the catalogue.

#include <string>
#include <string_view>

struct validators {
  std::string etag;        // with its double quotes
  long long last_modified;  // seconds since 1970
};

// The validators of an answer read from `catalogue`, which must be a
// regular file, and `style` (which may be missing), and told apart from
// other answers by `question`, the bytes that say what was asked.  False,
// with no validators, when the catalogue is not there to look at.
bool answer_validators(const std::string& catalogue, const std::string& style,
                       std::string_view question, validators* out);

// True when the request's conditions say the client's copy is current and
// a 304 is the answer (RFC 9110, 13.2.2, for GET and HEAD): If-None-Match
// names the entity tag (or is "*"); or, only without If-None-Match,
// If-Modified-Since is a date not before the last change.  Null or empty
// stands for a field the request does not have.
bool client_copy_current(const validators& answer, const char* if_none_match,
                         const char* if_modified_since, long long now);

// Whether the list of entity tags of an If-None-Match field holds `etag`
// under the weak comparison; false for a list that cannot be read.
bool etag_list_holds(std::string_view list, std::string_view etag);

#endif  // CATALIX_WEB_VALIDATORS_H_
