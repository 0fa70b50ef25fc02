#include "player/model/play_arguments.h"

#include <gtest/gtest.h>

#include "player/model/scripted_run.h"

namespace varnel {
namespace {

PlayArgumentsResult Parse(std::vector<std::string> arguments) {
  return ParsePlayArguments(arguments);
}

TEST(PlayArguments, ReadsImageFramesPressesAndScreenshotInAnyOrder) {
  const PlayArgumentsResult result =
      Parse({"--press", "20:R", "show.gba", "--frames", "120", "--press", "0:start", "--screenshot",
             "out.png", "--press", "119:Left"});
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.arguments.imagePath, "show.gba");
  EXPECT_EQ(result.arguments.frames, 120);
  EXPECT_EQ(result.arguments.screenshotPath, "out.png");
  const std::vector<ScriptedPress> presses = {
      {20, kButtonR}, {0, kButtonStart}, {119, kButtonLeft}};
  EXPECT_EQ(result.arguments.presses, presses);
  // Keys by name in any letter case, as their bits in the key input register.
  for (const auto& [name, bit] : std::vector<std::pair<std::string, uint32_t>>{{"a", 0x001},
                                                                               {"B", 0x002},
                                                                               {"SELECT", 0x004},
                                                                               {"Right", 0x010},
                                                                               {"up", 0x040},
                                                                               {"Down", 0x080},
                                                                               {"l", 0x200}}) {
    const PlayArgumentsResult one =
        Parse({"s.gba", "--frames", "9", "--press", "1:" + name, "--screenshot", "o.png"});
    ASSERT_TRUE(one.ok()) << name;
    EXPECT_EQ(uint32_t{one.arguments.presses.at(0).key}, bit) << name;
  }

  const PlayArgumentsResult window = Parse({"show.gba"});
  ASSERT_TRUE(window.ok());
  EXPECT_FALSE(window.arguments.screenshotPath);
  EXPECT_TRUE(Parse({"show.gba", "--help"}).arguments.help);
}

TEST(PlayArguments, RefusesWhatItCannotDoWithAReason) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "no image"},
      {{"--frames", "10", "--screenshot", "o.png"}, "no image"},
      {{"a.gba", "b.gba"}, "more than one image"},
      {{"a.gba", "--frames", "0", "--screenshot", "o.png"}, "--frames"},
      {{"a.gba", "--frames", "ten", "--screenshot", "o.png"}, "--frames"},
      {{"a.gba", "--frames", "10", "--press", "3:X", "--screenshot", "o.png"}, "--press"},
      {{"a.gba", "--frames", "10", "--press", "R", "--screenshot", "o.png"}, "--press"},
      {{"a.gba", "--frames", "10", "--press", "10:R", "--screenshot", "o.png"}, "frame 10"},
      {{"a.gba", "--screenshot", "o.png"}, "--frames"},
      {{"a.gba", "--frames", "10"}, "--screenshot"},
      {{"a.gba", "--screenshot"}, "needs a value"},
      {{"a.gba", "--speed", "2"}, "unknown option --speed"},
  };
  for (const auto& [arguments, reason] : cases) {
    const PlayArgumentsResult result = Parse(arguments);
    EXPECT_NE(result.error.find(reason), std::string::npos)
        << "error \"" << result.error << "\" for case expecting " << reason;
  }
}

TEST(ScriptedRun, APressHoldsItsKeyForThreeFramesAndPressesMayOverlap) {
  const std::vector<ScriptedPress> presses = {{5, kButtonR}, {6, kButtonA}};
  EXPECT_EQ(KeysHeldAt(presses, 4), 0u);
  EXPECT_EQ(KeysHeldAt(presses, 5), 0x100u);
  EXPECT_EQ(KeysHeldAt(presses, 6), 0x101u);
  EXPECT_EQ(KeysHeldAt(presses, 7), 0x101u);
  EXPECT_EQ(KeysHeldAt(presses, 8), 0x001u);
  EXPECT_EQ(KeysHeldAt(presses, 9), 0u);
}

}  // namespace
}  // namespace varnel
