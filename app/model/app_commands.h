#pragma once

#include "app/model/app_platform.h"
#include "app/model/player_image_file.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

// The profile value that keeps the emulator location between runs.
inline constexpr const char* kProfileSection = "Main";
inline constexpr const char* kProfileEmulatorKey = "Emulator";

// The main window's commands that live outside it: Settings, Start SlideShow, Play and
// About (from the menu bar and from the system menu). While it lives it is the window's handler
// for those commands.
class AppCommands {
 public:
  AppCommands(CSlideshowDlg& window, AppPlatform& platform);
  ~AppCommands();
  AppCommands(const AppCommands&) = delete;
  AppCommands& operator=(const AppCommands&) = delete;

  // The location goes to the window on every OK, changed or not, and to the profile.
  // With no location set, the dialog suggests the emulator found on this computer.
  void OnSettings();
  // Starts the emulator on the built image, or tells the user why not. With no location
  // set, offers the emulator found on this computer, once a run; taken, it is stored as
  // Settings would store it.
  void OnStartSlideShow();
  // Builds the show into the player's own image when the list or the options changed
  // since Play last built it, then plays it in the player window; the work folder's
  // slide.gba is never written. An empty list has nothing to play.
  void OnPlay();
  void OnAbout();

 private:
  // The player window on the player's image; rebuilt: the image was written just now.
  void ShowPlayer(const std::string& image, bool rebuilt);
  // The window keeps the location for this run even when the profile refuses it.
  void KeepEmulatorLocation(const std::string& location);

  CSlideshowDlg& window_;
  AppPlatform& platform_;
  PlayerImageFile playerImage_;
  bool foundEmulatorOffered_ = false;
};

}  // namespace varnel
