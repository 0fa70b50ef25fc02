#pragma once

#include "app/app_platform.h"

class QWidget;

namespace varnel {

// The commands around the main window in Qt: their dialogs owned by the main window, the
// profile in its INI file, and processes started through QProcess.
class QtAppPlatform final : public AppPlatform {
 public:
  // The window that owns the dialogs; nullptr until it exists.
  void SetOwner(QWidget* owner) { owner_ = owner; }

  std::optional<std::string> RunSettingsDialog(const std::string& emulatorLocation) override;
  void RunAboutDialog() override;
  void WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value) override;
  void StartDetachedProcess(const std::string& program,
                            const std::vector<std::string>& arguments) override;

 private:
  QWidget* owner_ = nullptr;
};

}  // namespace varnel
