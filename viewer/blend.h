/* Mixing two screens for the transparence effect. */
#ifndef VARNEL_VIEWER_BLEND_H
#define VARNEL_VIEWER_BLEND_H

#include <stdint.h>

#define BLEND_WEIGHT_MAX 16u

/* out = from x (16 - weight) / 16 + to x weight / 16, channel by channel, over the given
 * number of pixels (a multiple of 4). Runs from IWRAM in ARM state, hence the long call. */
__attribute__((long_call)) void BlendScreens(uint16_t* out, const uint16_t* from,
                                             const uint16_t* to, uint32_t pixels, uint32_t weight);

#endif
