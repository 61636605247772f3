#pragma once
// The table the build generates from the files of the resources folder
// (embed_resources.cmake); only resources.cpp reads it.

#include <span>
#include <string_view>

namespace zindle {

struct ResourceEntry {
    std::string_view name;
    std::span<const unsigned char> bytes;
};

std::span<const ResourceEntry> ResourceTable();

}  // namespace zindle
