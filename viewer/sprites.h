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
#define CURSOR_SPRITE_SIZE 64
#define CURSOR_FIRST_TILE 0u
#define CAPTION_SPRITE_SIZE 32
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

/* A drawing surface made of square sprites of one size laid out in rows. */
typedef struct {
  uint32_t firstTile;
  int spriteSize; /* pixels */
  int spritesPerRow;
} ObjCanvas;

void ClearObjCanvas(const ObjCanvas* canvas, int spriteCount);
void SetObjPixel(const ObjCanvas* canvas, int x, int y, uint8_t colour);

#endif
