/* Picture copies and fills through DMA channel 3. Each call returns once the transfer is
 * done (the CPU waits while the channel runs). Addresses must be even; the transfer uses
 * 32-bit units whenever source, destination and length allow it. */
#ifndef VARNEL_VIEWER_DMA_H
#define VARNEL_VIEWER_DMA_H

#include <stdint.h>

void CopyPixels(volatile uint16_t* destination, const volatile uint16_t* source, uint32_t pixels);
void FillPixels(volatile uint16_t* destination, uint16_t colour, uint32_t pixels);

#endif
