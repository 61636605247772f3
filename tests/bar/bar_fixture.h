#pragma once
// A whole program whose bar the test types into.

#include <string>

#include "bar/form1.h"
#include "frontends/headless/headless_platform.h"
#include "program_fixture.h"

namespace zindle {

class BarTest : public ProgramTest {
protected:
    Form1& bar() { return *program->bar(); }
    HeadlessTextBox& box() { return *platform->windows.FindTextBox("Form1", "txtCmd"); }
    void Type(const std::string& text) {
        for (const char c : text) box().TypeCharacter(static_cast<unsigned char>(c));
    }
};

}  // namespace zindle
