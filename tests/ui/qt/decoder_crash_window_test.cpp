// A decoder process killed while the real window has it decode a picture (drop, a row's
// preview, Build, Load): the picture is named and left out, the window and its rows stay,
// and the next picture is decoded by a fresh decoder.
#include <signal.h>
#include <unistd.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QTreeWidget>
#include <atomic>
#include <functional>
#include <thread>

#include "project/project_file_writer.h"
#include "tests/support/hostile_pictures.h"
#include "tests/support/image_reader.h"
#include "tests/support/project_bytes.h"
#include "tests/ui/qt/qt_window_fixture.h"

namespace varnel {
namespace {

constexpr char kLibraryFailed[] =
    "the picture could not be loaded (the picture library failed on this file)";

class QtDecoderCrashTest : public testing::QtWindowTest {
 protected:
  QtDecoderCrashTest() : slow(testing::WriteGif(work.file("slow.gif"), testing::SlowGif())) {}

  QTreeWidget* List() const { return Control<QTreeWidget>(kIdPictureList); }

  QStringList ShownNames() const {
    QStringList names;
    for (int i = 0; i < List()->topLevelItemCount(); ++i) names << List()->topLevelItem(i)->text(0);
    return names;
  }

  void ClickRow(int row) {
    QTreeWidgetItem* item = List()->topLevelItem(row);
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(item).center());
  }

  // Runs the command while a watcher kills the decoder that decodes the slow picture;
  // whether one was killed.
  bool KilledDuring(const std::function<void()>& command) const {
    std::atomic<bool> running = true;
    bool killed = false;
    std::thread watcher([&] {
      killed = testing::KillDecoderMidPicture(::getpid(), slow, [&] { return running.load(); });
    });
    command();
    running = false;
    watcher.join();
    return killed;
  }

  // Whether one message names the slow picture with the reason.
  bool SaidLibraryFailedOnSlow() const {
    for (const QString& message : messages) {
      if (message.toStdString().find(slow + ": " + kLibraryFailed) != std::string::npos)
        return true;
    }
    return false;
  }

  std::string StatusLine() const {
    return static_cast<QLabel*>(window->control(kIdStatusLine))->toolTip().toStdString();
  }

  const std::string slow;
};

TEST_F(QtDecoderCrashTest, ADropWhoseDecoderIsKilledKeepsTheWindowAndItsUnsavedRows) {
  Drop({Picture("a.bmp", 64, 48), Picture("b.bmp", 30, 20)});
  ASSERT_EQ(ShownNames(), (QStringList{"a.bmp", "b.bmp"}));
  ASSERT_TRUE(window->isWindowModified());
  ASSERT_TRUE(messages.isEmpty());

  const std::string c = Picture("c.bmp", 12, 10);
  ASSERT_TRUE(KilledDuring([&] { Drop({slow, c}); }));
  EXPECT_TRUE(SaidLibraryFailedOnSlow()) << messages.join('\n').toStdString();
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindowModified());
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
  EXPECT_EQ(List()->topLevelItem(2)->text(3), "12x10 (24Bits)");
}

TEST_F(QtDecoderCrashTest, APreviewOrBuildWhoseDecoderIsKilledLeavesThePictureOut) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(200, 0x11));
  Drop({Picture("a.bmp", 64, 48), slow, Picture("b.bmp", 30, 20)});
  ASSERT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  ASSERT_EQ(ShownNames(), (QStringList{"a.bmp", "slow.gif", "b.bmp"}));
  ClickRow(0);
  ASSERT_EQ(Control<QLabel>(kIdSizeInfo)->text(), "Size: 64x48");

  // The preview of a picture that fails to load stays as it was.
  ASSERT_TRUE(KilledDuring([&] { ClickRow(1); }));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Control<QLabel>(kIdSizeInfo)->text(), "Size: 64x48");
  // Its row takes the 240 x 160 version only, so that the show fits into a cartridge.
  auto* sizing = Control<QComboBox>(kIdSizingChoice);
  QTest::keyClick(sizing, Qt::Key_End);
  ASSERT_EQ(List()->topLevelItem(1)->text(2), "(02) Resized Only (240x160)");
  ClickRow(2);
  EXPECT_EQ(Control<QLabel>(kIdSizeInfo)->text(), "Size: 30x20");

  messages.clear();
  ASSERT_TRUE(KilledDuring([&] { Run(MenuItem("&SlideShow", "&Build SlideShow")); }));
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(SaidLibraryFailedOnSlow()) << messages.join('\n').toStdString();
  EXPECT_TRUE(testing::Mentions(StatusLine(), "(2 pictures), 1 left out.")) << StatusLine();
  const testing::ImageReader image(work.file("slide.gba"));
  ASSERT_EQ(image.header().pictureCount, 2);
  EXPECT_EQ(image.record(0).width, 64);
  EXPECT_EQ(image.record(1).width, 28);  // 30 wide, cut to a multiple of 4
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "slow.gif", "b.bmp"}));
}

TEST_F(QtDecoderCrashTest, ALoadWhoseDecoderIsKilledMakesTheOtherRows) {
  const std::string a = Picture("a.bmp", 64, 48), b = Picture("b.bmp", 30, 20);
  const std::string project = work.file("show.vrn");
  const std::vector<StoredPicture> pictures = {{a, "", 0, 0}, {slow, "", 0, 0}, {b, "", 0, 0}};
  testing::WriteAllBytes(project,
                         testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures));
  window->SetFileDialogAnswer([&](QFileDialog& files) {
    files.selectFile(QString::fromStdString(project));
    static_cast<QDialog&>(files).accept();
  });
  ASSERT_TRUE(KilledDuring([&] { Run(MenuItem("&File", "&Load")); }));
  EXPECT_TRUE(SaidLibraryFailedOnSlow()) << messages.join('\n').toStdString();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "b.bmp"}));
}

}  // namespace
}  // namespace varnel
