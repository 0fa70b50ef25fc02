#include "app/model/emulator_launch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::TempDir;

void Touch(const std::string& path) {
  std::ofstream(path) << "#!/bin/sh\n";
}

TEST(EmulatorLocationMatches, AcceptsAnExistingFileOrDirectoryAndNothingElse) {
  TempDir dir;
  Touch(dir.file("mgba-qt"));
  std::filesystem::create_directory(dir.file("emulators"));
  Touch(dir.file("with blanks and 'quotes'"));

  EXPECT_TRUE(EmulatorLocationMatches(dir.file("mgba-qt")));
  EXPECT_TRUE(EmulatorLocationMatches(dir.file("emulators")));
  EXPECT_TRUE(EmulatorLocationMatches(dir.file("with blanks and 'quotes'")));
  EXPECT_FALSE(EmulatorLocationMatches(dir.file("MGBA-QT")));  // the file system minds case
  EXPECT_FALSE(EmulatorLocationMatches(dir.file("mgba")));
  EXPECT_FALSE(EmulatorLocationMatches(dir.file("missing/mgba-qt")));
  EXPECT_FALSE(EmulatorLocationMatches(""));
  EXPECT_FALSE(EmulatorLocationMatches(" "));
}

TEST(EmulatorLocationMatches, TakesStarAndQuestionMarkAsWildcardsOnly) {
  TempDir dir;
  Touch(dir.file("mgba-qt"));
  Touch(dir.file(".hidden-emulator"));
  Touch(dir.file("emu [v2]"));
  Touch(dir.file("emu2"));
  Touch(dir.file("back\\slash"));

  EXPECT_TRUE(EmulatorLocationMatches(dir.file("mgba*")));
  EXPECT_TRUE(EmulatorLocationMatches(dir.file("mgba-?t")));
  EXPECT_TRUE(EmulatorLocationMatches(dir.file("*-emulator")));  // also names with a dot first
  EXPECT_FALSE(EmulatorLocationMatches(dir.file("*.exe")));
  // Brackets and backslashes are characters of the name, not pattern syntax.
  EXPECT_TRUE(EmulatorLocationMatches(dir.file("emu [v2]")));
  EXPECT_FALSE(EmulatorLocationMatches(dir.file("emu[0-9]")));
  EXPECT_TRUE(EmulatorLocationMatches(dir.file("back\\slash")));
  EXPECT_TRUE(EmulatorLocationMatches(dir.file("back\\*")));
}

TEST(EmulatorLocationMatches, ReadsALocationWithoutDirectoryInTheCurrentDirectory) {
  TempDir dir;
  Touch(dir.file("fake emulator"));
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const bool found = EmulatorLocationMatches("fake emulator");
  const bool other = EmulatorLocationMatches("other emulator");
  std::filesystem::current_path(previous);
  EXPECT_TRUE(found);
  EXPECT_FALSE(other);
}

TEST(MakeEmulatorCommand, HandsOverFullScreenAndTheBuiltImageAsTwoWholeArguments) {
  EXPECT_EQ(MakeEmulatorCommand("/usr/games/mgba-qt", "/home/ann/My Shows/", {}),
            (EmulatorCommand{"/usr/games/mgba-qt", {"-f", "/home/ann/My Shows/slide.gba"}}));
  // Nothing is quoted or escaped: every character reaches the emulator as it stands.
  EXPECT_EQ(
      MakeEmulatorCommand("/opt/GBA emu/run \"it\"", "/tmp/a \"b\" $HOME 'c'/", {}),
      (EmulatorCommand{"/opt/GBA emu/run \"it\"", {"-f", "/tmp/a \"b\" $HOME 'c'/slide.gba"}}));
}

TEST(MakeEmulatorCommand, StartsALocationWithoutDirectoryFromTheCurrentDirectory) {
  EXPECT_EQ(MakeEmulatorCommand("mgba-qt", "/w/", {}).program, "./mgba-qt");
  EXPECT_EQ(MakeEmulatorCommand("bin/mgba-qt", "/w/", {}).program, "bin/mgba-qt");
  EXPECT_EQ(MakeEmulatorCommand("./mgba-qt", "/w/", {}).program, "./mgba-qt");
}

TEST(MakeEmulatorCommand, GivesEachKnownEmulatorItsOwnFullScreenArguments) {
  TempDir cores;
  const std::vector<std::string> noCore = {cores.file("none")};
  const std::string image = "/home/ann/My Shows/slide.gba";
  auto arguments = [&](const std::string& location, const std::vector<std::string>& folders) {
    return MakeEmulatorCommand(location, "/home/ann/My Shows/", folders).arguments;
  };
  using Arguments = std::vector<std::string>;
  EXPECT_EQ(arguments("/usr/games/mgba-qt", noCore), (Arguments{"-f", image}));
  EXPECT_EQ(arguments("/usr/games/mgba", noCore), (Arguments{"-f", image}));
  // mednafen reads "-f" as the start of a setting's name.
  EXPECT_EQ(arguments("/usr/games/mednafen", noCore), (Arguments{"-video.fs", "1", image}));
  EXPECT_EQ(arguments("mednafen", noCore), (Arguments{"-video.fs", "1", image}));
  // RetroArch plays nothing without a core; without an mGBA core it gets the usual ones.
  EXPECT_EQ(arguments("/usr/bin/retroarch", noCore), (Arguments{"-f", image}));
  std::ofstream(cores.file("mgba_libretro.so")) << "core";
  EXPECT_EQ(arguments("/usr/bin/retroarch", {cores.file("none"), cores.path().string()}),
            (Arguments{"-f", "-L", cores.file("mgba_libretro.so"), image}));
  EXPECT_EQ(arguments("/opt/vba/visualboyadvance-m", {cores.path().string()}),
            (Arguments{"-f", image}));
}

}  // namespace
}  // namespace varnel
