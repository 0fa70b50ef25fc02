/* Text in the viewer's own font, drawn into 15-bit screen buffers or handed out glyph by
 * glyph to other drawing targets. Only printable Latin-1 (0x20-0x7E, 0xA0-0xFF) is drawn;
 * any other byte, and a printable one the font lacks, leaves its cell blank. */
#ifndef VARNEL_VIEWER_FONT_H
#define VARNEL_VIEWER_FONT_H

#include <stdbool.h>
#include <stdint.h>

#include "font_glyphs.h"

/* Builds the glyph bitmaps; call once before drawing. */
void PrepareFont(void);

/* The glyph's rows, bit 7 being the leftmost column, or NULL when the cell is blank. */
const uint8_t* GlyphRows(uint8_t code);

/* Draws text into a 240-pixel-wide screen buffer with its top-left corner at (x, y);
 * pixels outside the buffer are left out. */
void DrawText(volatile uint16_t* screen, int x, int y, const char* text, uint16_t colour);
/* Width in pixels of a text drawn with DrawText. */
int TextWidth(const char* text);

#endif
