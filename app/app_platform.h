#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel {

// What the commands around the main window (Settings, Start SlideShow, About) need of the
// toolkit and the system.
class AppPlatform {
 public:
  virtual ~AppPlatform() = default;

  // Runs the Settings dialog modally on this emulator location: the location as the
  // dialog holds it when it ends with OK, nothing when it ends with Cancel.
  virtual std::optional<std::string> RunSettingsDialog(const std::string& emulatorLocation) = 0;
  // Runs the About box modally.
  virtual void RunAboutDialog() = 0;

  // Stores a value in the profile, the settings kept between runs. Throws FileError
  // (naming the profile file and the cause) when it cannot be stored.
  virtual void WriteProfileString(const std::string& section, const std::string& key,
                                  const std::string& value) = 0;

  // Starts a program as a process of its own with exactly these arguments; the editor
  // neither waits for it nor follows it. Throws std::runtime_error, whose text is the
  // system's words for the cause, when the program cannot be started.
  virtual void StartDetachedProcess(const std::string& program,
                                    const std::vector<std::string>& arguments) = 0;
};

}  // namespace varnel
