#include "blend.h"

/* Two pixels are mixed at once in one 32-bit word. The channels of the pair are split into
 * two groups whose fields sit at least four bits apart, so that multiplying by a weight of
 * up to 16 cannot carry from one field into the next:
 *   group A: red of the first pixel, blue of the first, green of the second;
 *   group B (after a shift by 5): green of the first, red of the second, blue of the second. */
#define GROUP_A 0x03E07C1Fu
#define GROUP_B 0x03E0F81Fu

__attribute__((target("arm"), section(".iwram.BlendScreens"), noinline)) void BlendScreens(
    uint16_t* out, const uint16_t* from, const uint16_t* to, uint32_t pixels, uint32_t weight) {
  uint32_t* o = (uint32_t*)out;
  const uint32_t* a = (const uint32_t*)from;
  const uint32_t* b = (const uint32_t*)to;
  const uint32_t keep = BLEND_WEIGHT_MAX - weight;
  for (uint32_t words = pixels / 2u; words > 0; --words) {
    const uint32_t x = *a++;
    const uint32_t y = *b++;
    const uint32_t mixedA = (((x & GROUP_A) * keep + (y & GROUP_A) * weight) >> 4) & GROUP_A;
    const uint32_t mixedB =
        ((((x >> 5) & GROUP_B) * keep + ((y >> 5) & GROUP_B) * weight) >> 4) & GROUP_B;
    *o++ = mixedA | (mixedB << 5);
  }
}
