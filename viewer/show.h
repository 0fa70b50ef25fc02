/* The slideshow stored in the cartridge, checked once at start-up so that nothing later
 * follows a pointer into garbage. */
#ifndef VARNEL_VIEWER_SHOW_H
#define VARNEL_VIEWER_SHOW_H

#include <stdbool.h>
#include <stdint.h>

#include "format/image_layout.h"

/* One version of a picture: width x height 15-bit pixels, rows top to bottom. */
typedef struct {
  const uint16_t* pixels; /* NULL when the version is absent */
  uint16_t width;
  uint16_t height;
} Picture;

typedef struct {
  const SlideRecord* records;
  uint16_t pictureCount;
  uint16_t introPictures; /* the intro count, at most pictureCount */
  uint16_t slideTimeMs;
  bool thumbnails;
  bool helpScreen;
  bool timeLimit;
  bool keyUse;
} Show;

/* Reads and checks the header and every record. Returns NULL when the show can be
 * played, else a short message saying what is wrong (the show is then left alone). */
const char* ReadShow(Show* show);

Picture FullSizeOf(const Show* show, uint16_t slide);
Picture ResizedOf(const Show* show, uint16_t slide);
Picture ThumbnailOf(const Show* show, uint16_t slide);
/* The caption's characters (not 0-terminated) and their number; 0 when there is none. */
uint32_t CaptionOf(const Show* show, uint16_t slide, const uint8_t** characters);
uint8_t EffectOf(const Show* show, uint16_t slide);

#endif
