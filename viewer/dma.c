#include "dma.h"

#include "gba_registers.h"

/* The fixed source of a fill. */
static volatile uint32_t g_fillSource;

/* DMA3 moves at most 65536 units per start (a count of 0 means 65536). */
#define DMA3_MAX_UNITS 65536u

static void RunDma3(uint32_t source, uint32_t destination, uint32_t units, uint16_t control) {
  while (units > 0) {
    const uint32_t now = units > DMA3_MAX_UNITS ? DMA3_MAX_UNITS : units;
    REG_DMA3SAD = source;
    REG_DMA3DAD = destination;
    REG_DMA3CNT_L = (uint16_t)now;
    REG_DMA3CNT_H = control | DMA_ENABLE;
    const uint32_t bytes = now * ((control & DMA_32BIT) ? 4u : 2u);
    if (!(control & DMA_SOURCE_FIXED)) source += bytes;
    destination += bytes;
    units -= now;
  }
}

void CopyPixels(volatile uint16_t* destination, const volatile uint16_t* source, uint32_t pixels) {
  if (pixels == 0) return;
  const uint32_t from = (uint32_t)source;
  const uint32_t to = (uint32_t)destination;
  if (((from | to | pixels * 2u) & 3u) == 0)
    RunDma3(from, to, pixels / 2u, DMA_32BIT);
  else
    RunDma3(from, to, pixels, 0);
}

void FillPixels(volatile uint16_t* destination, uint16_t colour, uint32_t pixels) {
  if (pixels == 0) return;
  g_fillSource = colour | ((uint32_t)colour << 16);
  const uint32_t to = (uint32_t)destination;
  if (((to | pixels * 2u) & 3u) == 0)
    RunDma3((uint32_t)&g_fillSource, to, pixels / 2u, DMA_32BIT | DMA_SOURCE_FIXED);
  else
    RunDma3((uint32_t)&g_fillSource, to, pixels, DMA_SOURCE_FIXED);
}
