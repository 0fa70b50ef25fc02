#include "app/model/known_emulators.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::TempDir;

// Makes a file at `path` (and its folders), a program the user may run unless told.
void MakeFile(const std::string& path, bool runnable = true) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path) << "#!/bin/sh\n";
  std::filesystem::permissions(
      path, runnable ? std::filesystem::perms::owner_all
                     : std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(SystemEmulatorSearchPlaces, SearchPathThenGamesAndTheUsersCoresBeforeTheSystems) {
  const EmulatorSearchPlaces places = SystemEmulatorSearchPlaces(
      "/usr/local/bin:/usr/bin::bin:./tools:/usr/games:/usr/bin", "/home/ann/.config");
  // Empty and relative entries would name folders of the current directory.
  EXPECT_EQ(places.programFolders,
            (std::vector<std::string>{"/usr/local/bin", "/usr/bin", "/usr/games"}));
  ASSERT_GE(places.coreFolders.size(), 2u);
  EXPECT_EQ(places.coreFolders.front(), "/home/ann/.config/retroarch/cores");
  EXPECT_EQ(places.coreFolders.back(), "/usr/lib/libretro");
  // Debian's multiarch folder, where its libretro-mgba package puts the core.
  if (places.coreFolders.size() == 3) {
    EXPECT_TRUE(places.coreFolders[1].starts_with("/usr/lib/")) << places.coreFolders[1];
    EXPECT_TRUE(places.coreFolders[1].ends_with("/libretro")) << places.coreFolders[1];
  }

  const EmulatorSearchPlaces bare = SystemEmulatorSearchPlaces("", "");
  EXPECT_EQ(bare.programFolders, std::vector<std::string>{"/usr/games"});
  EXPECT_EQ(bare.coreFolders.back(), "/usr/lib/libretro");
  EXPECT_NE(bare.coreFolders.front(), "/retroarch/cores");
}

TEST(KindOfEmulator, KnowsDebiansEmulatorsByNameOrByWhereALinkLeads) {
  EXPECT_EQ(KindOfEmulator("/usr/games/mgba-qt"), EmulatorKind::kMgba);
  EXPECT_EQ(KindOfEmulator("/usr/games/mgba"), EmulatorKind::kMgba);
  EXPECT_EQ(KindOfEmulator("mgba-sdl"), EmulatorKind::kMgba);
  EXPECT_EQ(KindOfEmulator("/usr/games/mednafen"), EmulatorKind::kMednafen);
  EXPECT_EQ(KindOfEmulator("/usr/bin/retroarch"), EmulatorKind::kRetroArch);
  EXPECT_EQ(KindOfEmulator("/opt/vba/visualboyadvance-m"), EmulatorKind::kOther);
  EXPECT_EQ(KindOfEmulator("/opt/mgba-qt/run"), EmulatorKind::kOther);  // a folder's name
  EXPECT_EQ(KindOfEmulator("/usr/games/mgba-qt.sh"), EmulatorKind::kOther);
  EXPECT_EQ(KindOfEmulator(""), EmulatorKind::kOther);

  TempDir dir;
  MakeFile(dir.file("games/mednafen"));
  std::filesystem::create_symlink(dir.file("games/mednafen"), dir.file("gba"));
  EXPECT_EQ(KindOfEmulator(dir.file("gba")), EmulatorKind::kMednafen);
  std::filesystem::create_symlink(dir.file("missing"), dir.file("broken"));
  EXPECT_EQ(KindOfEmulator(dir.file("broken")), EmulatorKind::kOther);
}

TEST(FindEmulator, OffersMgbaBeforeMednafenBeforeRetroArchWhereverEachLies) {
  TempDir dir;
  const std::string first = dir.file("first");
  const std::string games = dir.file("games");
  const std::string cores = dir.file("cores");
  std::filesystem::create_directories(first);
  std::filesystem::create_directories(games);
  const EmulatorSearchPlaces places{{first, games + "/"}, {cores}};
  EXPECT_EQ(FindEmulator(places), "");

  // RetroArch counts only with an mGBA core.
  MakeFile(first + "/retroarch");
  EXPECT_EQ(FindEmulator(places), "");
  MakeFile(cores + "/mgba_libretro.so", false);
  EXPECT_EQ(FindEmulator(places), first + "/retroarch");

  MakeFile(games + "/mednafen");
  EXPECT_EQ(FindEmulator(places), games + "/mednafen");
  MakeFile(first + "/mgba");
  EXPECT_EQ(FindEmulator(places), first + "/mgba");
  MakeFile(games + "/mgba-qt");
  EXPECT_EQ(FindEmulator(places), games + "/mgba-qt");
  MakeFile(first + "/mgba-qt");
  EXPECT_EQ(FindEmulator(places), first + "/mgba-qt");
}

TEST(FindEmulator, CountsOnlyProgramsTheUserMayRun) {
  TempDir dir;
  const EmulatorSearchPlaces places{{dir.file("a"), dir.file("b")}, {}};
  MakeFile(dir.file("a/mgba-qt"), false);                       // not runnable
  std::filesystem::create_directories(dir.file("a/mgba/bin"));  // a folder
  std::filesystem::create_directories(dir.file("b"));
  std::filesystem::create_symlink(dir.file("nowhere"), dir.file("b/mgba-qt"));
  EXPECT_EQ(FindEmulator(places), "");

  MakeFile(dir.file("real/mednafen"));
  std::filesystem::create_symlink(dir.file("real/mednafen"), dir.file("b/mednafen"));
  EXPECT_EQ(FindEmulator(places), dir.file("b/mednafen"));  // the link, as the user sees it
}

TEST(FindMgbaCore, TakesTheFirstFolderHoldingTheCore) {
  TempDir dir;
  const std::vector<std::string> folders = {dir.file("user"), dir.file("system")};
  EXPECT_EQ(FindMgbaCore(folders), "");
  MakeFile(dir.file("user/mgba_libretro.so.bak"));
  std::filesystem::create_directories(dir.file("system/mgba_libretro.so"));  // a folder
  EXPECT_EQ(FindMgbaCore(folders), "");
  MakeFile(dir.file("system/sub/mgba_libretro.so"));
  MakeFile(dir.file("system/mgba_libretro.so.1"));
  EXPECT_EQ(FindMgbaCore(folders), "");
  std::filesystem::remove(dir.file("system/mgba_libretro.so"));
  MakeFile(dir.file("system/mgba_libretro.so"), false);
  EXPECT_EQ(FindMgbaCore(folders), dir.file("system/mgba_libretro.so"));
  MakeFile(dir.file("user/mgba_libretro.so"), false);
  EXPECT_EQ(FindMgbaCore(folders), dir.file("user/mgba_libretro.so"));
}

}  // namespace
}  // namespace varnel
