#pragma once

#include <QPointer>

#include "app/model/app_platform.h"
#include "player/qt/player_window.h"

class QWidget;

namespace varnel {

// The commands around the main window in Qt: their dialogs owned by the main window, the
// profile in its INI file, processes started through QProcess, and the player window.
class QtAppPlatform final : public AppPlatform {
 public:
  // Emulators are looked for in `searchPlaces` (the system's, unless a test says otherwise).
  explicit QtAppPlatform(EmulatorSearchPlaces searchPlaces)
      : searchPlaces_(std::move(searchPlaces)) {}
  ~QtAppPlatform() override;
  QtAppPlatform(const QtAppPlatform&) = delete;
  QtAppPlatform& operator=(const QtAppPlatform&) = delete;

  // The window that owns the dialogs; nullptr until it exists.
  void SetOwner(QWidget* owner) { owner_ = owner; }

  std::optional<std::string> RunSettingsDialog(const std::string& emulatorLocation,
                                               bool suggested) override;
  void RunAboutDialog() override;
  void WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value) override;
  void StartDetachedProcess(const std::string& program,
                            const std::vector<std::string>& arguments) override;
  EmulatorSearchPlaces SearchPlacesForEmulators() override { return searchPlaces_; }
  bool AskYesNo(const std::string& question) override;
  bool ShowNoEmulatorMessageOfferingPlay(const std::string& message) override;
  void ShowPlayer(const std::string& imagePath, bool rebuilt) override;

  // The player window once Play has opened it (it goes with its owner).
  PlayerWindow* player() const { return player_; }

 private:
  EmulatorSearchPlaces searchPlaces_;
  QWidget* owner_ = nullptr;
  QPointer<PlayerWindow> player_;
};

}  // namespace varnel
