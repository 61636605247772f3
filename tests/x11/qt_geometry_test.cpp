// The outer rectangle of a window, as the core sees it.

#include <gtest/gtest.h>

#include "frontends/qt/qt_geometry.h"

namespace zindle {
namespace {

TEST(OuterRect, TakesTheFrameOnlyWhenItHoldsTheWindow) {
    const QRect bar(800, 879, 800, 21);
    const QRect decorated(795, 850, 810, 55);
    EXPECT_EQ(OuterRect(decorated, bar, false), decorated);
    // The frame Qt reported while openbox was still fitting its frame
    // window around the new bar: taken as it was, the bar grew to 1599x41.
    EXPECT_EQ(OuterRect(QRect(0, 0, 1, 1), QRect(0, 0, 800, 21), false), QRect(0, 0, 800, 21));
    EXPECT_EQ(OuterRect(QRect(800, 879, 799, 21), bar, false), bar) << "one pixel short is no frame either";
    EXPECT_EQ(OuterRect(decorated, bar, true), bar) << "a frameless window has no frame";
}

}  // namespace
}  // namespace zindle
