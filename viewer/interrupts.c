#include "interrupts.h"

#include "gba_registers.h"
#include "keys.h"

static volatile uint32_t g_vblankCount;

/* Called by the BIOS in ARM state; kept in IWRAM so that it runs without wait states. */
__attribute__((target("arm"), section(".iwram.HandleInterrupt"), noinline)) static void
HandleInterrupt(void) {
  const uint16_t raised = REG_IE & REG_IF;
  REG_IF = raised;
  BIOS_IRQ_FLAGS |= raised;
  if (raised & IRQ_VBLANK) {
    ++g_vblankCount;
    SampleKeysAtVBlank();
  }
}

void EnableVBlankInterrupt(void) {
  REG_IME = 0;
  BIOS_IRQ_HANDLER = HandleInterrupt;
  REG_DISPSTAT |= DISPSTAT_VBLANK_IRQ;
  REG_IE |= IRQ_VBLANK;
  REG_IME = 1;
}

void WaitForVBlank(void) {
#if defined(__thumb__)
  __asm__ volatile("swi 0x05" ::: "r0", "r1", "r2", "r3", "memory");
#else
  __asm__ volatile("swi 0x050000" ::: "r0", "r1", "r2", "r3", "memory");
#endif
}

uint32_t FrameCount(void) {
  return g_vblankCount;
}

uint32_t FramesForMilliseconds(uint32_t milliseconds) {
  const uint64_t cycles = (uint64_t)milliseconds * CPU_CYCLES_PER_SECOND;
  const uint64_t cyclesPerFrameMs = (uint64_t)CPU_CYCLES_PER_FRAME * 1000u;
  return (uint32_t)((cycles + cyclesPerFrameMs - 1) / cyclesPerFrameMs);
}
