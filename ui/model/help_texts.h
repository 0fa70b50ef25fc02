#pragma once

#include <array>
#include <string_view>

namespace varnel {

// What the help area says about one control of the main window.
struct HelpEntry {
  int controlId;
  std::string_view text;
};

inline constexpr std::size_t kHelpEntryCount = 26;

// The controls that have a help text of their own, with that text.
extern const std::array<HelpEntry, kHelpEntryCount> kHelpTable;

// What the help area says over everything else: the info fields, the progress bar, the
// labels and frames without an identifier and the window itself.
extern const std::string_view kDefaultHelpText;

// The help text for the control with this identifier, the default text when it has none.
std::string_view HelpTextFor(int controlId);

// What SlideShow > Fit All Pictures does, said on its items.
extern const std::string_view kFitAllPicturesHelpText;

}  // namespace varnel
