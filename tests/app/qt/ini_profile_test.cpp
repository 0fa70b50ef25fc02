#include "ui/qt/ini_profile.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <filesystem>
#include <string>
#include <vector>

#include "files/file_error.h"
#include "tests/app/config_home.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::ConfigHome;
using testing::ReadAllBytes;
using testing::WriteAllBytes;

std::vector<uint8_t> Bytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

std::string Text(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(IniProfile, IsNamedAfterTheExecutableInTheUsersConfigurationDirectory) {
  ConfigHome home;
  EXPECT_EQ(IniProfile::ForApplication().filePath(), home.profileFile());
}

TEST(IniProfile, FirstRunReadsTheDefaultAndLeavesNoFileBehind) {
  ConfigHome home;
  const IniProfile profile = IniProfile::ForApplication();
  EXPECT_EQ(profile.ReadString("Main", "Emulator", ""), "");
  EXPECT_EQ(profile.ReadString("Main", "Emulator", "none"), "none");
  EXPECT_FALSE(std::filesystem::exists(home.profileFile()));
}

TEST(IniProfile, WritesAPlainIniFileOthersCanRead) {
  ConfigHome home;
  IniProfile::ForApplication().WriteString("Main", "Emulator", "/usr/games/mgba-qt");
  EXPECT_EQ(Text(ReadAllBytes(home.profileFile())), "[Main]\nEmulator=/usr/games/mgba-qt\n");
}

TEST(IniProfile, GivesBackEveryValueExactlyAsStored) {
  ConfigHome home;
  const IniProfile profile = IniProfile::ForApplication();
  const std::vector<std::string> values = {
      "/opt/GBA Emulators/run it",
      "",
      "  blanks around  ",
      "/a,b/c, d",
      "/x;y#z=w",
      "/with \"quotes\" and 'apostrophes'",
      "C:\\Games\\emu.exe",
      "@at the start",
      "/home/zoë/émulateur/モ",
      "$HOME/%PATH%/[brackets]",
      std::string(4095, 'e'),
      "/" + std::string(4094, 'x'),
      std::string(10000, 'L'),  // longer than the original platform kept: whole all the same
  };
  for (const std::string& value : values) {
    profile.WriteString("Main", "Emulator", value);
    EXPECT_EQ(IniProfile(home.profileFile()).ReadString("Main", "Emulator", "default"), value)
        << value.substr(0, 40);
  }
}

TEST(IniProfile, ReadsHandWrittenFiles) {
  ConfigHome home;
  std::filesystem::create_directories(home.dir().path());
  WriteAllBytes(home.profileFile(),
                Bytes("; written by hand\r\n[Other]\r\nEmulator=/wrong\r\n\r\n[Main]\r\n"
                      "Emulator = /usr/games/mgba-qt  \r\n"));
  EXPECT_EQ(IniProfile::ForApplication().ReadString("Main", "Emulator", ""), "/usr/games/mgba-qt");

  WriteAllBytes(home.profileFile(), Bytes("[Main]\nEmulator=/opt/emu,v2/run\n"));
  EXPECT_EQ(IniProfile::ForApplication().ReadString("Main", "Emulator", ""), "/opt/emu,v2/run");
}

TEST(IniProfile, WritingKeepsWhatElseTheFileHolds) {
  ConfigHome home;
  WriteAllBytes(home.profileFile(), Bytes("[Main]\nTheme=dark\n[Other]\nKey=kept\n"));
  const IniProfile profile = IniProfile::ForApplication();
  profile.WriteString("Main", "Emulator", "/usr/games/mgba-qt");
  EXPECT_EQ(profile.ReadString("Main", "Theme", ""), "dark");
  EXPECT_EQ(profile.ReadString("Other", "Key", ""), "kept");
  EXPECT_EQ(profile.ReadString("Main", "Emulator", ""), "/usr/games/mgba-qt");
}

TEST(IniProfile, MakesAMissingConfigurationDirectory) {
  ConfigHome home;
  const IniProfile profile(home.dir().file("not/yet/there.ini"));
  profile.WriteString("Main", "Emulator", "/e");
  EXPECT_EQ(profile.ReadString("Main", "Emulator", ""), "/e");
}

TEST(IniProfile, AFileThatCannotBeWrittenIsAnErrorNamingIt) {
  ConfigHome home;
  // A regular file where the directory should be: no one, not even root, can write there.
  WriteAllBytes(home.dir().file("blocker"), Bytes("x"));
  const std::string path = home.dir().file("blocker/varnel.ini");
  try {
    IniProfile(path).WriteString("Main", "Emulator", "/e");
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), path);
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
  }
}

}  // namespace
}  // namespace varnel
