/* Sprites (OBJ) over the picture: the only layer the bitmap mode leaves us besides BG2.
 * In bitmap modes OBJ tiles start at tile 512 (0x06014000); tiles here are counted from
 * there, 4 bits per pixel, 32 bytes each, laid out one-dimensionally. */
#ifndef VARNEL_VIEWER_SPRITES_H
#define VARNEL_VIEWER_SPRITES_H

#include <stdint.h>

#define OBJ_TILE_BYTES 32u

/* Sprite numbers and the tiles they own. */
#define SPRITE_CURSOR 0
#define SPRITE_CAPTION_FIRST 1
#define CURSOR_SPRITE_SHIFT 6 /* 64 pixels */
#define CURSOR_SPRITE_SIZE (1 << CURSOR_SPRITE_SHIFT)
#define CURSOR_FIRST_TILE 0u
#define CAPTION_SPRITE_SHIFT 5 /* 32 pixels */
#define CAPTION_SPRITE_SIZE (1 << CAPTION_SPRITE_SHIFT)
#define CAPTION_FIRST_TILE 64u

/* Colours of OBJ palette 0 (colour 0 is transparent). */
enum {
  OBJ_COLOUR_TEXT = 1,
  OBJ_COLOUR_SHADOW = 2,
  OBJ_COLOUR_CURSOR = 3,
  OBJ_COLOUR_CURSOR_EDGE = 4,
};

/* Hides every sprite and sets the OBJ palette. */
void InitSprites(void);
/* Shows a square sprite of 8, 16, 32 or 64 pixels at (x, y) drawn from the given tile. */
void PlaceSprite(int sprite, int x, int y, int size, uint32_t firstTile);
void HideSprite(int sprite);

/* A drawing surface made of square sprites of one size laid out in rows. Sizes are
 * powers of two, so that finding a pixel's tile takes shifts, not divisions. */
typedef struct {
  uint32_t firstTile;
  uint32_t spriteSizeShift; /* the sprites are 1 << spriteSizeShift pixels square */
  uint32_t spritesPerRow;
} ObjCanvas;

void ClearObjCanvas(const ObjCanvas* canvas, int spriteCount);
/* x and y count from the canvas's top-left corner and must lie on it. */
void SetObjPixel(const ObjCanvas* canvas, uint32_t x, uint32_t y, uint8_t colour);
/* Paints, in the row of eight pixels that starts at (x, y) (x a multiple of 8), the
 * pixels whose bit is set (bit 7 the leftmost) and leaves the others. */
void PaintObjRow(const ObjCanvas* canvas, uint32_t x, uint32_t y, uint8_t pixels, uint8_t colour);

#endif
