/* The console's memory areas and I/O registers, each named once with its width. Every
 * other file of the viewer reaches the hardware through these names. */
#ifndef VARNEL_VIEWER_GBA_REGISTERS_H
#define VARNEL_VIEWER_GBA_REGISTERS_H

#include <stdint.h>

#define REG16(address) (*(volatile uint16_t*)(address))
#define REG32(address) (*(volatile uint32_t*)(address))

/* Memory areas. */
#define EWRAM_START 0x02000000u
#define IWRAM_START 0x03000000u
#define PALETTE_BG ((volatile uint16_t*)0x05000000)
#define PALETTE_OBJ ((volatile uint16_t*)0x05000200)
#define VRAM ((volatile uint16_t*)0x06000000)
#define VRAM_OBJ_BITMAP_MODE ((volatile uint16_t*)0x06014000) /* OBJ tiles usable in modes 3-5 */
#define OAM ((volatile uint16_t*)0x07000000)

/* Display. */
#define REG_DISPCNT REG16(0x04000000)
#define REG_DISPSTAT REG16(0x04000004)
#define REG_VCOUNT REG16(0x04000006)
#define REG_BG2PA REG16(0x04000020)
#define REG_BG2PB REG16(0x04000022)
#define REG_BG2PC REG16(0x04000024)
#define REG_BG2PD REG16(0x04000026)
#define REG_BG2X REG32(0x04000028)
#define REG_BG2Y REG32(0x0400002C)
#define REG_WIN0H REG16(0x04000040)
#define REG_WIN0V REG16(0x04000044)
#define REG_WININ REG16(0x04000048)
#define REG_WINOUT REG16(0x0400004A)
#define REG_BLDCNT REG16(0x04000050)
#define REG_BLDALPHA REG16(0x04000052)
#define REG_BLDY REG16(0x04000054)

#define DISPCNT_MODE3 0x0003u
#define DISPCNT_OBJ_1D 0x0040u
#define DISPCNT_FORCED_BLANK 0x0080u
#define DISPCNT_BG2 0x0400u
#define DISPCNT_OBJ 0x1000u
#define DISPCNT_WIN0 0x2000u

#define DISPSTAT_VBLANK_IRQ 0x0008u

/* Bits of WININ and WINOUT (per window): layers shown and colour effects allowed. */
#define WIN_BG2 0x0004u
#define WIN_OBJ 0x0010u
#define WIN_EFFECTS 0x0020u

#define BLDCNT_BG2_FIRST 0x0004u
#define BLDCNT_DARKEN 0x00C0u
#define BLDY_MAX 16u

/* DMA channel 3, the general-purpose one. */
#define REG_DMA3SAD REG32(0x040000D4)
#define REG_DMA3DAD REG32(0x040000D8)
#define REG_DMA3CNT_L REG16(0x040000DC)
#define REG_DMA3CNT_H REG16(0x040000DE)

#define DMA_SOURCE_FIXED 0x0100u
#define DMA_32BIT 0x0400u
#define DMA_ENABLE 0x8000u

/* Keys: a bit is 0 while its key is held. */
#define REG_KEYINPUT REG16(0x04000130)

#define KEY_A 0x0001u
#define KEY_B 0x0002u
#define KEY_SELECT 0x0004u
#define KEY_START 0x0008u
#define KEY_RIGHT 0x0010u
#define KEY_LEFT 0x0020u
#define KEY_UP 0x0040u
#define KEY_DOWN 0x0080u
#define KEY_R 0x0100u
#define KEY_L 0x0200u
#define KEY_ALL 0x03FFu

/* Interrupts. */
#define REG_IE REG16(0x04000200)
#define REG_IF REG16(0x04000202)
#define REG_WAITCNT REG16(0x04000204)
#define REG_IME REG16(0x04000208)
#define IRQ_VBLANK 0x0001u

/* ROM wait states 3/1 with prefetch: the setting every cartridge and emulator accepts. */
#define WAITCNT_FAST_ROM 0x4317u

/* Where the BIOS looks for our interrupt handler, and the flags its wait calls watch
 * (a handler must set there what it acknowledges). */
#define BIOS_IRQ_HANDLER (*(void (*volatile*)(void))0x03007FFC)
#define BIOS_IRQ_FLAGS REG16(0x03007FF8)

#endif
