// A skin's bar height: at least one pixel once rounded, and what it asks of
// the docking.

#include "skinning_fixture.h"

namespace zindle {
namespace {

TEST_F(SkinningTest, ABarHeightThatRoundsBelowOnePixelRefusesTheSkin) {
    skinning->LoadBaseSkin();
    appBar.calls.clear();
    const std::string before = Snapshot();
    int number = 0;
    for (const char* height : {"0", "0.5", "-0.6", "none"}) {
        const std::string name = "flat" + std::to_string(number++);
        SkinIni ini = CompleteSkin();
        ini["info"]["height"] = height;
        WriteSkin(name, ini);
        output.clear();
        skinning->LoadSkin(name);
        EXPECT_EQ(output, std::vector<std::string>{"msgbox: Skin Error | Skin '" + name +
                                                   "': \"height\" in section [info] is out of range. | "
                                                   "information | ok"})
            << height;
        EXPECT_EQ(Snapshot(), before) << height;
    }
    EXPECT_TRUE(appBar.calls.empty());

    SkinIni ini = CompleteSkin();
    ini["info"]["height"] = "0.6";
    WriteSkin("thin", ini);
    output.clear();
    skinning->LoadSkin("thin");
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(skin.gBarHeight, 1);
    EXPECT_EQ(appBar.calls, (std::vector<std::string>{"height 1", "update"}));
}

}  // namespace
}  // namespace zindle
