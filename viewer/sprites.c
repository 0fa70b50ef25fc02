#include "sprites.h"

#include "dma.h"
#include "gba_registers.h"
#include "screen.h"

#define OAM_SPRITES 128
#define OAM_HALFWORDS_PER_SPRITE 4 /* three attributes and an affine parameter slot */
#define ATTR0_HIDDEN 0x0200u
#define ATTR0_Y_MASK 0x00FFu
#define ATTR1_X_MASK 0x01FFu
#define ATTR1_SIZE_SHIFT 14
#define BITMAP_MODE_FIRST_OBJ_TILE 512u
#define PIXELS_PER_HALFWORD 4

void InitSprites(void) {
  for (int sprite = 0; sprite < OAM_SPRITES; ++sprite) HideSprite(sprite);
  PALETTE_OBJ[OBJ_COLOUR_TEXT] = COLOUR_WHITE;
  PALETTE_OBJ[OBJ_COLOUR_SHADOW] = COLOUR_BLACK;
  PALETTE_OBJ[OBJ_COLOUR_CURSOR] = COLOUR_YELLOW;
  PALETTE_OBJ[OBJ_COLOUR_CURSOR_EDGE] = COLOUR_BLACK;
}

static uint16_t SizeCode(int size) {
  switch (size) {
    case 8:
      return 0;
    case 16:
      return 1;
    case 32:
      return 2;
    default:
      return 3;
  }
}

void PlaceSprite(int sprite, int x, int y, int size, uint32_t firstTile) {
  volatile uint16_t* attributes = OAM + sprite * OAM_HALFWORDS_PER_SPRITE;
  attributes[0] = (uint16_t)(y & ATTR0_Y_MASK);
  attributes[1] = (uint16_t)((x & ATTR1_X_MASK) | (SizeCode(size) << ATTR1_SIZE_SHIFT));
  attributes[2] = (uint16_t)(BITMAP_MODE_FIRST_OBJ_TILE + firstTile);
}

void HideSprite(int sprite) {
  OAM[sprite * OAM_HALFWORDS_PER_SPRITE] = ATTR0_HIDDEN;
}

static uint32_t TilesPerSprite(const ObjCanvas* canvas) {
  const uint32_t side = (uint32_t)canvas->spriteSize / 8u;
  return side * side;
}

void ClearObjCanvas(const ObjCanvas* canvas, int spriteCount) {
  const uint32_t tiles = TilesPerSprite(canvas) * (uint32_t)spriteCount;
  FillPixels(VRAM_OBJ_BITMAP_MODE + canvas->firstTile * (OBJ_TILE_BYTES / 2u), 0,
             tiles * (OBJ_TILE_BYTES / 2u));
}

/* VRAM takes no byte writes, so a pixel is set by rewriting the halfword of four pixels
 * that holds it. */
void SetObjPixel(const ObjCanvas* canvas, int x, int y, uint8_t colour) {
  const int size = canvas->spriteSize;
  const int sprite = (y / size) * canvas->spritesPerRow + x / size;
  const int inX = x % size;
  const int inY = y % size;
  const uint32_t tile = canvas->firstTile + (uint32_t)sprite * TilesPerSprite(canvas) +
                        (uint32_t)((inY / 8) * (size / 8) + inX / 8);
  volatile uint16_t* halfword = VRAM_OBJ_BITMAP_MODE + tile * (OBJ_TILE_BYTES / 2u) +
                                (uint32_t)((inY % 8) * 2 + (inX % 8) / PIXELS_PER_HALFWORD);
  const int shift = (inX % PIXELS_PER_HALFWORD) * 4;
  *halfword = (uint16_t)((*halfword & ~(0xFu << shift)) | ((uint32_t)colour << shift));
}
