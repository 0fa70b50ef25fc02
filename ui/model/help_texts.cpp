#include "ui/model/help_texts.h"

#include "ui/model/control_ids.h"

namespace varnel {

namespace {
// The effect override shares its text between the check box and the choice beside it.
constexpr std::string_view kEffectOverrideHelp =
    "Enable Picture's transition effect override\n\n(Pictures will all use this sizing "
    "setting, no matter their own setting)";
}  // namespace

const std::array<HelpEntry, kHelpEntryCount> kHelpTable = {{
    {kIdPictureList,
     "List the Pictures that are going to be part of the SlideShow.\n\n(Order in the list "
     "represent order of the Slides)"},
    {kIdAdd, "Add 1 or more Picture(s) to the SlideShow's list.\n\n(Ins Key)"},
    {kIdRemove, "Remove the selected Picture form the SlideShow\n\n(Del Key)"},
    {kIdClear, "Clear the SlideShow's list of all Pictures."},
    {kIdUp,
     "Move the selected Picture Up 1 item in the list.\nUpper picture are displayed first in "
     "the SlideShow\n\n(Up Key)"},
    {kIdDown,
     "Move the selected Picture down 1 item in the list.\nLower pictures are displayed last "
     "in the SlideShow\n\n(Down Key)"},
    {kIdPreview, "Preview of the picture you selected in the List"},
    {kIdEffectChoice, "Choose the Effect used when going from the previous Slide to this one"},
    {kIdSizingChoice,
     "Choose how you want to see this picture :\n->Both Size\n->FullSize only Picture "
     "(Scrollable)\n->Resized only Picture (240x160)"},
    {kIdEffectOverrideChoice, kEffectOverrideHelp},
    {kIdEffectOverride, kEffectOverrideHelp},
    {kIdSizingOverrideChoice,
     "Choose how you want to see the Pictures :\n->Both Size\n->FullSized only Pictures "
     "(Scrollable)\n->Resized only Pictures (240x160)"},
    {kIdCaption,
     "Write the text you want to be displayed over this picture when you press 'select'"},
    {kIdCaptionPreview,
     "Preview of the text you wrote, with the line jumps.\n\n(10 Lines)\n(18 characters per "
     "line)"},
    {kIdHelpScreen,
     "Enable Access to the Intro Screen\n\n(List the keys configuration by pressing 'Start')"},
    {kIdTextDisplay,
     "Enable Text Display.\n\n(Text can be displayed over each picture by pressing 'Select')"},
    {kIdSizeOverride,
     "Enable Picture's sizing override.\n\n(Pictures will all use this sizing setting, no "
     "matter their own setting)"},
    {kIdThumbnails,
     "Enable Creation of Thumbnails.\n\n(Allow you to chose a picture while in the SlideShow)"},
    {kIdHelpText,
     "Check this area to get usefull informations about every commands/options of this "
     "dialog."},
    {kIdTimeLimit,
     "Enable Slide change after specified time comes to pass.\n\n(Can be cancelled by "
     "pressing 'B' during the Slideshow)"},
    {kIdSeconds, "Number of seconds between each Slide.\n\n(0-60: Time in seconds)"},
    {kIdKeyUse,
     "Enable Slide Change on shoulder Keypress.\n\n(Right shoulder: Move to next Slide)\n(Left "
     "Shoulder: Move to previous Slide)"},
    {kIdIntroCount,
     "The first X pictures will be used as an intro.\n\n(0=No intro Picture)\n(1-99=First X "
     "Pictures will be used)"},
    {kIdIntroLabel,
     "Allow you to set some Slides as an intro.\n\n(They'll only get displayed once and "
     "resized, when the SlideShow start)"},
    {kIdFitChoice,
     "Choose how this picture fits the screen (240x160) and its Thumbnail :\n->Stretch to "
     "the screen\n->Whole Picture, black around it\n->Fill Screen, its edges cut off"},
    {kIdAsOnConsole,
     "Show the selected Picture in the preview as the console will show it first.\n\n"
     "(Resized picture with its Fit, or the middle of the FullSize picture)"},
}};

const std::string_view kFitAllPicturesHelpText =
    "Set the same Fit for every Picture of the SlideShow.\n\n(Each Picture can still get its "
    "own Fit afterwards)";

const std::string_view kDefaultHelpText =
    "***** PROCEDURE *****\n1. Set the Generals properties of the SlideShow.\n2. Add "
    "pictures to the SlideShow with (Add).\n3. Set the individual properties of each "
    "Pictures.\n4. Click on the Menu item \"SlideShow->Build\"";

std::string_view HelpTextFor(int controlId) {
  for (const HelpEntry& entry : kHelpTable) {
    if (entry.controlId == controlId) return entry.text;
  }
  return kDefaultHelpText;
}

}  // namespace varnel
