#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "document/number_box_rule.h"
#include "tests/ui/expected_window.h"
#include "ui/model/caption_rules.h"
#include "ui/model/control_ids.h"
#include "ui/model/control_layout.h"
#include "ui/model/dialog_units.h"
#include "ui/model/file_filter.h"
#include "ui/model/screen_fit.h"

namespace varnel {
namespace {

TEST(CaptionPreview, BreaksAfterEighteenColumnsAndStopsAtTenLines) {
  EXPECT_EQ(BuildCaptionPreview("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "ABCDEFGHIJKLMNOPQR\nSTUVWXYZ");
  std::string line(18, 'x');
  std::string tenLines;
  for (int i = 0; i < 10; ++i) tenLines += line + "\n";
  EXPECT_EQ(BuildCaptionPreview(std::string(200, 'x')), tenLines);
  EXPECT_EQ(BuildCaptionPreview("AB\r\nCD"), "AB\r\nCD");
  // The line feed is the first column of its line: 17 more characters before the break.
  EXPECT_EQ(BuildCaptionPreview("AB\r\n" + std::string(20, 'y')),
            "AB\r\n" + std::string(17, 'y') + "\n" + "yyy");
  // A line feed right at a full line breaks once, not twice.
  EXPECT_EQ(BuildCaptionPreview(line + "\nZ"), line + "\nZ");
  EXPECT_EQ(BuildCaptionPreview(""), "");
}

TEST(CaptionCharacters, AreLatin1WithLineBreaksOnly) {
  for (char32_t c : {U'A', U' ', U'~', U'\u00A0', U'\u00E9', U'\u00FF', U'\r', U'\n'}) {
    EXPECT_TRUE(IsCaptionCharacter(c)) << static_cast<uint32_t>(c);
  }
  for (char32_t c : {U'\0', U'\t', U'\x7F', U'\u0085', U'\u0100', U'\u20AC', U'\U0001F600'}) {
    EXPECT_FALSE(IsCaptionCharacter(c)) << static_cast<uint32_t>(c);
  }
  EXPECT_EQ(CaptionRoom(170, 0, 180), 10u);
  EXPECT_EQ(CaptionRoom(180, 0, 180), 0u);
  EXPECT_EQ(CaptionRoom(180, 5, 180), 5u);
  EXPECT_EQ(CaptionRoom(200, 0, 180), 0u);  // a loaded caption over the limit takes nothing
  EXPECT_EQ(CaptionRoom(200, 30, 180), 10u);
}

TEST(NumberBoxRule, KeepsDigitsAndCapsTheSeconds) {
  struct Case {
    const char* typed;
    int maximum;
    const char* kept;
  };
  for (const Case& c :
       {Case{"7a", 60, "7"}, Case{"a7", 60, "7"}, Case{"a", 60, ""}, Case{"75", 60, "60"},
        Case{"60", 60, "60"}, Case{"61", 60, "60"}, Case{"", 60, ""}, Case{"07", 60, "07"},
        Case{"99", 0, "99"}, Case{"ab", 0, ""}, Case{"9-", 0, "9"}, Case{"-9", 0, "9"}}) {
    EXPECT_EQ(FilterNumberBoxText(c.typed, c.maximum), c.kept) << c.typed;
  }
}

TEST(FileFilterText, SplitsIntoDescriptionsAndPatterns) {
  EXPECT_EQ(
      ParseFileFilter("Pictures (Bmp,Jpg,Gif,Png)|*.Bmp;*.Jpg;*.Gif;*.Png|All (*.*)|*.*||"),
      (std::vector<FileFilter>{{"Pictures (Bmp,Jpg,Gif,Png)", {"*.Bmp", "*.Jpg", "*.Gif", "*.Png"}},
                               {"All (*.*)", {"*.*"}}}));
  EXPECT_EQ(ParseFileFilter("Varnel Files (*.vrn)|*.vrn||"),
            (std::vector<FileFilter>{{"Varnel Files (*.vrn)", {"*.vrn"}}}));
  EXPECT_TRUE(ParseFileFilter("").empty());
}

TEST(DialogUnits, ConvertCornersThroughTheFontsBaseUnits) {
  EXPECT_EQ(HorizontalBaseUnit(312), 6);  // 52 letters of 6 pixels
  EXPECT_EQ(ToPixels({7, 7, 475, 139}, {6, 13}), (PixelRect{11, 11, 712, 226}));
  EXPECT_EQ(ToPixels({0, 0, 532, 311}, {7, 13}), (PixelRect{0, 0, 931, 505}));
  // Column widths set for the template font grow with a wider one; the five visible
  // columns still fit the list.
  EXPECT_EQ(ScaledToFontWidth(125, {6, 13}), 125);
  EXPECT_EQ(ScaledToFontWidth(125 + 3 * 100 + 280, {7, 13}), 823);
  EXPECT_LE(823, ToPixels({7, 7, 475, 139}, {7, 13}).width);
}

// The 240 x 160 preview area moves with the layout: for every font the window may get,
// shrunk or not, it lies in the client area between the list and the info texts and left
// of the option frames, overlapping nothing; the units grow only as far as it needs.
TEST(DialogUnits, ThePreviewAreaMovesWithTheLayoutAndOverlapsNothing) {
  EXPECT_EQ(PreviewPixelRect({6, 13}), (PixelRect{10, 250, 240, 160}));
  EXPECT_EQ(PreviewPixelRect({7, 13}), (PixelRect{10, 250, 240, 160}));
  // Units that hold it stay; 5 x 11 leaves 150 pixels of height and 220 of width for it.
  EXPECT_EQ(UnitsHoldingPreview({7, 13}).x, 7);
  EXPECT_EQ(UnitsHoldingPreview({7, 13}).y, 13);
  EXPECT_EQ(UnitsHoldingPreview({5, 11}).x, 6);
  EXPECT_EQ(UnitsHoldingPreview({5, 11}).y, 12);
  for (int x = 4; x <= 12; ++x) {
    for (int y = 8; y <= 24; ++y) {
      const DialogBaseUnits base = UnitsHoldingPreview({x, y});
      SCOPED_TRACE(::testing::Message()
                   << x << " x " << y << " held as " << base.x << " x " << base.y);
      EXPECT_GE(base.x, x);
      EXPECT_GE(base.y, y);
      const PixelRect preview = PreviewPixelRect(base);
      EXPECT_EQ(preview.width, 240);
      EXPECT_EQ(preview.height, 160);
      const PixelRect client = ToPixels({0, 0, 532, 311}, base);
      EXPECT_TRUE(preview.x >= 0 && preview.y >= 0 && preview.x + 240 <= client.width &&
                  preview.y + 160 <= client.height);
      for (const testing::ExpectedControl& t : testing::kExpectedControls) {
        if (t.id == kIdPreview) continue;
        PixelRect r = ToPixels({t.rect.x, t.rect.y, t.rect.width, t.rect.height}, base);
        if (HasStyle(t, "dropdown")) r.height = std::min(r.height, base.y + 8);  // closed
        const bool apart = r.x >= preview.x + preview.width || preview.x >= r.x + r.width ||
                           r.y >= preview.y + preview.height || preview.y >= r.y + r.height;
        EXPECT_TRUE(apart) << "control " << t.id << " " << t.text;
      }
      // A picture a build centres in the preview moves along with it.
      const PixelRect centred = MovedWithPreview({10 + 80, 250 + 60, 80, 40}, base);
      EXPECT_EQ(centred, (PixelRect{preview.x + 80, preview.y + 60, 80, 40}));
    }
  }
}

TEST(ScreenFit, ShrinksOnlyWindowsLargerThanTheScreenDownToALegibleFloor) {
  const auto units = [](int width, int height) {
    const DialogBaseUnits u = BaseUnitsFittingScreen({7, 13}, {width, height});
    return std::pair{u.x, u.y};
  };
  // 931 x 505 client pixels plus the frame fit: nothing changes.
  EXPECT_EQ(units(1280, 1024), std::pair(7, 13));
  EXPECT_EQ(units(1024, 768), std::pair(7, 13));
  EXPECT_EQ(units(947, 577), std::pair(7, 13));
  // One pixel short in either direction shrinks the layout.
  EXPECT_NE(units(946, 577), std::pair(7, 13));
  EXPECT_NE(units(947, 576), std::pair(7, 13));
  // 800 x 560: the share would be 5 x 11, but the 240 x 160 preview needs 6 x 12 (a layout
  // of 798 x 467 pixels) to lie between the list, the info texts and the option frame.
  EXPECT_EQ(units(800, 560), std::pair(6, 12));
  EXPECT_EQ(ToPixels({0, 0, 532, 311}, {6, 12}), (PixelRect{0, 0, 798, 467}));
  // Far too small: never smaller units.
  EXPECT_EQ(units(320, 240), std::pair(6, 12));
  // A height-bound screen shrinks both directions.
  EXPECT_EQ(units(1920, 540), std::pair(6, 12));
}

}  // namespace
}  // namespace varnel
