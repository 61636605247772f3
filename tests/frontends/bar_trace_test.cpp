// The --trace file of the window front ends, driven here by the headless
// platform: the same lines zindle-headless prints, written as the bar changes.

#include "frontends/common/bar_trace.h"

#include "program_fixture.h"

namespace zindle {
namespace {

class BarTraceTest : public ProgramTest {
protected:
    std::vector<std::string> TraceLines() {
        std::istringstream in(ReadFile("trace.txt"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

TEST_F(BarTraceTest, TheOptionIsTakenOffTheCommandLineAndTheFileAppendedTo) {
    WriteFile("trace.txt", "earlier run\n");
    std::vector<std::string> arguments{"/multi", "--trace", Path("trace.txt"), "DEV"};
    TraceFile file(arguments);
    EXPECT_EQ(arguments, (std::vector<std::string>{"/multi", "DEV"}));
    ASSERT_TRUE(file.Active());
    file.Write("status: one");
    file.WriteIfChanged("status", "status: two");
    file.WriteIfChanged("status", "status: two");
    file.WriteIfChanged("command", "status: two");  // another key: written
    EXPECT_EQ(TraceLines(), (std::vector<std::string>{"earlier run", "status: one", "status: two", "status: two"}));
}

TEST_F(BarTraceTest, AMissingOrUnwritableFileIsReportedAndNothingIsWritten) {
    std::vector<std::string> dangling{"--trace"};
    TraceFile noName(dangling);
    EXPECT_TRUE(dangling.empty());
    EXPECT_FALSE(noName.Active());
    EXPECT_FALSE(noName.Error().empty());

    std::vector<std::string> arguments{"--trace", Path("no-such-folder/trace.txt")};
    TraceFile unwritable(arguments);
    EXPECT_FALSE(unwritable.Active());
    EXPECT_NE(unwritable.Error().find("no-such-folder"), std::string::npos);
    unwritable.Write("status: x");  // harmless
}

TEST_F(BarTraceTest, StatesAreWrittenWhenTheyChangeAndAFailedRunSaysSo) {
    ASSERT_TRUE(Start("[cmds]\nbad=%%exe /no/such/program\n", "/multi"));
    std::vector<std::string> arguments{"--trace", Path("trace.txt")};
    TraceFile file(arguments);
    BarTrace trace(file, *program, {[] { return std::optional<RectPx>(RectPx{0, 747, 1024, 768}); },
                                    [] { return std::vector<HotkeyRegistration>{{0, 122, 0}}; }});
    trace.Attach();
    trace.Report();
    trace.Report();  // nothing changed: nothing written
    const std::vector<std::string> afterStart = TraceLines();
    ASSERT_EQ(afterStart.size(), 7u);
    EXPECT_EQ(afterStart[1], "command: ");
    EXPECT_EQ(afterStart[2], "clock: hidden");
    EXPECT_EQ(afterStart[3], "edge: 3");
    EXPECT_EQ(afterStart[5], "strip: 0 747 1024 768");
    EXPECT_EQ(afterStart[6], "hotkeys: 0:122:0");

    program->bar()->txtCmd().SetText("bad");
    trace.Report();
    program->bar()->Run();
    std::vector<std::string> lines = TraceLines();
    lines.erase(lines.begin(), lines.begin() + 7);
    EXPECT_EQ(lines, (std::vector<std::string>{"command: bad",
                                               "status: Error performing '%%exe /no/such/program'",
                                               "command: ", "failed"}));
}

}  // namespace
}  // namespace zindle
