#include "caption_overlay.h"

#include "font.h"
#include "format/image_layout.h"
#include "gba_registers.h"
#include "screen.h"
#include "sprites.h"

/* The caption sprites: 5 x 4 sprites of 32 pixels cover 18 x 10 cells of 8 x 12 and
 * the shadow's extra pixel. */
#define CAPTION_SPRITES_PER_ROW 5
#define CAPTION_SPRITE_ROWS 4
#define CAPTION_SPRITES (CAPTION_SPRITES_PER_ROW * CAPTION_SPRITE_ROWS)

#define BOX_PADDING 4
#define BOX_BOTTOM_MARGIN 4
#define BOX_DARKENING 10 /* of 16: the box keeps 6/16 of its brightness */

static const ObjCanvas kCaptionCanvas = {CAPTION_FIRST_TILE, CAPTION_SPRITE_SHIFT,
                                         CAPTION_SPRITES_PER_ROW};

static struct {
  int boxLeft, boxTop, boxWidth, boxHeight;
  int spriteColumns, spriteRows;
} g_layout;

static bool IsBlank(uint8_t code) {
  return GlyphRows(code) == 0 || code == ' ';
}

/* A glyph with its shadow one pixel right of and below the ink. The cells of the caption
 * start on tile columns, so each glyph row is one tile row, plus the shadow's spill into
 * the next tile. Glyphs are drawn in reading order, so that a later glyph's ink covers
 * the shadow an earlier one cast into its cell. */
static void DrawCaptionGlyph(uint32_t x, uint32_t y, const uint8_t* rows) {
  for (uint32_t row = 0; row <= GLYPH_HEIGHT; ++row) {
    const uint8_t ink = row < GLYPH_HEIGHT ? rows[row] : 0;
    const uint8_t cast = row > 0 ? rows[row - 1] : 0;
    PaintObjRow(&kCaptionCanvas, x, y + row, (uint8_t)((cast >> 1) & ~ink), OBJ_COLOUR_SHADOW);
    PaintObjRow(&kCaptionCanvas, x + GLYPH_WIDTH, y + row, (uint8_t)(cast << 7), OBJ_COLOUR_SHADOW);
    PaintObjRow(&kCaptionCanvas, x, y + row, ink, OBJ_COLOUR_TEXT);
  }
}

static int CeilDiv(int value, int divisor) {
  return (value + divisor - 1) / divisor;
}

bool PrepareCaption(const uint8_t* characters, uint32_t length) {
  if (length > CAPTION_MAX_CHARS) length = CAPTION_MAX_CHARS;
  int usedColumns = 0;
  int usedLines = 0;
  ClearObjCanvas(&kCaptionCanvas, CAPTION_SPRITES);
  for (uint32_t i = 0; i < length; ++i) {
    if (IsBlank(characters[i])) continue;
    const int line = (int)(i / CAPTION_LINE_CHARS);
    const int column = (int)(i % CAPTION_LINE_CHARS);
    DrawCaptionGlyph((uint32_t)(column * GLYPH_WIDTH), (uint32_t)(line * GLYPH_HEIGHT),
                     GlyphRows(characters[i]));
    if (column + 1 > usedColumns) usedColumns = column + 1;
    if (line + 1 > usedLines) usedLines = line + 1;
  }
  if (usedLines == 0) return false;
  const int textWidth = usedColumns * GLYPH_WIDTH + 1; /* the shadow reaches one further */
  const int textHeight = usedLines * GLYPH_HEIGHT + 1;
  g_layout.boxWidth = textWidth + 2 * BOX_PADDING;
  g_layout.boxHeight = textHeight + 2 * BOX_PADDING;
  g_layout.boxLeft = (SCREEN_WIDTH - g_layout.boxWidth) / 2;
  g_layout.boxTop = SCREEN_HEIGHT - BOX_BOTTOM_MARGIN - g_layout.boxHeight;
  g_layout.spriteColumns = CeilDiv(textWidth, CAPTION_SPRITE_SIZE);
  g_layout.spriteRows = CeilDiv(textHeight, CAPTION_SPRITE_SIZE);
  return true;
}

void ShowCaption(void) {
  const int textLeft = g_layout.boxLeft + BOX_PADDING;
  const int textTop = g_layout.boxTop + BOX_PADDING;
  for (int row = 0; row < CAPTION_SPRITE_ROWS; ++row) {
    for (int column = 0; column < CAPTION_SPRITES_PER_ROW; ++column) {
      const int index = row * CAPTION_SPRITES_PER_ROW + column;
      const int sprite = SPRITE_CAPTION_FIRST + index;
      if (row < g_layout.spriteRows && column < g_layout.spriteColumns) {
        const uint32_t tile = CAPTION_FIRST_TILE + (uint32_t)index * 16u;
        PlaceSprite(sprite, textLeft + column * CAPTION_SPRITE_SIZE,
                    textTop + row * CAPTION_SPRITE_SIZE, CAPTION_SPRITE_SIZE, tile);
      } else {
        HideSprite(sprite);
      }
    }
  }
  REG_WIN0H = (uint16_t)((g_layout.boxLeft << 8) | (g_layout.boxLeft + g_layout.boxWidth));
  REG_WIN0V = (uint16_t)((g_layout.boxTop << 8) | (g_layout.boxTop + g_layout.boxHeight));
  REG_WININ = WIN_BG2 | WIN_OBJ | WIN_EFFECTS;
  REG_WINOUT = WIN_BG2 | WIN_OBJ;
  REG_BLDCNT = BLDCNT_BG2_FIRST | BLDCNT_DARKEN;
  REG_BLDY = BOX_DARKENING;
  REG_DISPCNT |= DISPCNT_OBJ | DISPCNT_WIN0;
}

void HideCaption(void) {
  REG_DISPCNT &= (uint16_t) ~(DISPCNT_OBJ | DISPCNT_WIN0);
  REG_BLDCNT = 0;
  REG_BLDY = 0;
  for (int i = 0; i < CAPTION_SPRITES; ++i) HideSprite(SPRITE_CAPTION_FIRST + i);
}
