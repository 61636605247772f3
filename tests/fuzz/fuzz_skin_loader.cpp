// The skin loader on random skin.ini files naming truncated and corrupted
// images of every format, in a running program on the headless platform.
// A refused skin must leave the skin record (but its name) and every
// control of the bar exactly as they were; picture headers never give a
// size outside 1 to 65535.

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "bar/form1.h"
#include "fuzz_program.h"
#include "fuzz_support.h"
#include "frontends/headless/headless_pictures.h"
#include "frontends/headless/headless_platform.h"
#include "startup/program.h"

namespace zindle::fuzz {
namespace {

using namespace std::literals;

const std::vector<std::string> kSections = {"info", "updown", "command", "run",
                                            "exit", "status", "clock",   "background"};
const std::vector<std::string> kKeys = {
    "version", "height", "visible", "left", "right", "width", "top", "border", "align", "bg-color",
    "txt-color", "working", "font", "size", "bold", "italic", "strike", "underline", "color", "tile",
    "normal", "over", "click", "up-normal", "up-over", "up-click", "down-normal", "down-over", "down-click"};
const std::vector<std::string> kValues = {
    "3", "2.9", "10", "21", "0", "1", "2", "-1", "-22", "-100", "-32768", "32767", "2185", "1e9", "-1e9",
    "0.5", "abc", "yes", "no", "FF0000", "#12345", "FFF", "Arial", "a.bmp", "b.gif", "c.png", "d.jpg",
    "e.ico", "missing.bmp", "sub/../a.bmp", ".", "../skins/s/a.bmp", ""};

// One picture file per format, each starting from a sound header.
struct ImageFile {
    const char* name;
    std::string header;
};

std::array<ImageFile, 5> Images() {
    return {{
        {"a.bmp", "BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x10\0\0\0\x08\0\0\0\x01\0\x18\0"s},
        {"b.gif", "GIF89a\x10\0\x08\0\x80\0\0"s},
        {"c.png", "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x10\0\0\0\x08\x08\x02\0\0\0"s},
        {"d.jpg", "\xff\xd8\xff\xe0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0\xff\xc0\0\x11\x08\0\x08\0\x10\x03"s},
        {"e.ico", "\0\0\x01\0\x01\0\x10\x08\0\0\x01\0\x20\0\0\0\0\0\x16\0\0\0"s},
    }};
}

// The header cut short, grown, or with a few bytes changed.
std::string Corrupt(FuzzedDataProvider& data, std::string bytes) {
    if (data.ConsumeBool()) bytes.resize(data.ConsumeIntegralInRange<std::size_t>(0, bytes.size() + 64));
    for (int edits = data.ConsumeIntegralInRange(0, 4); edits > 0 && !bytes.empty(); --edits) {
        const std::size_t at = data.ConsumeIntegralInRange<std::size_t>(0, bytes.size() - 1);
        bytes[at] = data.ConsumeIntegral<char>();
    }
    return bytes;
}

std::string SkinIni(FuzzedDataProvider& data) {
    std::string ini;
    if (data.ConsumeBool()) ini += "[info]\nversion=3\n";
    std::string section;
    for (int lines = data.ConsumeIntegralInRange(0, 40); lines > 0; --lines) {
        const std::string next = PickText(data, kSections, 8);
        if (next != section || data.ConsumeIntegralInRange(0, 7) == 0) ini += "[" + next + "]\n";
        section = next;
        ini += PickText(data, kKeys, 8) + "=" + PickText(data, kValues, 16) + "\n";
    }
    return ini;
}

// The bar's whole look: the skin record but its name, and every control.
// What the skin record holds: height, colours, pictures and fonts.
std::string SkinLook(const SkinRecord& skin) {
    std::string look = std::to_string(skin.gBarHeight);
    for (const Colour colour : skin.gSkinColors) look += " " + std::to_string(colour);
    for (const auto& face : skin.gSkinPictures) {
        for (const PicturePtr& picture : face) look += picture ? " " + picture->Source() : " -";
    }
    for (const FontSpec* font : {&skin.gCommandFont, &skin.gStatusFont, &skin.gClockFont}) {
        look += " " + font->name + " " + std::to_string(font->size) + std::to_string(font->bold) +
                std::to_string(font->italic) + std::to_string(font->strikethrough) + std::to_string(font->underline);
    }
    return look;
}

std::string Look(HeadlessPlatform& platform, const SkinRecord& skin) {
    std::string look = SkinLook(skin);
    look += "\n" + platform.windows.FindWindow("Form1")->Describe();
    for (const char* name : {"txtCmd", "lblMsg", "lblTimer", "picSwapPos", "picRunCmd", "picClose"}) {
        look += "\n" + platform.windows.FindControl("Form1", name)->Describe();
    }
    return look;
}

}  // namespace
}  // namespace zindle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace zindle;
    using namespace zindle::fuzz;
    FuzzedDataProvider data(bytes, size);
    const FreshMemoryFiles files;
    const std::string programDir = FreshProgramDirectory();
    const std::string skinDir = programDir + "/skins/s";
    MakeMemoryDirectories(skinDir + "/sub");

    for (const ImageFile& image : Images()) {
        const std::string content = Corrupt(data, image.header);
        const auto size = ReadPictureSize(std::span(reinterpret_cast<const unsigned char*>(content.data()),
                                                    content.size()));
        if (size) FUZZ_CHECK(size->width >= 1 && size->width <= 65535 && size->height >= 1 && size->height <= 65535);
        WriteMemoryFile(skinDir + "/" + image.name, content);
    }
    WriteMemoryFile(skinDir + "/skin.ini", data.ConsumeBool() ? SkinIni(data) : data.ConsumeRandomLengthString());

    bool refused = false;
    HeadlessPlatform platform(InMemory(programDir), [&](const std::string& line) {
        refused = refused || line.starts_with("msgbox:");
    });
    WriteMemoryFile(programDir + "/zindle.ini", std::string("[cfg]\nsplash=0\nedge=b\nrecurse=32\n") +
                                                    kSavedSettings + "[cmds]\n" + DefaultCommands(programDir));
    Platform bundle = platform.Bundle();
    Program program(bundle);
    FUZZ_CHECK(program.StartupMain());
    HeadlessWindow* form = platform.windows.FindWindow("Form1");
    const int stripWidth = form->Width();
    if (data.ConsumeBool()) form->Resize(data.ConsumeIntegralInRange(0, 5000) * 15);

    // Twice: over the base skin, then over itself.
    for (int round = 0; round < 2; ++round) {
        const std::string before = Look(platform, program.skin);
        const int widthBefore = form->Width();
        const int heightBefore = form->Height();
        const std::string skinBefore = SkinLook(program.skin);
        refused = false;
        program.bar()->skinning().LoadSkin("s");
        FUZZ_CHECK(program.skin.gSkinName == "s");
        if (!refused) continue;
        if (form->Width() == widthBefore) {
            FUZZ_CHECK(Look(platform, program.skin) == before);
        } else {
            // A skin is refused only once the bar has docked at its height,
            // which gives a bar resized away from its strip the strip's width
            // back: it keeps that width, laid out by the skin it had.
            FUZZ_CHECK(form->Width() == stripWidth);
            FUZZ_CHECK(form->Height() == heightBefore && SkinLook(program.skin) == skinBefore);
        }
    }
    return 0;
}
