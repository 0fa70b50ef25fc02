#include "font.h"

#include "screen.h"

#define GLYPH_CODES 256

static uint8_t g_glyphRows[GLYPH_CODES][GLYPH_HEIGHT];
static bool g_glyphDrawn[GLYPH_CODES];

static bool IsPrintableLatin1(uint8_t code) {
  return (code >= 0x20 && code <= 0x7E) || code >= 0xA0;
}

/* Reads rows of '#' and paper separated by spaces into cell rows from firstRow down. */
static void ReadArtRows(uint8_t* rows, int firstRow, const char* art, int shift) {
  int row = firstRow;
  int column = 0;
  for (const char* c = art; *c && row < GLYPH_HEIGHT; ++c) {
    if (*c == ' ') {
      ++row;
      column = 0;
      continue;
    }
    const int x = column + shift;
    if (*c == '#' && row >= 0 && x >= 0 && x < GLYPH_WIDTH - 1) rows[row] |= (uint8_t)(0x80u >> x);
    ++column;
  }
}

static int FirstInkRow(const uint8_t* rows) {
  for (int row = 0; row < GLYPH_HEIGHT; ++row)
    if (rows[row]) return row;
  return GLYPH_HEIGHT;
}

/* Cell rows an accent takes: below the baseline for the cedilla, else above the letter,
 * higher over capitals and tall letters than over small ones. */
#define CAPITAL_ACCENT_ROW 0
#define SMALL_ACCENT_ROW 2
#define CEDILLA_ROW 10
#define SMALL_LETTER_TOP_ROW 5

static int AccentRow(uint8_t accent, const uint8_t* baseRows) {
  if (accent == ACCENT_CEDILLA) return CEDILLA_ROW;
  return FirstInkRow(baseRows) < SMALL_LETTER_TOP_ROW ? CAPITAL_ACCENT_ROW : SMALL_ACCENT_ROW;
}

void PrepareFont(void) {
  for (uint32_t i = 0; i < kGlyphArtCount; ++i) {
    const GlyphArt* art = &kGlyphArt[i];
    ReadArtRows(g_glyphRows[art->code], art->firstRow, art->rows, 0);
    g_glyphDrawn[art->code] = true;
  }
  for (uint32_t i = 0; i < kAccentedLetterCount; ++i) {
    const AccentedLetter* letter = &kAccentedLetters[i];
    uint8_t* rows = g_glyphRows[letter->code];
    for (int row = 0; row < GLYPH_HEIGHT; ++row) rows[row] = g_glyphRows[letter->base][row];
    ReadArtRows(rows, AccentRow(letter->accent, rows), kAccentArt[letter->accent], letter->shift);
    g_glyphDrawn[letter->code] = true;
  }
}

const uint8_t* GlyphRows(uint8_t code) {
  if (!IsPrintableLatin1(code) || !g_glyphDrawn[code]) return 0;
  return g_glyphRows[code];
}

static void DrawGlyph(volatile uint16_t* screen, int x, int y, const uint8_t* rows,
                      uint16_t colour) {
  for (int row = 0; row < GLYPH_HEIGHT; ++row) {
    const int py = y + row;
    if (py < 0 || py >= SCREEN_HEIGHT || rows[row] == 0) continue;
    for (int column = 0; column < GLYPH_WIDTH; ++column) {
      const int px = x + column;
      if (px < 0 || px >= SCREEN_WIDTH) continue;
      if (rows[row] & (0x80u >> column)) screen[py * SCREEN_WIDTH + px] = colour;
    }
  }
}

void DrawText(volatile uint16_t* screen, int x, int y, const char* text, uint16_t colour) {
  for (const char* c = text; *c; ++c, x += GLYPH_WIDTH) {
    const uint8_t* rows = GlyphRows((uint8_t)*c);
    if (rows) DrawGlyph(screen, x, y, rows, colour);
  }
}

int TextWidth(const char* text) {
  int width = 0;
  for (const char* c = text; *c; ++c) width += GLYPH_WIDTH;
  return width;
}
