/* The thumbnail chooser: pages of 4 x 4 thumbnails of 60 x 40, which fill the screen
 * exactly, a cursor to move over them, and a choice. */
#ifndef VARNEL_VIEWER_CHOOSER_H
#define VARNEL_VIEWER_CHOOSER_H

#include <stdint.h>

#include "keys.h"
#include "show.h"

#define CHOOSER_NOTHING_CHOSEN (-1)

/* Shows the thumbnails of slides firstSlide .. pictureCount - 1 with the cursor on
 * currentSlide, and runs until the viewer chooses (returns that slide) or leaves
 * (returns CHOOSER_NOTHING_CHOSEN). The chooser screen stays shown on return. */
int ChooseSlide(const Show* show, uint16_t firstSlide, uint16_t currentSlide, Keys* keys);

#endif
