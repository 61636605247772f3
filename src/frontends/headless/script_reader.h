#pragma once
// The headless front end's event loop: it reads one script line at a time,
// turns it into the event a user or the system would have caused, and
// prints what changed on the bar.

#include <istream>
#include <map>
#include <string>

#include "frontends/headless/headless_platform.h"
#include "frontends/headless/output.h"

namespace zindle {

class Program;
class HeadlessPictureBox;

class ScriptReader {
public:
    ScriptReader(HeadlessPlatform& platform, Program& program, OutputSink output);

    // Prints the status line and the command box when start-up left them changed.
    void AfterStartup();
    // Runs the script until it ends, "quit" is read or the bar is unloaded.
    // Returns the number of lines that could not be understood.
    int Run(std::istream& script);

private:
    // Reads and carries out the next line; false at the end of the script.
    bool Step();
    // False when the line was not understood.
    bool Execute(const std::string& command, const std::string& argument);
    bool Type(const std::string& text);
    bool Key(const std::string& name);
    bool Mouse(const std::string& command, const std::string& argument);
    bool Show(const std::string& name);
    bool Hotkey(const std::string& argument);
    bool Drag(const std::string& argument);
    bool Shell(const std::string& argument);
    bool Monitors(const std::string& argument);
    bool Dialog(const std::string& argument);
    void ReportDocking();
    void ReportHotkeys();
    void ReportDialog();
    void ShowSkin();
    void OnClockLabel(const std::string& text, bool visible);
    void ReportStatus();
    void ReportCommandBox();
    HeadlessPictureBox* FindButton(const std::string& name);

    HeadlessPlatform& platform_;
    Program& program_;
    OutputSink output_;
    std::string lastStatus_ = ".";
    std::string lastCommand_;
    std::string lastClock_;
    bool clockVisible_ = false;
    std::string lastEdge_;
    std::string lastWindow_;
    std::string lastStrip_ = "strip: none";
    std::string lastHotkeys_ = "hotkeys: none";
    std::map<std::string, std::string> lastDialog_;
    std::istream* script_ = nullptr;
    int errors_ = 0;
};

}  // namespace zindle
