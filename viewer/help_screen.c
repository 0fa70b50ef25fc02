#include "help_screen.h"

#include "dma.h"
#include "font.h"
#include "screen.h"
#include "text_builder.h"

#define MARGIN_LEFT 8
#define TITLE_TOP 6
#define FIRST_LINE_TOP 26
#define LINE_SPACING 13
#define FOOTER_TOP (SCREEN_HEIGHT - GLYPH_HEIGHT - 6)
#define TITLE_COLOUR COLOUR_YELLOW
#define KEY_COLOUR COLOUR_YELLOW
#define TEXT_COLOUR COLOUR_WHITE
#define KEY_COLUMN_CHARS 8

typedef struct {
  uint16_t* screen;
  int top;
} HelpPage;

static void KeyLine(HelpPage* page, const char* key, const char* meaning) {
  DrawText(page->screen, MARGIN_LEFT, page->top, key, KEY_COLOUR);
  DrawText(page->screen, MARGIN_LEFT + KEY_COLUMN_CHARS * GLYPH_WIDTH, page->top, meaning,
           TEXT_COLOUR);
  page->top += LINE_SPACING;
}

static void DrawCentred(uint16_t* screen, int top, const char* text, uint16_t colour) {
  DrawText(screen, (SCREEN_WIDTH - TextWidth(text)) / 2, top, text, colour);
}

void DrawHelpScreen(const KeysInForce* keys, const ShowPosition* position, uint16_t* screen) {
  FillPixels(screen, COLOUR_BLACK, SCREEN_PIXELS);
  char text[40];
  TextBuilder title;
  StartText(&title, text, sizeof text);
  AppendText(&title, "Slide ");
  AppendNumber(&title, position->slideNumber);
  AppendText(&title, " of ");
  AppendNumber(&title, position->slideCount);
  DrawCentred(screen, TITLE_TOP, text, TITLE_COLOUR);

  HelpPage page = {screen, FIRST_LINE_TOP};
  if (keys->nextAndPrevious) {
    KeyLine(&page, "R", "next slide");
    KeyLine(&page, "L", "previous slide");
  }
  if (keys->timer) {
    TextBuilder timer;
    StartText(&timer, text, sizeof text);
    AppendText(&timer, position->timerStopped ? "restart timer (" : "stop timer (");
    AppendNumber(&timer, position->secondsPerSlide);
    AppendText(&timer, " s)");
    KeyLine(&page, "B", text);
  }
  if (keys->sizeSwitch) KeyLine(&page, "A", "full size / resized");
  if (keys->scrolling) KeyLine(&page, "+PAD", "move the picture");
  if (keys->captions) KeyLine(&page, "SELECT", "caption on / off");
  KeyLine(&page, "START", keys->chooser ? "help, thumbnails" : "this help");

  DrawCentred(screen, FOOTER_TOP, keys->chooser ? "START thumbnails  B back" : "START or B: back",
              TITLE_COLOUR);
}
