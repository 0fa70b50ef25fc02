/* A slide's caption shown over its picture: the text in sprites over a box of the picture
 * that the hardware darkens through window 0. The picture in VRAM is never touched, so
 * hiding the caption gives back exactly the picture, and the caption stays in place while
 * the picture scrolls under it. */
#ifndef VARNEL_VIEWER_CAPTION_OVERLAY_H
#define VARNEL_VIEWER_CAPTION_OVERLAY_H

#include <stdbool.h>
#include <stdint.h>

/* Lays out a caption block (lines of 18 characters) into the caption sprites. Returns
 * false when it holds nothing to see (no characters, or blanks only). */
bool PrepareCaption(const uint8_t* characters, uint32_t length);

/* Both act at once; call them right after a VBlank begins. */
void ShowCaption(void);
void HideCaption(void);

#endif
