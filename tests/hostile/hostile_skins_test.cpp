// Skins made to hurt: images that claim to be huge or empty, that are no
// images, that are FIFOs, devices or links out of the program directory,
// and skin.ini files that are junk or no files. Each is refused with a
// message naming the problem, the bar keeps its look, and nothing waits.

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <functional>

#include "hostile_fixture.h"

namespace zindle {
namespace {

// The headers of a bitmap that claims the given size; no pixels follow, the
// program only ever reads the header.
std::string BitmapHeader(std::int32_t width, std::int32_t height) {
    std::string bytes = "BM";
    const auto put = [&bytes](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(54, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    bytes.append(24, '\0');
    return bytes;
}

void LinkTo(const std::string& target, const std::string& path) {
    ASSERT_EQ(::symlink(target.c_str(), path.c_str()), 0) << path;
}

constexpr const char* kImages[] = {"up-normal", "up-over", "up-click", "down-normal", "down-over", "down-click"};

class HostileSkinsTest : public HostileTest {
protected:
    // A complete skin whose every picture is a small sound bitmap, except
    // that the Run button's at-rest picture is whatever `runNormal` makes.
    std::filesystem::path WriteSkin(const std::string& name, const std::function<void(const std::string&)>& runNormal,
                                    const std::string& extra = "") {
        const std::filesystem::path skin = dir.Path() / "skins" / name;
        std::filesystem::create_directories(skin);
        std::string ini = "[info]\nversion=3\nheight=22\n[updown]\n";
        for (const char* key : kImages) ini += std::string(key) + "=ok.bmp\n";
        ini += "[run]\nnormal=run.bmp\nover=ok.bmp\nclick=ok.bmp\n[exit]\nnormal=ok.bmp\nover=ok.bmp\nclick=ok.bmp\n";
        WriteBytes((skin / "skin.ini").string(), ini + extra);
        WriteBytes((skin / "ok.bmp").string(), BitmapHeader(16, 16));
        if (runNormal) runNormal((skin / "run.bmp").string());
        return skin;
    }

    // Loads the skin and returns the message boxes it showed; fails the test
    // when the bar's look changed although the skin was refused.
    std::vector<std::string> LoadRefused(const std::string& name) {
        const std::string before = Look();
        Run("%%skin " + name);
        const std::vector<std::string> boxes = MessageBoxes();
        EXPECT_EQ(Look(), before) << name;
        Run("%%msg alive");
        EXPECT_EQ(Status(), "alive");
        return boxes;
    }

    std::string Look() {
        const SkinRecord& skin = program->skin;
        std::string look = std::to_string(skin.gBarHeight);
        for (const auto& face : skin.gSkinPictures) {
            for (const PicturePtr& picture : face) look += " " + (picture ? picture->Source() : std::string("-"));
        }
        return look + platform->windows.FindWindow("Form1")->Describe();
    }

    static std::string CouldNotLoad(const std::string& skin, const std::string& file) {
        return "msgbox: Skin Error | Skin '" + skin + "': image '" + file +
               "' (\"normal\" in section [run]) could not be loaded. | information | ok";
    }
};

TEST_F(HostileSkinsTest, ImagesThatAreNoUsablePicturesRefuseTheSkin) {
    ASSERT_TRUE(Start("[cfg]\nsplash=0\n"));
    TempDir outside;
    WriteBytes(outside.File("passwd"), "root:x:0:0:root:/root:/bin/bash\n");
    const struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"huge", [](const std::string& path) { WriteBytes(path, BitmapHeader(70000, 70000)); }},
        {"zero", [](const std::string& path) { WriteBytes(path, BitmapHeader(0, 0)); }},
        {"negative", [](const std::string& path) { WriteBytes(path, BitmapHeader(-16, 16)); }},
        {"text", [](const std::string& path) { WriteBytes(path, "not a picture at all\n"); }},
        {"empty", [](const std::string& path) { WriteBytes(path, ""); }},
        {"truncated", [](const std::string& path) { WriteBytes(path, BitmapHeader(16, 16).substr(0, 20)); }},
        {"junk", [](const std::string& path) { WriteBytes(path, "BM" + Junk(4096, 3)); }},
        {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
        {"fifo", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
        {"device", [](const std::string& path) { LinkTo("/dev/zero", path); }},
        {"outside", [&](const std::string& path) { LinkTo(outside.File("passwd"), path); }},
        {"dangling", [&](const std::string& path) { LinkTo(outside.File("gone.bmp"), path); }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        WriteSkin(test.name, test.make);
        EXPECT_EQ(LoadRefused(test.name), std::vector<std::string>{CouldNotLoad(test.name, "run.bmp")});
        EXPECT_EQ(program->skin.gSkinName, test.name) << "the name is kept all the same";
    }
    WriteSkin("missing", {});
    EXPECT_EQ(LoadRefused("missing"), std::vector<std::string>{CouldNotLoad("missing", "run.bmp")});
}

TEST_F(HostileSkinsTest, SkinsThatAreMerelyHugeOrElsewhereLoad) {
    ASSERT_TRUE(Start("[cfg]\nsplash=0\n"));
    // 256 MB, almost all of it a hole in the file: only the header is read.
    const std::filesystem::path big = WriteSkin("big", [](const std::string& path) {
        WriteBytes(path, BitmapHeader(16, 16));
        std::filesystem::resize_file(path, 256u << 20);
    });
    Run("%%skin big");
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(GetSkinPicture(program->skin, kFaceRun, kStateNormal)->Source(), (big / "run.bmp").string());

    // The largest picture there is, as a button, a tile and the right-hand
    // image, which then starts far left of the bar.
    WriteSkin("widest", [](const std::string& path) { WriteBytes(path, BitmapHeader(65535, 65535)); },
              "[background]\ntile=run.bmp\nright=run.bmp\n");
    Run("%%skin widest");
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_NE(Look().find("run.bmp@-64511,0"), std::string::npos) << Look();

    // A skin folder that is a link to one outside the program directory.
    TempDir outside;
    const std::filesystem::path elsewhere = WriteSkin("elsewhere", [](const std::string& path) {
        WriteBytes(path, BitmapHeader(20, 20));
    });
    std::filesystem::rename(elsewhere, outside.Path() / "skin");
    std::filesystem::create_directory_symlink(outside.Path() / "skin", elsewhere);
    Run("%%skin elsewhere");
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(GetSkinPicture(program->skin, kFaceRun, kStateNormal)->WidthPixels(), 20);
}

TEST_F(HostileSkinsTest, SkinFilesThatAreJunkOrNoFilesAreRefused) {
    ASSERT_TRUE(Start("[cfg]\nsplash=0\n"));
    TempDir outside;
    WriteBytes(outside.File("text"), "[info]\nversion=2\n");
    const std::string notV3 =
        "msgbox: Skin Error | This skin is not a Version 3 Skin, I can't load it. | information | ok";
    const struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        bool found;
    } cases[] = {
        {"junk", [](const std::string& path) { WriteBytes(path, Junk(10 << 20, 5)); }, true},
        {"outside", [&](const std::string& path) { LinkTo(outside.File("text"), path); }, true},
        {"fifo", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, false},
        {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }, false},
        {"device", [](const std::string& path) { LinkTo("/dev/zero", path); }, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::filesystem::path skin = dir.Path() / "skins" / test.name;
        std::filesystem::create_directories(skin);
        test.make((skin / "skin.ini").string());
        std::string expected = notV3;
        if (!test.found) {
            expected = "msgbox: Skin Error | Skin '" + std::string(test.name) + "' not found. | information | ok";
        }
        EXPECT_EQ(LoadRefused(test.name), std::vector<std::string>{expected});
    }
}

}  // namespace
}  // namespace zindle
