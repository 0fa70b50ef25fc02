#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/model/known_emulators.h"

namespace varnel {

// What the commands around the main window (Settings, Start SlideShow, About) need of the
// toolkit and the system.
class AppPlatform {
 public:
  virtual ~AppPlatform() = default;

  // Runs the Settings dialog modally on this emulator location: the location as the
  // dialog holds it when it ends with OK, nothing when it ends with Cancel. A `suggested`
  // location is not stored yet but was found on this computer, which the dialog says.
  virtual std::optional<std::string> RunSettingsDialog(const std::string& emulatorLocation,
                                                       bool suggested) = 0;
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

  // Where to look for emulators when none is set.
  virtual EmulatorSearchPlaces SearchPlacesForEmulators() = 0;
  // Asks a question with Yes and No buttons, Yes the default. True for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;

  // Start SlideShow's message when no emulator is set (the text as given, the
  // exclamation icon, an OK button), offering to play the show in Varnel's own player
  // instead. True when the user takes the offer.
  virtual bool ShowNoEmulatorMessageOfferingPlay(const std::string& message) = 0;
  // Shows the one player window on the image and brings it to the front. A window that
  // was closed, or whose image was rebuilt (`rebuilt`), plays the image from its start; an
  // open one plays on. Throws std::runtime_error, whose text says why, when the image
  // cannot be played.
  virtual void ShowPlayer(const std::string& imagePath, bool rebuilt) = 0;
};

}  // namespace varnel
