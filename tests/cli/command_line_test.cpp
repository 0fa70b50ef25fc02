#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace varnel::cli {
namespace {

ParseResult Parse(std::vector<std::string> arguments) {
  return ParseCommandLine(arguments);
}

TEST(CommandLine, PictureOptionsApplyToTheNextPictureOnly) {
  const ParseResult r = Parse({"--effect", "5", "--caption", "Hi", "a.png", "b.jpg", "--sizing",
                               "2", "c.gif", "--", "--odd-name.bmp"});
  ASSERT_TRUE(r.ok()) << r.error;
  const auto& p = r.commandLine.pictures;
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0].path, "a.png");
  EXPECT_EQ(p[0].effect, 5);
  EXPECT_EQ(p[0].caption, "Hi");
  EXPECT_EQ(p[1].effect, 0);
  EXPECT_EQ(p[1].caption, "");
  EXPECT_EQ(p[2].sizing, 2);
  EXPECT_EQ(p[3].path, "--odd-name.bmp");
}

// Each general option alone, from New's defaults: only its own option changes.
TEST(CommandLine, EachGeneralOptionChangesItsOwnOptionOnly) {
  using Change = void (*)(SlideshowOptions&);
  const std::vector<std::pair<std::vector<std::string>, Change>> cases = {
      {{"--intro", "7"}, [](SlideshowOptions& o) { o.introCountText = "7"; }},
      {{"--seconds", "13"}, [](SlideshowOptions& o) { o.secondsText = "13"; }},
      {{"--time-limit"}, [](SlideshowOptions& o) { o.timeLimit = 1; }},
      {{"--no-key-use"}, [](SlideshowOptions& o) { o.keyUse = 0; }},
      {{"--no-help-screen"}, [](SlideshowOptions& o) { o.helpScreen = 0; }},
      {{"--no-thumbnails"}, [](SlideshowOptions& o) { o.thumbnails = 0; }},
      {{"--no-text-display"}, [](SlideshowOptions& o) { o.textDisplay = 0; }},
      {{"--sizing-override", "2"},
       [](SlideshowOptions& o) {
         o.sizingOverride = 1;
         o.sizingOverrideIndex = 2;
       }},
      {{"--effect-override", "5"},
       [](SlideshowOptions& o) {
         o.effectOverride = 1;
         o.effectOverrideIndex = 5;
       }},
  };
  for (const auto& [arguments, change] : cases) {
    std::vector<std::string> line = arguments;
    line.push_back("x.png");
    const ParseResult r = Parse(line);
    ASSERT_TRUE(r.ok()) << arguments[0] << ": " << r.error;
    SlideshowOptions o = SlideshowOptions::DefaultsAfterNew();
    r.commandLine.changes.ApplyTo(o);
    SlideshowOptions expected = SlideshowOptions::DefaultsAfterNew();
    change(expected);
    EXPECT_EQ(o, expected) << arguments[0];
  }
}

// As GNU tools take them: a value after '=' as well as in the next argument.
TEST(CommandLine, ValuesMayFollowTheirOptionAfterAnEqualsSign) {
  const ParseResult r =
      Parse({"--intro=7", "--seconds=13", "--jobs=2", "--template=t.res", "--output=o.gba",
             "--save-project=p.vrn", "--sizing-override=1", "--effect-override=4", "--effect=5",
             "--sizing=2", "--fit=whole", "--caption=a=b", "a.png",
             "--caption=", "--default-fit=fill", "b.png"});
  ASSERT_TRUE(r.ok()) << r.error;
  const CommandLine& line = r.commandLine;
  ASSERT_EQ(line.pictures.size(), 2u);
  EXPECT_EQ(line.pictures[0].effect, 5);
  EXPECT_EQ(line.pictures[0].sizing, 2);
  EXPECT_EQ(line.pictures[0].caption, "a=b");
  EXPECT_EQ(line.pictures[1].caption, "");
  EXPECT_EQ(line.pictures[0].fit, 1);  // whole
  EXPECT_EQ(line.defaultFit, 2);       // fill
  EXPECT_EQ(line.jobs, 2u);
  EXPECT_EQ(line.templatePath, "t.res");
  EXPECT_EQ(line.outputPath, "o.gba");
  EXPECT_EQ(line.saveProjectPath, "p.vrn");
  SlideshowOptions o = SlideshowOptions::DefaultsAfterNew();
  line.changes.ApplyTo(o);
  EXPECT_EQ(o.introCountText, "7");
  EXPECT_EQ(o.secondsText, "13");
  EXPECT_EQ(o.sizingOverride, 1);
  EXPECT_EQ(o.sizingOverrideIndex, 1);
  EXPECT_EQ(o.effectOverride, 1);
  EXPECT_EQ(o.effectOverrideIndex, 4);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--plan=yes", "a.png"},
           {"--no-thumbnails=1", "a.png"},
           {"--effect=", "a.png"},
           {"--effect=9", "a.png"},
           {"--no-intro", "a.png"},
       }) {
    EXPECT_FALSE(Parse(bad).ok()) << bad[0];
  }
}

