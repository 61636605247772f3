#pragma once
// The whole program's state in one object, so that a test or a front end can
// create it fresh, and the start-up procedure that brings it to life.

#include <memory>

#include "interpreter/history.h"
#include "interpreter/interpreter.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "skinning/skin_record.h"

namespace zindle {

struct Platform;
class Form1;
class frmSplash;
class AppBar;
class TAppBar;

class Program {
public:
    explicit Program(Platform& platform);
    ~Program();

    // Runs start-up. False when the program must end at once (another
    // instance runs and "/multi" was not given).
    bool StartupMain();

    // The bar window; created by start-up.
    Form1* bar() { return form1_.get(); }
    frmSplash* splash() { return splash_.get(); }
    AppBar* appBar();
    bool Ended() const;

    Platform& platform;
    ProfileStore store;
    ProgramSettings settings;
    History history;
    SkinRecord skin;
    Interpreter interpreter;

private:
    void WriteDefaultCommands();
    void ShowSplash();
    void LoadBar();

    // The one docking object, for the life of the bar window.
    std::unique_ptr<TAppBar> appBar_;
    std::unique_ptr<frmSplash> splash_;
    std::unique_ptr<Form1> form1_;
};

}  // namespace zindle
