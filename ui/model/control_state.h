#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

// What one control of the window shows and allows, as the model keeps it. The toolkit
// mirrors these states and reports the user's changes back.
struct ControlState {
  std::string text;
  int check = 0;                   // check boxes: 0 off, 1 on
  int comboIndex = -1;             // combo boxes: the chosen item, -1 for none
  std::vector<std::string> items;  // combo boxes: the entries in list order
  bool enabled = true;
  bool visible = true;
  std::size_t textLimit = 0;              // most characters the user may type; 0: no limit set
  std::optional<uint32_t> backgroundRgb;  // 0xRRGGBB, when the control has its own
};

// The state of one picture list row besides its texts.
struct RowState {
  bool selected = false;
  bool focused = false;  // the row the keyboard acts on
  bool operator==(const RowState&) const = default;
};

struct ListColumn {
  std::string heading;
  int widthPixels = 0;  // 0 hides the column
  int shownAfter = -1;  // the column it is shown right after; -1: in its own place
};

}  // namespace varnel
