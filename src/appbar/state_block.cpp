#include "appbar/state_block.h"

namespace zindle {

namespace {

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    void Put32(std::int32_t value) { Put(static_cast<std::uint32_t>(value), 4); }
    void Put16(std::uint16_t value) { Put(value, 2); }
    void PutBool(bool value) { Put16(value ? 0xFFFF : 0); }

private:
    void Put(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    std::vector<std::uint8_t>& bytes_;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::int32_t Get32() { return static_cast<std::int32_t>(Get(4)); }
    std::uint16_t Get16() { return static_cast<std::uint16_t>(Get(2)); }
    bool GetBool() { return Get16() != 0; }

private:
    std::uint32_t Get(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value |= static_cast<std::uint32_t>(bytes_[offset_++]) << (8 * i);
        return value;
    }
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

}  // namespace

std::vector<std::uint8_t> EncodeStateBlock(const StateBlock& block) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kStateBlockSize);
    Writer out(bytes);
    out.Put32(block.size);
    out.Put32(block.state);
    out.Put32(block.allowFlags);
    out.PutBool(block.autoHide);
    out.PutBool(block.alwaysOnTop);
    out.PutBool(block.slideEffect);
    out.Put16(0);
    for (const std::int32_t value :
         {block.slideTime, block.widthStep, block.heightStep, block.dockedWidth, block.dockedHeight,
          block.floatLeft, block.floatTop, block.floatRight, block.floatBottom, block.minFloatWidth,
          block.minFloatHeight, block.maxFloatWidth, block.maxFloatHeight, block.minDockedWidth,
          block.minDockedHeight, block.maxDockedWidth, block.maxDockedHeight}) {
        out.Put32(value);
    }
    out.Put16(static_cast<std::uint16_t>(block.taskbarButton));
    return bytes;
}

std::optional<StateBlock> DecodeStateBlock(std::span<const std::uint8_t> bytes, const StateBlock& current) {
    if (bytes.size() != kStateBlockSize) return std::nullopt;
    Reader in(bytes);
    StateBlock block;
    block.size = in.Get32();
    block.state = in.Get32();
    block.allowFlags = in.Get32();
    block.autoHide = in.GetBool();
    block.alwaysOnTop = in.GetBool();
    block.slideEffect = in.GetBool();
    in.Get16();  // reserved
    for (std::int32_t* field :
         {&block.slideTime, &block.widthStep, &block.heightStep, &block.dockedWidth, &block.dockedHeight,
          &block.floatLeft, &block.floatTop, &block.floatRight, &block.floatBottom, &block.minFloatWidth,
          &block.minFloatHeight, &block.maxFloatWidth, &block.maxFloatHeight, &block.minDockedWidth,
          &block.minDockedHeight, &block.maxDockedWidth, &block.maxDockedHeight}) {
        *field = in.Get32();
    }
    const auto upper = static_cast<std::uint32_t>(current.taskbarButton) & 0xFFFF0000u;
    block.taskbarButton = static_cast<std::int32_t>(upper | in.Get16());
    return block;
}

}  // namespace zindle
