#include "ui/model/dialog_template.h"

#include "document/label_tables.h"
#include "ui/model/control_ids.h"

namespace varnel {

namespace {
constexpr uint32_t kCheckBox = kStyleAutoCheckBox | kStyleTextLeftOfBox;
constexpr uint32_t kInfoText = kStyleCentredText | kStyleSunkenEdge;
constexpr uint32_t kChoiceList = kStyleDropDownList | kStyleSorted | kStyleVerticalScroll;
constexpr uint32_t kNumberBox = kStyleBorder;
}  // namespace

const std::array<ControlTemplate, kMainWindowControlCount> kMainWindowControls = {{
    {kIdSizeInfo, ControlClass::kStatic, "", kInfoText, {7, 255, 77, 12}, false},
    {kIdPictureList,
     ControlClass::kListView,
     "List1",
     kStyleReportView | kStyleSingleSelection | kStyleShowSelectionAlways | kStyleBorder,
     {7, 7, 475, 139},
     false},
    {kIdAdd, ControlClass::kButton, "&Add", kStylePushButton, {488, 55, 37, 18}, false},
    {kIdRemove, ControlClass::kButton, "&Remove", kStylePushButton, {488, 76, 37, 18}, false},
    {kIdClear, ControlClass::kButton, "&Clear", kStylePushButton, {488, 98, 37, 18}, false},
    {kIdUp, ControlClass::kButton, "&Up", kStylePushButton, {488, 7, 37, 18}, false},
    {kIdDown, ControlClass::kButton, "&Down", kStylePushButton, {488, 27, 37, 18}, false},
    {kIdPreview,
     ControlClass::kStatic,
     "",
     kStyleBitmapCentred | kStyleBorder,
     {13, 148, 15, 13},
     false},
    {kIdNone, ControlClass::kButton, "Picture Options", kStyleGroupBox, {176, 147, 173, 157}, true},
    {kIdEffectChoice,
     ControlClass::kComboBox,
     "",
     kChoiceList | kStyleDisabled,
     {180, 157, 164, 136},
     false},
    {kIdNone, ControlClass::kStatic, "Description", kStyleNone, {179, 187, 113, 8}, false},
    {kIdCaption,
     ControlClass::kRichEdit,
     "",
     kStyleMultiLine | kStyleEnterInsertsLineBreak | kStyleVerticalScroll | kStyleBorder,
     {179, 196, 165, 29},
     false},
    {kIdColorInfo, ControlClass::kStatic, "", kInfoText, {87, 255, 79, 12}, false},
    {kIdProgress,
     ControlClass::kProgressBar,
     "Progress1",
     kStyleSmoothBar | kStyleBorder,
     {7, 270, 160, 11},
     false},
    {kIdNone, ControlClass::kStatic, "Preview :", kStyleNone, {180, 226, 40, 8}, false},
    {kIdCaptionPreview,
     ControlClass::kRichEdit,
     "",
     kStyleMultiLine | kStyleReadOnly | kStyleNoWordWrap | kStyleVerticalScroll |
         kStyleHorizontalScroll | kStyleBorder,
     {179, 235, 165, 65},
     false},
    {kIdSizingChoice,
     ControlClass::kComboBox,
     "",
     kChoiceList | kStyleDisabled,
     {180, 171, 164, 133},
     false},
    {kIdNone, ControlClass::kButton, "General Options", kStyleGroupBox, {354, 147, 171, 102}, true},
    {kIdHelpScreen, ControlClass::kButton, "Help Screen", kCheckBox, {357, 192, 53, 12}, false},
    {kIdTextDisplay, ControlClass::kButton, "Text Display", kCheckBox, {357, 202, 53, 12}, false},
    {kIdSizeOverride, ControlClass::kButton, "Size", kCheckBox, {357, 222, 53, 12}, false},
    {kIdThumbnails, ControlClass::kButton, "Thumbnails", kCheckBox, {357, 212, 53, 12}, false},
    {kIdHelpText, ControlClass::kStatic, "", kStyleNone, {359, 259, 160, 41}, false},
    {kIdNone, ControlClass::kButton, "Help", kStyleGroupBox, {354, 250, 171, 54}, false},
    {kIdSeconds, ControlClass::kEdit, "", kNumberBox, {418, 181, 17, 12}, false},
    {kIdTimeLimit, ControlClass::kButton, "Time Limit", kCheckBox, {357, 181, 53, 12}, false},
    {kIdKeyUse, ControlClass::kButton, "Key Use", kCheckBox, {357, 170, 53, 12}, false},
    {kIdEffectOverrideChoice,
     ControlClass::kComboBox,
     "",
     kChoiceList,
     {416, 234, 103, 143},
     false},
    {kIdEffectOverride, ControlClass::kButton, "Effect", kCheckBox, {357, 234, 53, 12}, false},
    {kIdIntroLabel, ControlClass::kStatic, "Display Once", kStyleNone, {358, 161, 45, 10}, false},
    {kIdIntroCount, ControlClass::kEdit, "", kNumberBox, {418, 160, 17, 12}, false},
    {kIdSizingOverrideChoice,
     ControlClass::kComboBox,
     "",
     kChoiceList,
     {416, 220, 103, 154},
     false},
    // Added by Varnel, in free space of the "Picture Options" frame: the fit beside the
    // "Description" label (only as high as the gap between the sizing choice and the
    // caption box), and the preview's check box beside the "Preview :" label.
    {kIdFitChoice,
     ControlClass::kComboBox,
     "",
     kChoiceList | kStyleDisabled,
     {222, 184, 122, 12},
     false},
    {kIdAsOnConsole, ControlClass::kButton, "As on Console", kCheckBox, {284, 225, 60, 10}, false},
}};

const std::array<MenuItemTemplate, 15> kMainMenu = {{
    {"&File", "&New", kCmdNew},
    {"&File", "&Load", kCmdLoad},
    {"&File", "&Save", kCmdSave},
    {"&File", "", 0},
    {"&File", "&Settings", kCmdSettings},
    {"&File", "", 0},
    {"&File", "&Quit", kCmdQuit},
    {"&SlideShow", "&Build SlideShow", kCmdBuildSlideShow},
    {"&SlideShow", "&Start SlideShow", kCmdStartSlideShow},
    {"&SlideShow", "&Play", kCmdPlay},
    {"&SlideShow", "&Fit to Cartridge", kCmdFitToCartridge},
    {"&SlideShow", kFitLabels[kFitStretch], kCmdFitAllPictures + kFitStretch, "Fit &All Pictures"},
    {"&SlideShow", kFitLabels[kFitWholePicture], kCmdFitAllPictures + kFitWholePicture,
     "Fit &All Pictures"},
    {"&SlideShow", kFitLabels[kFitFillScreen], kCmdFitAllPictures + kFitFillScreen,
     "Fit &All Pictures"},
    {"", "&About", kCmdAbout},
}};

int TemplateIndexOf(int id) {
  if (id == kIdNone) return -1;
  for (std::size_t i = 0; i < kMainWindowControls.size(); ++i) {
    if (kMainWindowControls[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

const ControlTemplate* FindControlTemplate(int id) {
  const int index = TemplateIndexOf(id);
  return index < 0 ? nullptr : &kMainWindowControls[static_cast<std::size_t>(index)];
}

}  // namespace varnel
