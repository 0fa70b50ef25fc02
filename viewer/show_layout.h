/* The slideshow as the builder lays it out in the cartridge: a header at a fixed address,
 * a table of picture records after it, and the picture data beyond. Pointers are
 * cartridge addresses; 0 means that the part is absent. */
#ifndef VARNEL_VIEWER_SHOW_LAYOUT_H
#define VARNEL_VIEWER_SHOW_LAYOUT_H

#include <stddef.h>
#include <stdint.h>

#define SHOW_HEADER_ADDRESS 0x080927C0u
#define SHOW_TABLE_ADDRESS 0x080927E0u
#define SHOW_DATA_ADDRESS 0x0809A4E0u /* where picture data and captions begin */
#define SHOW_TAG 103u
#define SHOW_MAX_PICTURES 1000u

#define RESIZED_WIDTH 240u
#define RESIZED_HEIGHT 160u
#define THUMBNAIL_WIDTH 60u
#define THUMBNAIL_HEIGHT 40u

#define CAPTION_MAX_CHARS 180u
#define CAPTION_LINE_CHARS 18u
#define CAPTION_LINES 10u

/* Transition effects by their index in the record. */
enum {
  EFFECT_NONE = 0,
  EFFECT_SCROLL_UP_DOWN = 1,
  EFFECT_SCROLL_DOWN = 2,
  EFFECT_SCANLINES = 3,
  EFFECT_SCANLINES_TWO_WAYS = 4,
  EFFECT_ZOOM_IN = 5,
  EFFECT_TRANSPARENCE = 6,
  EFFECT_FADE_IN = 7,
  EFFECT_FADE_OUT = 8,
};

typedef struct {
  uint16_t tag;
  uint16_t pictureCount;
  uint16_t introCount;
  uint8_t thumbnails;
  uint8_t helpScreen;
  uint8_t timeLimit;
  uint8_t reserved1;
  uint16_t slideTimeMs;
  uint8_t keyUse;
  uint8_t reserved2;
} RomHeader;

typedef struct {
  uint32_t fullSizeData;
  uint32_t thumbnailData;
  uint32_t resizedData;
  uint32_t captionText;
  uint16_t height; /* of the full-size version */
  uint16_t width;  /* of the full-size version, a multiple of 4 */
  uint8_t effect;  /* used going into this picture */
  uint8_t reserved[11];
} SlideRecord;

_Static_assert(sizeof(RomHeader) == 14, "RomHeader is 14 bytes");
_Static_assert(offsetof(RomHeader, slideTimeMs) == 10, "slideTimeMs at offset 10");
_Static_assert(offsetof(RomHeader, keyUse) == 12, "keyUse at offset 12");
_Static_assert(sizeof(SlideRecord) == 32, "SlideRecord is 32 bytes");
_Static_assert(offsetof(SlideRecord, height) == 16, "height at offset 16");
_Static_assert(offsetof(SlideRecord, effect) == 20, "effect at offset 20");

#endif
