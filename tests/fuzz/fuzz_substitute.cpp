// SubstituteAll on random templates, with the table "%%parse" builds from
// random arguments or with a random table. It must end quickly, keep the
// result within its bound, and leave a text without any key alone; with
// arguments, SubstituteArguments must give the same.

#include <optional>
#include <string>

#include "fuzz_support.h"
#include "interpreter/substitution.h"

namespace {

// The result never grows past this (SubstituteAll's own bound), unless the
// template was longer to begin with.
constexpr std::size_t kMaxLength = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace zindle;
    FuzzedDataProvider data(bytes, size);
    zindle::SubstitutionTable table;
    std::optional<std::string> args;
    if (data.ConsumeBool()) {
        args = data.ConsumeRandomLengthString(512);
        table = BuildSubstitutionTable(*args);
    } else {
        for (int rows = data.ConsumeIntegralInRange(0, 6); rows > 0; --rows) {
            std::string key = data.ConsumeRandomLengthString(6);
            table.emplace_back(std::move(key), data.ConsumeRandomLengthString(64));
        }
    }
    const std::string text = data.ConsumeRemainingBytesAsString();
    const std::string result = SubstituteAll(text, table);

    FUZZ_CHECK(result.size() <= std::max(kMaxLength, text.size()));
    bool anyKey = false;
    for (const auto& [key, value] : table) anyKey = anyKey || (!key.empty() && text.find(key) != std::string::npos);
    if (!anyKey) FUZZ_CHECK(result == text);
    if (args && !args->empty()) FUZZ_CHECK(SubstituteArguments(text, *args) == result);
    return 0;
}
