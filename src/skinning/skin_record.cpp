#include "skinning/skin_record.h"

namespace zindle {

Colour GetSkinColor(const SkinRecord& skin, int slot) {
    if (slot < 1 || slot > 7) return MakeColour(0, 0, 0);
    return skin.gSkinColors[static_cast<std::size_t>(slot)];
}

}  // namespace zindle
