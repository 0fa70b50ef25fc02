#include "document/number_rules.h"

#include <gtest/gtest.h>

#include "document/label_tables.h"
#include "document/slideshow_options.h"
#include "tests/support/label_literals.h"

namespace varnel {
namespace {

TEST(DecimalValue, ReadsLeadingDigitsLikeTheOptionBoxes) {
  EXPECT_EQ(DecimalValue(""), 0);
  EXPECT_EQ(DecimalValue("07"), 7);
  EXPECT_EQ(DecimalValue("60"), 60);
  EXPECT_EQ(DecimalValue("  42abc"), 42);
  EXPECT_EQ(DecimalValue("-3"), -3);
  EXPECT_EQ(DecimalValue("+9"), 9);
  EXPECT_EQ(DecimalValue("a7"), 0);
  EXPECT_EQ(DecimalValue("- 5"), 0);
  EXPECT_EQ(DecimalValue("99999999999999999999"), 2147483647);
  EXPECT_EQ(DecimalValue("-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(Low16(DecimalValue("65537")), 1);
}

TEST(LabelIndex, EveryLabelGivesItsPositionInItsTable) {
  using testing::kExpectedEffectLabels;
  using testing::kExpectedSizingLabels;
  for (std::size_t i = 0; i < kExpectedEffectLabels.size(); ++i) {
    EXPECT_EQ(LabelIndex(kExpectedEffectLabels[i]), static_cast<int>(i));
    EXPECT_EQ(EffectLabel(static_cast<int>(i)), kExpectedEffectLabels[i]);
  }
  for (std::size_t i = 0; i < kExpectedSizingLabels.size(); ++i) {
    EXPECT_EQ(LabelIndex(kExpectedSizingLabels[i]), static_cast<int>(i));
    EXPECT_EQ(SizingLabel(static_cast<int>(i)), kExpectedSizingLabels[i]);
  }
  EXPECT_EQ(LabelIndex("(08) FadeOut"), 8);
  EXPECT_EQ(LabelIndex("(02) Resized Only (240x160)"), 2);
  EXPECT_EQ(LabelIndex(""), 0);
  EXPECT_EQ(LabelIndex("("), 0);
  EXPECT_EQ(EffectLabel(9), std::nullopt);
  EXPECT_EQ(SizingLabel(-1), std::nullopt);
  EXPECT_EQ(*SizingLabel(2), "(02) Resized Only (240x160)");
}

TEST(SlideshowOptions, NewDefaultsAndValuesBeforeNew) {
  const auto before = SlideshowOptions::BeforeFirstNew();
  EXPECT_EQ(before.helpScreen + before.textDisplay + before.sizingOverride + before.thumbnails +
                before.timeLimit + before.keyUse + before.effectOverride,
            0);
  EXPECT_EQ(before.sizingOverrideIndex, -1);
  EXPECT_EQ(before.effectOverrideIndex, -1);
  EXPECT_TRUE(before.secondsText.empty());

  const auto after = SlideshowOptions::DefaultsAfterNew();
  EXPECT_EQ(after.helpScreen, 1);
  EXPECT_EQ(after.textDisplay, 1);
  EXPECT_EQ(after.thumbnails, 1);
  EXPECT_EQ(after.keyUse, 1);
  EXPECT_EQ(after.timeLimit, 0);
  EXPECT_EQ(after.sizingOverride, 0);
  EXPECT_EQ(after.effectOverride, 0);
  EXPECT_EQ(after.secondsText, "5");
  EXPECT_EQ(after.introCountText, "");
  EXPECT_EQ(after.sizingOverrideIndex, 0);
  EXPECT_EQ(after.effectOverrideIndex, 0);
  EXPECT_EQ(DecimalValue(after.introCountText), 0);
}

}  // namespace
}  // namespace varnel
