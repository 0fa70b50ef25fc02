#pragma once

#include <array>
#include <cstddef>

#include "document/picture_entry.h"
#include "ui/model/control_ids.h"

namespace varnel {

enum class Exchange { kText, kComboIndex, kCheck };

// One field of the window bound to a control. limit is the most characters the text
// may hold (0: none): fields to controls sets it as the typing limit and controls to
// fields refuses a longer text.
struct FieldBinding {
  int controlId;
  Exchange exchange;
  std::size_t limit;
};

inline constexpr std::size_t kNumberBoxLimit = 2;

// The data exchange moves the fields in exactly this order, in both directions.
inline constexpr std::array<FieldBinding, 20> kFieldTable = {{
    {kIdColorInfo, Exchange::kText, 0},
    {kIdEffectChoice, Exchange::kComboIndex, 0},
    {kIdCaption, Exchange::kText, kCaptionLimit},
    {kIdCaptionPreview, Exchange::kText, 0},
    {kIdSizeInfo, Exchange::kText, 0},
    {kIdSizingChoice, Exchange::kComboIndex, 0},
    {kIdHelpText, Exchange::kText, 0},
    {kIdHelpScreen, Exchange::kCheck, 0},
    {kIdTextDisplay, Exchange::kCheck, 0},
    {kIdSizeOverride, Exchange::kCheck, 0},
    {kIdThumbnails, Exchange::kCheck, 0},
    {kIdTimeLimit, Exchange::kCheck, 0},
    {kIdKeyUse, Exchange::kCheck, 0},
    {kIdEffectOverride, Exchange::kCheck, 0},
    {kIdSeconds, Exchange::kText, kNumberBoxLimit},
    {kIdSizingOverrideChoice, Exchange::kComboIndex, 0},
    {kIdEffectOverrideChoice, Exchange::kComboIndex, 0},
    {kIdIntroCount, Exchange::kText, kNumberBoxLimit},
    // The window's own additions.
    {kIdFitChoice, Exchange::kComboIndex, 0},
    {kIdAsOnConsole, Exchange::kCheck, 0},
}};

}  // namespace varnel
