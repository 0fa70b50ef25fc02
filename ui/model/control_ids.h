#pragma once

namespace varnel {

// Controls of the main window (dialog template 102). A control without an identifier of
// its own carries kIdNone.
inline constexpr int kIdPictureList = 1001;
inline constexpr int kIdAdd = 1002;
inline constexpr int kIdRemove = 1003;
inline constexpr int kIdClear = 1004;
inline constexpr int kIdUp = 1005;
inline constexpr int kIdDown = 1006;
inline constexpr int kIdPreview = 1009;
inline constexpr int kIdEffectChoice = 1013;  // effect of the selected picture
inline constexpr int kIdSizingChoice = 1014;  // sizing of the selected picture
inline constexpr int kIdEffectOverrideChoice = 1015;
inline constexpr int kIdSizingOverrideChoice = 1016;
inline constexpr int kIdCaption = 1018;
inline constexpr int kIdSizeInfo = 1021;
inline constexpr int kIdColorInfo = 1022;
inline constexpr int kIdProgress = 1023;
inline constexpr int kIdCaptionPreview = 1025;
inline constexpr int kIdHelpScreen = 1026;
inline constexpr int kIdTextDisplay = 1027;
inline constexpr int kIdSizeOverride = 1028;  // check box "Size"
inline constexpr int kIdThumbnails = 1032;
inline constexpr int kIdHelpText = 1033;
inline constexpr int kIdTimeLimit = 1034;
inline constexpr int kIdSeconds = 1035;
inline constexpr int kIdEffectOverride = 1036;  // check box "Effect"
inline constexpr int kIdKeyUse = 1037;
inline constexpr int kIdIntroCount = 1038;
inline constexpr int kIdIntroLabel = 1039;  // "Display Once"
inline constexpr int kIdNone = 65535;

// Controls the window adds below the progress bar, outside the template: the Cancel
// button of a running Build and the status line that says where the image went.
inline constexpr int kIdCancelBuild = 1040;
inline constexpr int kIdStatusLine = 1041;
// The cartridge meter below the status line: how full the image would be.
inline constexpr int kIdCartridgeMeter = 1042;
// The menu command that makes the show fit by choosing "Resized Only" for its largest
// full-size pictures.
inline constexpr int kCmdFitToCartridge = 32791;

// Controls the window adds to the template, after its own in the tab order: the fit of
// the selected picture, and the check box that shows the preview as the console shows it.
inline constexpr int kIdFitChoice = 1043;
inline constexpr int kIdAsOnConsole = 1044;
// SlideShow > Fit All Pictures: one command per fit, in the order of the fit labels.
inline constexpr int kCmdFitAllPictures = 32792;
inline constexpr int kCmdFitAllPicturesLast = kCmdFitAllPictures + 2;

// How often a command whose work runs on workers shows its progress and answers the
// window system.
inline constexpr int kCommandShowIntervalMs = 30;
// How often such a command shows the rows it has added so far in the list and the
// cartridge meter: the list then paints every row in view again, which costs more than
// the rest of the window.
inline constexpr int kRowsShowIntervalMs = 200;

// Commands: the dialog's own OK and Cancel, and the items of menu 133.
inline constexpr int kCmdOk = 1;
inline constexpr int kCmdCancel = 2;
inline constexpr int kCmdLoad = 32772;
inline constexpr int kCmdAbout = 32773;
inline constexpr int kCmdStartSlideShow = 32774;
inline constexpr int kCmdBuildSlideShow = 32775;
inline constexpr int kCmdQuit = 32776;
inline constexpr int kCmdSave = 32777;
inline constexpr int kCmdSettings = 32778;
inline constexpr int kCmdNew = 32780;
// SlideShow > Play: the show in Varnel's own player window.
inline constexpr int kCmdPlay = 32790;

// Timer 1 drives the context help for the whole run.
inline constexpr int kHelpTimerId = 1;
inline constexpr int kHelpTimerPeriodMs = 250;

// Key codes the picture list reports before handling a key itself.
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyInsert = 45;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKeyNumpad2 = 98;
inline constexpr int kKeyNumpad8 = 104;

// What happened at a control or command source; together with the source identifier it
// selects one operation of the window's command table.
enum class Notification {
  kCommand,      // a menu item, or the dialog's OK / Cancel (Enter, Escape, close box)
  kClicked,      // a push button or check box was clicked
  kSelChange,    // the user chose another combo item
  kChange,       // an edit box's text changed (after it repainted)
  kUpdate,       // an edit box's text changed (before it repaints)
  kClick,        // a click in the picture list
  kItemChanged,  // the user moved the picture list's selection (mouse or keyboard)
  kKeyDown,      // a key pressed in the picture list (parameter: its key code)
  kTimer,        // a window timer fired (source: the timer id)
};

}  // namespace varnel
