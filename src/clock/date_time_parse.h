#pragma once
// The date-time texts the clocks accept as their time parameter.

#include <string_view>

#include "platform/system.h"
#include "platform/types.h"

namespace zindle {

// Reads a time of day, a date, or a date and a time, with blanks allowed
// around the whole:
// - a time: "H:MM" or "H:MM:SS" with hours 0-23, or hours 1-12 followed by
//   "AM" or "PM" (any case, with or without a blank before it); "3PM" alone
//   is a time as well;
// - a date: day, month and year in the locale's order, separated by '/', '-'
//   or '.' (the same one twice), with a two- or four-digit year (00-29 mean
//   2000-2029, 30-99 mean 1930-1999); "YYYY-MM-DD" is read in every locale;
// - a date, one or more blanks and a time; after "YYYY-MM-DD" also a 'T'
//   and a time.
// A time alone lies on day zero (the value is the fraction of a day), a date
// alone is its midnight. Years run from 100 to 9999. False, and value left
// alone, for any other text or a moment that does not exist.
bool TryParseDateTime(std::string_view text, DateOrder order, DateTime& value);

}  // namespace zindle
