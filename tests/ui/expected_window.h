#pragma once

#include <array>
#include <string_view>

// The main window as the user meets it, written out by hand once: its controls in
// template order, menu 133, the order of the data exchange and the help texts. The tests
// compare the running window with these values, never with the program's own tables.
namespace varnel::testing {

inline constexpr int kNoId = 65535;

struct ExpectedRect {
  int x, y, width, height;  // dialog units
};

// style: the words that matter to a toolkit, separated by blanks.
struct ExpectedControl {
  int id;
  std::string_view windowClass;
  std::string_view text;
  ExpectedRect rect;
  std::string_view style;
};

// The dialog template's controls, then the two Varnel adds after them: the fit of the
// selected picture beside "Description" and the "As on Console" check box beside
// "Preview :".
inline constexpr std::array<ExpectedControl, 34> kExpectedControls = {{
    {1021, "STATIC", "", {7, 255, 77, 12}, "centred sunken"},
    {1001, "SysListView32", "List1", {7, 7, 475, 139}, "report single border"},
    {1002, "BUTTON", "&Add", {488, 55, 37, 18}, "push"},
    {1003, "BUTTON", "&Remove", {488, 76, 37, 18}, "push"},
    {1004, "BUTTON", "&Clear", {488, 98, 37, 18}, "push"},
    {1005, "BUTTON", "&Up", {488, 7, 37, 18}, "push"},
    {1006, "BUTTON", "&Down", {488, 27, 37, 18}, "push"},
    {1009, "STATIC", "", {13, 148, 15, 13}, "bitmap border"},
    {kNoId, "BUTTON", "Picture Options", {176, 147, 173, 157}, "group transparent"},
    {1013, "COMBOBOX", "", {180, 157, 164, 136}, "dropdown sorted"},
    {kNoId, "STATIC", "Description", {179, 187, 113, 8}, ""},
    {1018, "RICHEDIT", "", {179, 196, 165, 29}, "multiline border"},
    {1022, "STATIC", "", {87, 255, 79, 12}, "centred sunken"},
    {1023, "msctls_progress32", "Progress1", {7, 270, 160, 11}, "smooth border"},
    {kNoId, "STATIC", "Preview :", {180, 226, 40, 8}, ""},
    {1025, "RICHEDIT", "", {179, 235, 165, 65}, "multiline readonly nowrap border"},
    {1014, "COMBOBOX", "", {180, 171, 164, 133}, "dropdown sorted"},
    {kNoId, "BUTTON", "General Options", {354, 147, 171, 102}, "group transparent"},
    {1026, "BUTTON", "Help Screen", {357, 192, 53, 12}, "check textleft"},
    {1027, "BUTTON", "Text Display", {357, 202, 53, 12}, "check textleft"},
    {1028, "BUTTON", "Size", {357, 222, 53, 12}, "check textleft"},
    {1032, "BUTTON", "Thumbnails", {357, 212, 53, 12}, "check textleft"},
    {1033, "STATIC", "", {359, 259, 160, 41}, "left"},
    {kNoId, "BUTTON", "Help", {354, 250, 171, 54}, "group"},
    {1035, "EDIT", "", {418, 181, 17, 12}, "border"},
    {1034, "BUTTON", "Time Limit", {357, 181, 53, 12}, "check textleft"},
    {1037, "BUTTON", "Key Use", {357, 170, 53, 12}, "check textleft"},
    {1015, "COMBOBOX", "", {416, 234, 103, 143}, "dropdown sorted"},
    {1036, "BUTTON", "Effect", {357, 234, 53, 12}, "check textleft"},
    {1039, "STATIC", "Display Once", {358, 161, 45, 10}, ""},
    {1038, "EDIT", "", {418, 160, 17, 12}, "border"},
    {1016, "COMBOBOX", "", {416, 220, 103, 154}, "dropdown sorted"},
    {1043, "COMBOBOX", "", {222, 184, 122, 12}, "dropdown sorted"},
    {1044, "BUTTON", "As on Console", {284, 225, 60, 10}, "check textleft"},
}};

// The fit labels, in label order.
inline constexpr std::array<std::string_view, 3> kExpectedFitLabels = {
    "(00) Stretch", "(01) Whole Picture", "(02) Fill Screen"};

struct ExpectedMenuItem {
  std::string_view menu;  // empty: an item of the menu bar itself
  std::string_view text;  // empty: a separator
  int commandId;
};

inline constexpr std::array<ExpectedMenuItem, 10> kExpectedMenu = {{
    {"&File", "&New", 32780},
    {"&File", "&Load", 32772},
    {"&File", "&Save", 32777},
    {"&File", "", 0},
    {"&File", "&Settings", 32778},
    {"&File", "", 0},
    {"&File", "&Quit", 32776},
    {"&SlideShow", "&Build SlideShow", 32775},
    {"&SlideShow", "&Start SlideShow", 32774},
    {"", "&About", 32773},
}};

// The controls the data exchange moves, in its order.
inline constexpr std::array<int, 20> kExpectedExchangeOrder = {
    1022, 1013, 1018, 1025, 1021, 1014, 1033, 1026, 1027, 1028,
    1032, 1034, 1037, 1036, 1035, 1016, 1015, 1038, 1043, 1044,
};

struct ExpectedHelp {
  int id;
  std::string_view text;
};

inline constexpr std::array<ExpectedHelp, 26> kExpectedHelp = {{
    {1001,
     "List the Pictures that are going to be part of the SlideShow.\n\n(Order in the list "
     "represent order of the Slides)"},
    {1002, "Add 1 or more Picture(s) to the SlideShow's list.\n\n(Ins Key)"},
    {1003, "Remove the selected Picture form the SlideShow\n\n(Del Key)"},
    {1004, "Clear the SlideShow's list of all Pictures."},
    {1005,
     "Move the selected Picture Up 1 item in the list.\nUpper picture are displayed first in "
     "the SlideShow\n\n(Up Key)"},
    {1006,
     "Move the selected Picture down 1 item in the list.\nLower pictures are displayed last in "
     "the SlideShow\n\n(Down Key)"},
    {1009, "Preview of the picture you selected in the List"},
    {1013, "Choose the Effect used when going from the previous Slide to this one"},
    {1014,
     "Choose how you want to see this picture :\n->Both Size\n->FullSize only Picture "
     "(Scrollable)\n->Resized only Picture (240x160)"},
    {1015,
     "Enable Picture's transition effect override\n\n(Pictures will all use this sizing "
     "setting, no matter their own setting)"},
    {1036,
     "Enable Picture's transition effect override\n\n(Pictures will all use this sizing "
     "setting, no matter their own setting)"},
    {1016,
     "Choose how you want to see the Pictures :\n->Both Size\n->FullSized only Pictures "
     "(Scrollable)\n->Resized only Pictures (240x160)"},
    {1018, "Write the text you want to be displayed over this picture when you press 'select'"},
    {1025,
     "Preview of the text you wrote, with the line jumps.\n\n(10 Lines)\n(18 characters per "
     "line)"},
    {1026,
     "Enable Access to the Intro Screen\n\n(List the keys configuration by pressing 'Start')"},
    {1027,
     "Enable Text Display.\n\n(Text can be displayed over each picture by pressing 'Select')"},
    {1028,
     "Enable Picture's sizing override.\n\n(Pictures will all use this sizing setting, no matter "
     "their own setting)"},
    {1032,
     "Enable Creation of Thumbnails.\n\n(Allow you to chose a picture while in the SlideShow)"},
    {1033,
     "Check this area to get usefull informations about every commands/options of this dialog."},
    {1034,
     "Enable Slide change after specified time comes to pass.\n\n(Can be cancelled by pressing "
     "'B' during the Slideshow)"},
    {1035, "Number of seconds between each Slide.\n\n(0-60: Time in seconds)"},
    {1037,
     "Enable Slide Change on shoulder Keypress.\n\n(Right shoulder: Move to next Slide)\n(Left "
     "Shoulder: Move to previous Slide)"},
    {1038,
     "The first X pictures will be used as an intro.\n\n(0=No intro Picture)\n(1-99=First X "
     "Pictures will be used)"},
    {1039,
     "Allow you to set some Slides as an intro.\n\n(They'll only get displayed once and resized, "
     "when the SlideShow start)"},
    {1043,
     "Choose how this picture fits the screen (240x160) and its Thumbnail :\n->Stretch to the "
     "screen\n->Whole Picture, black around it\n->Fill Screen, its edges cut off"},
    {1044,
     "Show the selected Picture in the preview as the console will show it first.\n\n(Resized "
     "picture with its Fit, or the middle of the FullSize picture)"},
}};

inline constexpr std::string_view kExpectedProcedure =
    "***** PROCEDURE *****\n1. Set the Generals properties of the SlideShow.\n2. Add pictures to "
    "the SlideShow with (Add).\n3. Set the individual properties of each Pictures.\n4. Click on "
    "the Menu item \"SlideShow->Build\"";

inline bool HasStyle(const ExpectedControl& control, std::string_view word) {
  std::string_view rest = control.style;
  while (!rest.empty()) {
    const std::size_t end = rest.find(' ');
    if (rest.substr(0, end) == word) return true;
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return false;
}

}  // namespace varnel::testing
