#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace varnel {

// A rectangle in dialog units: x, y, width, height. A horizontal unit is a quarter of
// the dialog font's average character width, a vertical unit an eighth of its height.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class ControlClass {
  kStatic,       // STATIC
  kListView,     // SysListView32
  kButton,       // BUTTON: push button, check box or group box
  kComboBox,     // COMBOBOX
  kRichEdit,     // RICHEDIT
  kEdit,         // EDIT
  kProgressBar,  // msctls_progress32
};

// The style bits a toolkit has to reproduce.
enum ControlStyle : uint32_t {
  kStyleNone = 0,
  kStyleDisabled = 1u << 0,
  kStylePushButton = 1u << 1,
  kStyleGroupBox = 1u << 2,
  kStyleAutoCheckBox = 1u << 3,
  kStyleTextLeftOfBox = 1u << 4,
  kStyleCentredText = 1u << 5,
  kStyleSunkenEdge = 1u << 6,
  kStyleBitmapCentred = 1u << 7,  // shows a bitmap centred and clipped, never scaled
  kStyleBorder = 1u << 8,
  kStyleDropDownList = 1u << 9,
  kStyleSorted = 1u << 10,
  kStyleVerticalScroll = 1u << 11,
  kStyleHorizontalScroll = 1u << 12,
  kStyleMultiLine = 1u << 13,
  kStyleEnterInsertsLineBreak = 1u << 14,
  kStyleReadOnly = 1u << 15,
  kStyleNoWordWrap = 1u << 16,
  kStyleReportView = 1u << 17,
  kStyleSingleSelection = 1u << 18,
  kStyleShowSelectionAlways = 1u << 19,
  kStyleSmoothBar = 1u << 20,
};

struct ControlTemplate {
  int id;
  ControlClass controlClass;
  std::string_view text;
  uint32_t style;  // ControlStyle bits
  DialogRect rect;
  // Transparent controls are passed over by the pointer hit test, so what lies inside
  // them is found instead.
  bool transparent;

  bool Has(ControlStyle bit) const { return (style & bit) != 0; }
};

inline constexpr int kMainWindowControlCount = 34;

// The controls of the main window in template order, which is also the tab order and
// the stacking order (earlier lies on top); the window's own additions come last.
extern const std::array<ControlTemplate, kMainWindowControlCount> kMainWindowControls;

// The template's control with this identifier; nullptr for kIdNone or an unknown id.
const ControlTemplate* FindControlTemplate(int id);
// Position of the control in template order; -1 when there is none.
int TemplateIndexOf(int id);

struct DialogTemplate {
  int id;
  std::string_view caption;
  int width;  // dialog units
  int height;
  std::string_view fontName;
  int fontPointSize;
};

inline constexpr DialogTemplate kMainWindowTemplate = {102, "Varnel 1.3",    532,
                                                       311, "MS Sans Serif", 8};

// One entry of menu 133. An entry with an empty popup is an item of the menu bar itself;
// an entry with command 0 is a separator. An entry with a submenu is an item of that
// submenu of its popup.
struct MenuItemTemplate {
  std::string_view popup;
  std::string_view text;
  int commandId;
  std::string_view submenu = {};
};

extern const std::array<MenuItemTemplate, 15> kMainMenu;

}  // namespace varnel
