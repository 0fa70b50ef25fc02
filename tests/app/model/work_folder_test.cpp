// Started by a desktop (home folder or root, no terminal) the editor works in ~/Varnel.
#include "app/model/work_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/test_support.h"

namespace varnel {
namespace {

TEST(WorkFolderTest, ADesktopStartWorksInVarnelUnderHomeAndATerminalStartStaysPut) {
  testing::TempDir home;
  testing::TempDir elsewhere;
  const std::filesystem::path own = home.path() / "Varnel";

  // A terminal, or any folder but home and the root, keeps the current directory.
  EXPECT_TRUE(ChooseWorkFolder(home.path(), home.path(), true).folder.empty());
  EXPECT_TRUE(ChooseWorkFolder(elsewhere.path(), home.path(), false).folder.empty());
  EXPECT_FALSE(std::filesystem::exists(own));

  // The first desktop start makes the folder; later ones find it.
  WorkFolderChoice choice = ChooseWorkFolder(home.path(), home.path(), false);
  EXPECT_EQ(choice.folder, own);
  EXPECT_TRUE(std::filesystem::is_directory(own));
  EXPECT_EQ(ChooseWorkFolder("/", home.path(), false).folder, own);
  EXPECT_EQ(ChooseWorkFolder(home.path(), home.path(), false).problem, "");

  // A file in the folder's place: the user is told, and the editor stays where it was.
  testing::TempDir other;
  std::ofstream(other.file("Varnel")) << "not a folder";
  choice = ChooseWorkFolder(other.path(), other.path(), false);
  EXPECT_TRUE(choice.folder.empty());
  EXPECT_EQ(choice.problem.rfind("The folder " + other.file("Varnel") + " could not be made (", 0),
            0u)
      << choice.problem;
}

}  // namespace
}  // namespace varnel
