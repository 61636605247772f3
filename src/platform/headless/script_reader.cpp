#include "platform/headless/script_reader.h"

#include <charconv>
#include <iostream>

#include "bar/form1.h"
#include "startup/program.h"

namespace zindle {

namespace {

bool ParseMilliseconds(const std::string& text, std::uint64_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

}  // namespace

ScriptReader::ScriptReader(HeadlessPlatform& platform, Program& program, OutputSink output)
    : platform_(platform), program_(program), output_(std::move(output)) {}

void ScriptReader::ReportStatus() {
    Form1* bar = program_.bar();
    if (!bar) return;
    const std::string status = bar->StatusLine().Text();
    if (status == lastStatus_) return;
    lastStatus_ = status;
    output_("status: " + EscapeLineBreaks(status));
}

void ScriptReader::AfterStartup() { ReportStatus(); }

bool ScriptReader::Execute(const std::string& command, const std::string& argument) {
    Interpreter& interpreter = program_.interpreter;
    if (command == "run") {
        interpreter.gMessageShown = false;
        interpreter.gCommandFailed = false;
        interpreter.RunCommand(argument);
        ReportStatus();
        if (interpreter.gCommandFailed) output_("failed");
        return true;
    }
    if (command == "answer") {
        if (argument == "ok") platform_.dialogs.QueueAnswer(MessageAnswer::Ok);
        else if (argument == "yes") platform_.dialogs.QueueAnswer(MessageAnswer::Yes);
        else if (argument == "no") platform_.dialogs.QueueAnswer(MessageAnswer::No);
        else return false;
        return true;
    }
    if (command == "clipboard") {
        platform_.system.SetClipboardText(argument);
        return true;
    }
    if (command == "wait") {
        std::uint64_t milliseconds = 0;
        if (!ParseMilliseconds(argument, milliseconds)) return false;
        platform_.time.Wait(milliseconds);
        ReportStatus();
        return true;
    }
    if (command == "quit") {
        if (Form1* bar = program_.bar()) bar->Unload();
        ReportStatus();
        return true;
    }
    return false;
}

int ScriptReader::Run(std::istream& script) {
    int errors = 0;
    std::string line;
    while (!program_.Ended() && std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::size_t blank = line.find(' ');
        const std::string command = line.substr(0, blank);
        const std::string argument = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (!Execute(command, argument)) {
            std::cerr << "zindle-headless: cannot understand: " << line << '\n';
            ++errors;
        }
    }
    return errors;
}

}  // namespace zindle
