#include "message_screen.h"

#include "dma.h"
#include "font.h"
#include "interrupts.h"
#include "screen.h"

#define LINE_CHARS 28
#define MAX_LINES 12

/* Splits the message into lines of at most LINE_CHARS characters, breaking at spaces
 * where it can. Returns the number of lines. */
static int WrapMessage(const char* message, char lines[MAX_LINES][LINE_CHARS + 1]) {
  int count = 0;
  const char* rest = message;
  while (*rest && count < MAX_LINES) {
    while (*rest == ' ') ++rest;
    int length = 0;
    while (rest[length] && length < LINE_CHARS) ++length;
    if (rest[length] && rest[length] != ' ') {
      int cut = length;
      while (cut > 0 && rest[cut] != ' ') --cut;
      if (cut > 0) length = cut;
    }
    for (int i = 0; i < length; ++i) lines[count][i] = rest[i];
    lines[count][length] = 0;
    if (length > 0) ++count;
    rest += length;
  }
  return count;
}

void ShowMessageForever(const char* message) {
  char lines[MAX_LINES][LINE_CHARS + 1];
  const int count = WrapMessage(message, lines);
  FillPixels(g_backScreen, COLOUR_BLACK, SCREEN_PIXELS);
  const int top = (SCREEN_HEIGHT - count * GLYPH_HEIGHT) / 2;
  for (int i = 0; i < count; ++i) {
    const int left = (SCREEN_WIDTH - TextWidth(lines[i])) / 2;
    DrawText(g_backScreen, left, top + i * GLYPH_HEIGHT, lines[i], COLOUR_WHITE);
  }
  WaitForVBlank();
  ResetDisplayEffects();
  PresentScreen(g_backScreen);
  for (;;) WaitForVBlank();
}
