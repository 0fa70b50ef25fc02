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

#define TILE_SHIFT 3 /* tiles are 8 pixels square */
#define TILE_MASK 7u

static uint32_t TilesPerSprite(const ObjCanvas* canvas) {
  const uint32_t side = 1u << (canvas->spriteSizeShift - TILE_SHIFT);
  return side * side;
}

void ClearObjCanvas(const ObjCanvas* canvas, int spriteCount) {
  const uint32_t tiles = TilesPerSprite(canvas) * (uint32_t)spriteCount;
  FillPixels(VRAM_OBJ_BITMAP_MODE + canvas->firstTile * (OBJ_TILE_BYTES / 2u), 0,
             tiles * (OBJ_TILE_BYTES / 2u));
}

/* The halfword (four pixels) or word (eight pixels, a tile's row) holding pixel (x, y). */
static uint32_t TileRowIndex(const ObjCanvas* canvas, uint32_t x, uint32_t y) {
  const uint32_t shift = canvas->spriteSizeShift;
  const uint32_t mask = (1u << shift) - 1u;
  const uint32_t sprite = (y >> shift) * canvas->spritesPerRow + (x >> shift);
  const uint32_t inX = x & mask;
  const uint32_t inY = y & mask;
  const uint32_t tileInSprite = ((inY >> TILE_SHIFT) << (shift - TILE_SHIFT)) + (inX >> TILE_SHIFT);
  const uint32_t tile = canvas->firstTile + sprite * TilesPerSprite(canvas) + tileInSprite;
  return tile * (OBJ_TILE_BYTES / 4u) + (inY & TILE_MASK);
}

/* VRAM takes no byte writes, so a pixel is set by rewriting the halfword of four pixels
 * that holds it. */
void SetObjPixel(const ObjCanvas* canvas, uint32_t x, uint32_t y, uint8_t colour) {
  volatile uint16_t* halfword =
      VRAM_OBJ_BITMAP_MODE + TileRowIndex(canvas, x, y) * 2u + ((x & TILE_MASK) >> 2);
  const uint32_t nibble = (x & 3u) * 4u;
  *halfword = (uint16_t)((*halfword & ~(0xFu << nibble)) | ((uint32_t)colour << nibble));
}

/* Pixel c of a tile row is the nibble c of its word, counted from the low end. */
static uint32_t NibbleMask(uint8_t pixels) {
  uint32_t mask = 0;
  for (uint32_t column = 0; column < 8u; ++column)
    if (pixels & (0x80u >> column)) mask |= 0xFu << (column * 4u);
  return mask;
}

void PaintObjRow(const ObjCanvas* canvas, uint32_t x, uint32_t y, uint8_t pixels, uint8_t colour) {
  if (pixels == 0) return;
  volatile uint32_t* word = (volatile uint32_t*)VRAM_OBJ_BITMAP_MODE + TileRowIndex(canvas, x, y);
  const uint32_t mask = NibbleMask(pixels);
  *word = (*word & ~mask) | (mask & (0x11111111u * colour));
}
