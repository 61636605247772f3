#pragma once
// Modal message boxes; pending window messages keep running while one is up.

#include <string>

namespace zindle {

class NativeWindow;

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Line breaks in text are CR LF, as the program writes them. An owner
    // keeps the box above that window and disables the window while the box
    // is up; without one the box stands on its own.
    virtual MessageAnswer MessageBox(const std::string& text, const std::string& title,
                                     MessageIcon icon, MessageButtons buttons,
                                     NativeWindow* owner = nullptr) = 0;
};

}  // namespace zindle
