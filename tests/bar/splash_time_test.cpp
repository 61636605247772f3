// The splash time setting: no splash window at all for a time of 0 or less,
// and a splash that closes itself after any positive time.

#include "frontends/headless/headless_platform.h"
#include "program_fixture.h"

namespace zindle {
namespace {

class SplashTimeTest : public ProgramTest {
protected:
    HeadlessWindow* Splash() { return platform->windows.FindWindow("frmSplash"); }
};

TEST_F(SplashTimeTest, NoSplashForATimeOfZeroOrLess) {
    for (const char* time : {"0", "-1", "0.4", "x"}) {
        ASSERT_TRUE(Start(std::string("[cfg]\nsplash=") + time + "\n")) << time;
        EXPECT_EQ(Splash(), nullptr) << time;
    }
}

TEST_F(SplashTimeTest, AnyPositiveTimeShowsASplashThatClosesItself) {
    ASSERT_TRUE(Start("[cfg]\nsplash=0.6\n"));
    ASSERT_NE(Splash(), nullptr) << "0.6 rounds to 1 millisecond";
    platform->time.Wait(1);
    EXPECT_TRUE(Splash()->Closed());
}

}  // namespace
}  // namespace zindle
