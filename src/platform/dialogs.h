#pragma once
// Modal message boxes; pending window messages keep running while one is up.

#include <string>

namespace zindle {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Line breaks in text are CR LF, as the program writes them.
    virtual MessageAnswer MessageBox(const std::string& text, const std::string& title,
                                     MessageIcon icon, MessageButtons buttons) = 0;
};

}  // namespace zindle
