@ BlendScreens(out, from, to, pixels, weight): the mix of two screens for the transparence
@ effect, out = from x (16 - weight) / 16 + to x weight / 16 channel by channel.
@
@ Two pixels are mixed at once in one 32-bit word. The channels of the pair are split into
@ two groups whose 5-bit fields sit at least four bits apart, so that products of up to
@ 16 x 31 never carry into the next field:
@   group A (mask 0x03E07C1F): red and blue of the first pixel, green of the second;
@   group B (after a shift right by 5, mask 0x03E0F81F): green of the first pixel, red
@   and blue of the second.
@ Each group is mixed as from x 16 + (to - from) x weight. The subtraction may borrow
@ across fields, but the final sum of every field lies in 0..496, so the 32-bit result
@ is exact. The weight is the multiplier's second operand, which keeps every multiply
@ at one cycle on the ARM7 (its time depends on that operand's size).
@
@ Runs in ARM state from IWRAM; the EWRAM buffers are read and written two words at a
@ time. pixels must be a multiple of 4.

    .section .iwram.BlendScreens, "ax", %progbits
    .arm
    .align 2
    .global BlendScreens
    .type BlendScreens, %function
BlendScreens:
    push {r4-r11, lr}
    ldr r4, [sp, #36]           @ weight, the fifth argument
    ldr r6, =0x03E07C1F         @ group A
    ldr r7, =0x03E0F81F         @ group B
    movs r3, r3, lsr #2         @ pairs of words
    beq 2f
1:
    ldmia r1!, {r8, r9}         @ from
    ldmia r2!, {r10, r11}       @ to

    and r12, r7, r8, lsr #5
    and r8, r8, r6
    and lr, r7, r10, lsr #5
    and r10, r10, r6
    sub r10, r10, r8
    mov r8, r8, lsl #4
    mla r8, r10, r4, r8
    sub lr, lr, r12
    mov r12, r12, lsl #4
    mla r12, lr, r4, r12
    and r8, r6, r8, lsr #4
    and r12, r7, r12, lsr #4
    orr r8, r8, r12, lsl #5

    and r12, r7, r9, lsr #5
    and r9, r9, r6
    and lr, r7, r11, lsr #5
    and r11, r11, r6
    sub r11, r11, r9
    mov r9, r9, lsl #4
    mla r9, r11, r4, r9
    sub lr, lr, r12
    mov r12, r12, lsl #4
    mla r12, lr, r4, r12
    and r9, r6, r9, lsr #4
    and r12, r7, r12, lsr #4
    orr r9, r9, r12, lsl #5

    stmia r0!, {r8, r9}
    subs r3, r3, #1
    bne 1b
2:
    pop {r4-r11, lr}
    bx lr

    .pool
    .size BlendScreens, . - BlendScreens
