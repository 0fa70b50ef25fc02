@ Start code of the viewer. The cartridge begins with a branch over the 192-byte header
@ (filled in after linking), sets the stacks of the three modes we use and hands over to
@ StartProgram in C, which prepares memory and runs main.

#include "format/image_layout.h"

    .section .crt0, "ax", %progbits
    .arm
    .align 2
    .global EntryPoint
EntryPoint:
    b StartCode
    @ Logo, title, codes and check byte of the cartridge header.
    .space CART_HEADER_BYTES - 4

StartCode:
    @ IRQ mode with interrupts masked: stack just below the BIOS's IRQ area.
    mov r0, #0xD2
    msr cpsr_c, r0
    ldr sp, =IrqStackTop
    @ Supervisor mode: used by BIOS calls.
    mov r0, #0xD3
    msr cpsr_c, r0
    ldr sp, =SupervisorStackTop
    @ System mode with interrupts allowed (REG_IME still decides): the program's mode.
    mov r0, #0x1F
    msr cpsr_c, r0
    ldr sp, =UserStackTop
    ldr r0, =StartProgram
    mov lr, pc
    bx r0
Halt:
    b Halt

    .pool