// Every on/off option has both forms, so that a project's setting can be turned either
// way; the last one given wins.
TEST(CommandLine, EveryOnOffOptionTurnsEitherWay) {
  SlideshowOptions allOn = SlideshowOptions::DefaultsAfterNew();
  allOn.timeLimit = allOn.keyUse = allOn.helpScreen = allOn.thumbnails = allOn.textDisplay = 1;
  allOn.sizingOverride = allOn.effectOverride = 1;
  allOn.sizingOverrideIndex = 2;
  allOn.effectOverrideIndex = 6;
  SlideshowOptions allOff = allOn;
  allOff.timeLimit = allOff.keyUse = allOff.helpScreen = allOff.thumbnails = allOff.textDisplay = 0;
  allOff.sizingOverride = allOff.effectOverride = 0;

  const ParseResult off =
      Parse({"--no-time-limit", "--no-key-use", "--no-help-screen", "--no-thumbnails",
             "--no-text-display", "--no-sizing-override", "--no-effect-override", "show.vrn"});
  ASSERT_TRUE(off.ok()) << off.error;
  SlideshowOptions o = allOn;
  off.commandLine.changes.ApplyTo(o);
  EXPECT_EQ(o, allOff);

  const ParseResult on =
      Parse({"--time-limit", "--key-use", "--help-screen", "--thumbnails", "--text-display",
             "--no-sizing-override", "--sizing-override", "2", "--effect-override=6", "show.vrn"});
  ASSERT_TRUE(on.ok()) << on.error;
  o = allOff;
  on.commandLine.changes.ApplyTo(o);
  EXPECT_EQ(o, allOn);
}

TEST(CommandLine, RefusesWhatTheEditorCouldNotHold) {
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {},
           {"--effect", "9", "a.png"},
           {"--effect", "-1", "a.png"},
           {"--sizing", "3", "a.png"},
           {"--seconds", "61", "a.png"},
           {"--intro", "100", "a.png"},
           {"--intro", "5x", "a.png"},
           {"--intro"},
           {"a.png", "--effect", "2"},
           {"--bogus", "a.png"},
           {"show.vrn", "a.png"},
           {"one.vrn", "two.vrn"},
           {"--caption", std::string(181, 'x'), "a.png"},
           {"--caption", "\xE2\x82\xAC", "a.png"},  // the euro sign is not Latin-1
           {"--caption", "\xC3", "a.png"},          // cut-off UTF-8
           {"--caption", "tab\there", "a.png"},     // not in the console's font
       }) {
    EXPECT_FALSE(Parse(bad).ok()) << (bad.empty() ? "(nothing)" : bad[0]);
  }
  EXPECT_TRUE(Parse({"--help"}).commandLine.help);
  EXPECT_TRUE(Parse({"show.vrn"}).ok());
}

TEST(CommandLine, FitsByNameForOnePictureOrAsTheDefault) {
  const ParseResult r = Parse({"--default-fit", "fill", "a.png", "--fit", "whole", "--effect", "2",
                               "b.png", "--fit", "stretch", "c.png", "d.png"});
  ASSERT_TRUE(r.ok()) << r.error;
  const CommandLine& line = r.commandLine;
  ASSERT_EQ(line.pictures.size(), 4u);
  EXPECT_EQ(FitOfPicture(line.pictures[0], line), 2);
  EXPECT_EQ(FitOfPicture(line.pictures[1], line), 1);
  EXPECT_EQ(line.pictures[1].effect, 2);
  EXPECT_EQ(FitOfPicture(line.pictures[2], line), 0);
  EXPECT_EQ(FitOfPicture(line.pictures[3], line), 2);
  const ParseResult plain = Parse({"a.png"});
  EXPECT_EQ(FitOfPicture(plain.commandLine.pictures.at(0), plain.commandLine), 0);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--fit", "Whole", "a.png"},
           {"--fit", "1", "a.png"},
           {"--fit", "", "a.png"},
           {"--default-fit", "squeeze", "a.png"},
           {"--default-fit"},
           {"a.png", "--fit", "fill"},
       }) {
    EXPECT_FALSE(Parse(bad).ok()) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
  }
  EXPECT_NE(Parse({"--fit", "x", "a.png"}).error.find("stretch, whole or fill"), std::string::npos);
}

TEST(CommandLine, CaptionsBecomeLatin1WithCrLfBreaks) {
  std::string reason;
  EXPECT_EQ(CaptionFromArgument("Caf\xC3\xA9", reason), std::optional<std::string>("Caf\xE9"));
  EXPECT_EQ(CaptionFromArgument("a\nb", reason), std::optional<std::string>("a\r\nb"));
  EXPECT_EQ(CaptionFromArgument("a\r\nb", reason), std::optional<std::string>("a\r\nb"));
  // 90 line breaks become 180 characters: still fits; one more letter does not.
  EXPECT_TRUE(CaptionFromArgument(std::string(90, '\n'), reason));
  EXPECT_FALSE(CaptionFromArgument(std::string(90, '\n') + "x", reason));
  EXPECT_NE(reason.find("180"), std::string::npos);
}

}  // namespace
}  // namespace varnel::cli
