/* The help screen: the keys in force for this show, and where the viewer stands. */
#ifndef VARNEL_VIEWER_HELP_SCREEN_H
#define VARNEL_VIEWER_HELP_SCREEN_H

#include <stdbool.h>
#include <stdint.h>

/* What the keys can do in this show; a key whose use is off is not listed. */
typedef struct {
  bool nextAndPrevious; /* R and L */
  bool timer;           /* B stops and restarts the automatic slide change */
  bool sizeSwitch;      /* A: some slide has both a full-size and a resized version */
  bool scrolling;       /* D-pad: some picture is larger than the screen */
  bool captions;        /* Select: some slide has a caption */
  bool chooser;         /* Start leads on to the thumbnails */
} KeysInForce;

typedef struct {
  uint16_t slideNumber; /* counted from 1 among the slides after the intro */
  uint16_t slideCount;
  uint16_t secondsPerSlide;
  bool timerStopped;
} ShowPosition;

/* Draws the help screen into a 240 x 160 buffer. */
void DrawHelpScreen(const KeysInForce* keys, const ShowPosition* position, uint16_t* screen);

#endif
