#include "transitions.h"

#include "blend.h"
#include "format/image_layout.h"
#include "gba_registers.h"
#include "interrupts.h"
#include "screen.h"

/* Lengths in frames (about 60 a second). */
#define SCROLL_FRAMES 24
#define SCANLINE_PASS_FRAMES 10
#define SCANLINE_TWO_WAY_FRAMES 20
#define ZOOM_FRAMES 30
#define TRANSPARENCE_STEPS 8 /* the new screen itself is the last step */

#define HALF_HEIGHT (SCREEN_HEIGHT / 2)
#define SCREEN_CENTRE_X (SCREEN_WIDTH / 2)
#define SCREEN_CENTRE_Y (SCREEN_HEIGHT / 2)

static void ShowNewScreen(void) {
  WaitForVBlank();
  PresentScreen(g_newScreen);
}

/* The new picture closes in like two curtains: its upper half comes down from the top
 * edge, its lower half up from the bottom edge, and they meet in the middle. */
static void ScrollUpDown(void) {
  for (int frame = 1; frame <= SCROLL_FRAMES; ++frame) {
    const int rows = HALF_HEIGHT * frame / SCROLL_FRAMES;
    WaitForVBlank();
    PresentRows(0, g_newScreen, HALF_HEIGHT - rows, rows);
    PresentRows(SCREEN_HEIGHT - rows, g_newScreen, HALF_HEIGHT, rows);
  }
}

/* The new picture comes down from the top and pushes the old one out at the bottom. */
static void ScrollDown(void) {
  CaptureScreen(g_oldScreen);
  for (int frame = 1; frame <= SCROLL_FRAMES; ++frame) {
    const int rows = SCREEN_HEIGHT * frame / SCROLL_FRAMES;
    WaitForVBlank();
    PresentRows(0, g_newScreen, SCREEN_HEIGHT - rows, rows);
    PresentRows(rows, g_oldScreen, 0, SCREEN_HEIGHT - rows);
  }
}

/* Rows first, first + step, ... up to (excluding) end, from the new screen. */
static void PresentEveryOtherRow(int first, int end) {
  for (int row = first; row < end; row += 2) PresentRows(row, g_newScreen, row, 1);
}

/* The even rows of the new picture sweep down the screen, then the odd rows. */
static void Scanlines(void) {
  const int rowsPerFrame = SCREEN_HEIGHT / SCANLINE_PASS_FRAMES;
  for (int pass = 0; pass < 2; ++pass) {
    for (int frame = 0; frame < SCANLINE_PASS_FRAMES; ++frame) {
      WaitForVBlank();
      PresentEveryOtherRow(frame * rowsPerFrame + pass, (frame + 1) * rowsPerFrame);
    }
  }
}

/* The even rows sweep down from the top while the odd rows sweep up from the bottom. */
static void ScanlinesTwoWays(void) {
  const int rowsPerFrame = SCREEN_HEIGHT / SCANLINE_TWO_WAY_FRAMES;
  for (int frame = 0; frame < SCANLINE_TWO_WAY_FRAMES; ++frame) {
    const int top = frame * rowsPerFrame;
    const int bottom = SCREEN_HEIGHT - (frame + 1) * rowsPerFrame;
    WaitForVBlank();
    PresentEveryOtherRow(top, top + rowsPerFrame);
    PresentEveryOtherRow(bottom + 1, bottom + rowsPerFrame);
  }
}

/* BG2 shows the bitmap scaled to scale/ZOOM_FRAMES of its size around the screen's centre;
 * the rest of the screen is the black backdrop. */
static void SetZoom(int scale) {
  const int32_t step = (int32_t)(256 * ZOOM_FRAMES / scale); /* texels per pixel, 8.8 */
  REG_BG2PA = (uint16_t)step;
  REG_BG2PB = 0;
  REG_BG2PC = 0;
  REG_BG2PD = (uint16_t)step;
  REG_BG2X = (uint32_t)((SCREEN_CENTRE_X << 8) - SCREEN_CENTRE_X * step);
  REG_BG2Y = (uint32_t)((SCREEN_CENTRE_Y << 8) - SCREEN_CENTRE_Y * step);
}

/* The new picture grows from the centre of a black screen to full size. The hardware
 * scales BG2, so every frame costs nothing but a few register writes, all made at VBlank;
 * the last frame sets the unscaled values exactly. */
static void ZoomIn(void) {
  WaitForVBlank();
  REG_DISPCNT &= (uint16_t)~DISPCNT_BG2;
  PresentScreen(g_newScreen);
  for (int scale = 1; scale <= ZOOM_FRAMES; ++scale) {
    WaitForVBlank();
    SetZoom(scale);
    REG_DISPCNT |= DISPCNT_BG2;
  }
}

/* The old picture turns into the new one through a series of mixes of the two. Each mix
 * is computed into the back buffer while the previous one is shown. */
static void Transparence(void) {
  CaptureScreen(g_oldScreen);
  for (uint32_t step = 1; step < TRANSPARENCE_STEPS; ++step) {
    BlendScreens(g_backScreen, g_oldScreen, g_newScreen, SCREEN_PIXELS,
                 BLEND_WEIGHT_MAX * step / TRANSPARENCE_STEPS);
    WaitForVBlank();
    PresentScreen(g_backScreen);
  }
  ShowNewScreen();
}

static void DarkenBy(uint16_t level) {
  REG_BLDCNT = BLDCNT_BG2_FIRST | BLDCNT_DARKEN;
  REG_BLDY = level;
}

/* The screen turns black, and the new picture comes up out of the black. */
static void FadeIn(void) {
  WaitForVBlank();
  DarkenBy(BLDY_MAX);
  PresentScreen(g_newScreen);
  for (int level = BLDY_MAX - 1; level >= 0; --level) {
    WaitForVBlank();
    DarkenBy((uint16_t)level);
  }
}

/* The old picture sinks into black, and the new one replaces the black. */
static void FadeOut(void) {
  for (uint16_t level = 1; level <= BLDY_MAX; ++level) {
    WaitForVBlank();
    DarkenBy(level);
  }
  WaitForVBlank();
  PresentScreen(g_newScreen);
  WaitForVBlank();
  DarkenBy(0);
}

void RunTransition(uint8_t effect) {
  switch (effect) {
    case EFFECT_SCROLL_UP_DOWN:
      ScrollUpDown();
      break;
    case EFFECT_SCROLL_DOWN:
      ScrollDown();
      break;
    case EFFECT_SCANLINES:
      Scanlines();
      break;
    case EFFECT_SCANLINES_TWO_WAYS:
      ScanlinesTwoWays();
      break;
    case EFFECT_ZOOM_IN:
      ZoomIn();
      break;
    case EFFECT_TRANSPARENCE:
      Transparence();
      break;
    case EFFECT_FADE_IN:
      FadeIn();
      break;
    case EFFECT_FADE_OUT:
      FadeOut();
      break;
    default: /* EFFECT_NONE, and indices that name no effect */
      ShowNewScreen();
      break;
  }
  ResetDisplayEffects();
}
