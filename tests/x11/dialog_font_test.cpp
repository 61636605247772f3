#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "frontends/qt/qt_geometry.h"

namespace zindle {
namespace {

double AlphabetWidth(const QFont& font) {
    return QFontMetricsF(font).horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
}

// Whatever font stands in for MS Sans Serif here, the dialogs' captions get
// letters no wider than the ones their controls were sized for, at the
// largest size that gives them; other fonts keep the size asked for.
TEST(DialogFontTest, MsSansSerifLettersAreNoWiderThanTheLayoutsAndNoSmallerThanNeeded) {
    const QFont font = QFontFrom({"ms sans serif", 8});
    ASSERT_GE(font.pointSizeF(), 6);
    ASSERT_LE(font.pointSizeF(), 8);
    if (font.pointSizeF() > 6) {
        EXPECT_LE(AlphabetWidth(font), kDialogAlphabetPixels);
    }
    if (font.pointSizeF() < 8) {
        QFont larger = font;
        larger.setPointSizeF(font.pointSizeF() + 0.25);
        EXPECT_GT(AlphabetWidth(larger), kDialogAlphabetPixels);
    }
    EXPECT_DOUBLE_EQ(QFontFrom({"MS Sans Serif", 12}).pointSizeF(), 12 * font.pointSizeF() / 8);
    EXPECT_DOUBLE_EQ(QFontFrom({"Arial", 8}).pointSizeF(), 8);
}

}  // namespace
}  // namespace zindle
