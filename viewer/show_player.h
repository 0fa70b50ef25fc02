/* Plays a checked, non-empty show: the intro pictures once, then the slides with their
 * transitions, the keys, the timer, captions, the help screen and the chooser. */
#ifndef VARNEL_VIEWER_SHOW_PLAYER_H
#define VARNEL_VIEWER_SHOW_PLAYER_H

#include "show.h"

__attribute__((noreturn)) void PlayShow(const Show* show);

#endif
