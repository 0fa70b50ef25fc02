/* What the screen shows of a slide: one version of its picture, centred on black when it
 * is smaller than the screen, seen through a screen-sized window that the D-pad moves
 * when it is larger. */
#ifndef VARNEL_VIEWER_SLIDE_VIEW_H
#define VARNEL_VIEWER_SLIDE_VIEW_H

#include <stdbool.h>
#include <stdint.h>

#include "show.h"

typedef struct {
  Picture picture; /* pixels NULL: the slide has no picture to show */
  int scrollX;     /* picture pixel at the screen's left edge, when wider than the screen */
  int scrollY;     /* picture row at the screen's top edge, when taller than the screen */
} SlideView;

/* A view of the picture with the window in the middle of it. */
SlideView MakeSlideView(Picture picture);

bool ViewScrolls(const SlideView* view);
/* Moves the window by (dx, dy), kept inside the picture. Returns true when it moved. */
bool ScrollView(SlideView* view, int dx, int dy);

/* Draws the whole screen of the view into a 240 x 160 target (VRAM or a buffer). */
void DrawSlideView(const SlideView* view, volatile uint16_t* target);

#endif
