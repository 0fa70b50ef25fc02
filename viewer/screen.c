#include "screen.h"

#include "dma.h"
#include "gba_registers.h"

#define EWRAM_BUFFER __attribute__((section(".ewram.screens"), aligned(4)))

uint16_t g_oldScreen[SCREEN_PIXELS] EWRAM_BUFFER;
uint16_t g_newScreen[SCREEN_PIXELS] EWRAM_BUFFER;
uint16_t g_backScreen[SCREEN_PIXELS] EWRAM_BUFFER;

/* BG2 affine identity: one texture pixel per screen pixel (8.8 fixed point). */
#define AFFINE_ONE 0x0100u

/* Writing BG2X or BG2Y restarts the display's affine reference point at the line being
 * drawn, even with an unchanged value: outside VBlank it would shift the rest of the
 * frame. Hence this runs only at start-up and zooms end on these values at VBlank. */
static void SetBg2Unscaled(void) {
  REG_BG2PA = AFFINE_ONE;
  REG_BG2PB = 0;
  REG_BG2PC = 0;
  REG_BG2PD = AFFINE_ONE;
  REG_BG2X = 0;
  REG_BG2Y = 0;
}

void ResetDisplayEffects(void) {
  REG_BLDCNT = 0;
  REG_BLDY = 0;
  REG_DISPCNT = DISPCNT_MODE3 | DISPCNT_BG2 | DISPCNT_OBJ_1D;
}

void InitScreen(void) {
  REG_WAITCNT = WAITCNT_FAST_ROM;
  REG_DISPCNT = DISPCNT_FORCED_BLANK;
  PALETTE_BG[0] = COLOUR_BLACK;
  FillPixels(SCREEN_VRAM, COLOUR_BLACK, SCREEN_PIXELS);
  SetBg2Unscaled();
  ResetDisplayEffects();
}

void PresentScreen(const uint16_t* screen) {
  CopyPixels(SCREEN_VRAM, screen, SCREEN_PIXELS);
}

void PresentRows(int screenRow, const uint16_t* screen, int sourceRow, int count) {
  if (count <= 0) return;
  CopyPixels(SCREEN_VRAM + screenRow * SCREEN_WIDTH, screen + sourceRow * SCREEN_WIDTH,
             (uint32_t)count * SCREEN_WIDTH);
}

void CaptureScreen(uint16_t* screen) {
  CopyPixels(screen, SCREEN_VRAM, SCREEN_PIXELS);
}
