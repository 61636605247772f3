#include "resources/resources.h"

#include "resources/resource_table.h"

namespace zindle {
namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<std::span<const unsigned char>> ResourceBytes(std::string_view name) {
    for (const ResourceEntry& entry : ResourceTable()) {
        if (SameName(entry.name, name)) return entry.bytes;
    }
    return std::nullopt;
}

}  // namespace zindle
