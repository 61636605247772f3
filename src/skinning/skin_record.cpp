#include "skinning/skin_record.h"

namespace zindle {

PicturePtr GetSkinPicture(const SkinRecord& skin, int face, int state) {
    if (face < 1 || face > 4 || state < 1 || state > 3) return nullptr;
    return skin.gSkinPictures[static_cast<std::size_t>(face)][static_cast<std::size_t>(state)];
}

Colour GetSkinColor(const SkinRecord& skin, int slot) {
    if (slot < 1 || slot > 7) return MakeColour(0, 0, 0);
    return skin.gSkinColors[static_cast<std::size_t>(slot)];
}

}  // namespace zindle
