/* The drawings of the viewer's font, turned into bitmaps by font.c at start-up. */
#ifndef VARNEL_VIEWER_FONT_GLYPHS_H
#define VARNEL_VIEWER_FONT_GLYPHS_H

#include <stdint.h>

#define GLYPH_WIDTH 8
#define GLYPH_HEIGHT 12

/* A code outside printable Latin-1, so that no text can draw it: the base of the
 * accented small i's. */
#define GLYPH_DOTLESS_I 0x80

/* One drawn glyph: its code, the cell row its first drawn row lands on, and the rows from
 * there down, separated by spaces; '#' is ink, any other character paper, and a row
 * shorter than the cell is paper to its end. */
typedef struct {
  uint8_t code;
  uint8_t firstRow;
  const char* rows;
} GlyphArt;

enum {
  ACCENT_GRAVE,
  ACCENT_ACUTE,
  ACCENT_CIRCUMFLEX,
  ACCENT_TILDE,
  ACCENT_DIAERESIS,
  ACCENT_CEDILLA,
  ACCENT_COUNT
};

typedef struct {
  uint8_t code;
  uint8_t base;
  uint8_t accent;
  int8_t shift;
} AccentedLetter;

extern const GlyphArt kGlyphArt[];
extern const uint32_t kGlyphArtCount;
extern const char* const kAccentArt[ACCENT_COUNT];
extern const AccentedLetter kAccentedLetters[];
extern const uint32_t kAccentedLetterCount;

#endif
