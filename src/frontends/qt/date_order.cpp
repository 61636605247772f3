#include "frontends/qt/date_order.h"

#include <string>

namespace zindle {

DateOrder DateOrderFromFormat(const char* format) {
    std::string fields;  // 'd', 'm' and 'y' in the order they appear
    for (const char* c = format; c && *c; ++c) {
        if (*c != '%' || !c[1]) continue;
        ++c;
        // Flags and widths between '%' and the conversion ("%-d", "%02m").
        while (*c == '-' || *c == '_' || *c == '0' || *c == '^' || *c == '#' || *c == 'E' || *c == 'O' ||
               (*c >= '1' && *c <= '9')) {
            ++c;
        }
        switch (*c) {
            case 'd': case 'e': fields += 'd'; break;
            case 'm': case 'b': case 'B': case 'h': fields += 'm'; break;
            case 'y': case 'Y': case 'C': case 'G': case 'g': fields += 'y'; break;
            case 'D': fields += "mdy"; break;
            case 'F': fields += "ymd"; break;
            case '\0': --c; break;
            default: break;
        }
    }
    const auto d = fields.find('d'), m = fields.find('m'), y = fields.find('y');
    if (d == std::string::npos || m == std::string::npos || y == std::string::npos) return DateOrder::MonthDayYear;
    if (y < m && m < d) return DateOrder::YearMonthDay;
    if (d < m) return DateOrder::DayMonthYear;
    return DateOrder::MonthDayYear;
}

}  // namespace zindle
