// Symbolic links in the program directory that lead out of it: to a file
// (used, through the link), and to nothing, to themselves, to a FIFO or to a
// directory (never written through, and never waited on).

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "hostile_fixture.h"

namespace zindle {
namespace {

class HostileLinksTest : public HostileTest {
protected:
    void Link(const std::string& target, const std::string& name) {
        ASSERT_EQ(::symlink(target.c_str(), Path(name).c_str()), 0) << name;
    }

    TempDir outside;
};

TEST_F(HostileLinksTest, IniFileLinkedOutsideIsUsedThroughTheLink) {
    WriteBytes(outside.File("real.ini"), "[cmds]\nhi=%%msg hi\n");
    Link(outside.File("real.ini"), "zindle.ini");
    ASSERT_TRUE(Start());
    Run("hi");
    EXPECT_EQ(Status(), "hi");
    Run("%%save w %%msg w");
    EXPECT_FALSE(Failed());
    Quit();

    EXPECT_TRUE(IsSymlink("zindle.ini"));
    const std::string real = ReadBytes(outside.File("real.ini"));
    EXPECT_TRUE(real.starts_with("[cmds]\nhi=%%msg hi\n")) << real;
    EXPECT_NE(real.find("\nw=%%msg w\n"), std::string::npos) << real;
    EXPECT_EQ(outside.Entries(), std::vector<std::string>{"real.ini"}) << "no temporary file is left";
    EXPECT_EQ(ProgramFiles(), (std::vector<std::string>{"history.ini", "zindle.ini"}));
}

TEST_F(HostileLinksTest, LinksToWhatIsNoFileAreNeverWrittenThrough) {
    ASSERT_EQ(::mkfifo(outside.File("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(outside.File("folder"));
    const std::vector<std::string> outsideBefore = outside.Entries();
    const struct Case {
        const char* name;
        std::function<void()> setUp;
    } cases[] = {
        {"dangling", [&] { Link(outside.File("missing.ini"), "zindle.ini"); }},
        {"loop", [&] { Link(Path("zindle.ini"), "zindle.ini"); }},
        {"fifo",
         [&] {
             Link(outside.File("fifo"), "zindle.ini");
             Link(outside.File("fifo"), "history.ini");
         }},
        {"folder", [&] { Link(outside.File("folder"), "zindle.ini"); }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        program.reset();
        for (const std::string& name : dir.Entries()) std::filesystem::remove_all(Path(name));
        test.setUp();

        ASSERT_TRUE(Start());
        Run("%%save w x");
        EXPECT_EQ(Status(), "Error performing '%%save w x'");
        EXPECT_TRUE(Failed());
        Run("%%msg alive");
        EXPECT_EQ(Status(), "alive");
        Quit();

        EXPECT_TRUE(IsSymlink("zindle.ini"));
        EXPECT_EQ(outside.Entries(), outsideBefore);
        struct stat info {};
        EXPECT_TRUE(::stat(outside.File("fifo").c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
        EXPECT_TRUE(std::filesystem::is_empty(outside.File("folder")));
    }
}

}  // namespace
}  // namespace zindle
