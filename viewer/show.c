#include "show.h"

#include "gba_registers.h"
#include "text_builder.h"

static char g_problem[96];

static const RomHeader* HeaderInCartridge(void) {
  return (const RomHeader*)SHOW_HEADER_ADDRESS;
}

/* A block of data is readable when it lies wholly in the picture-data area of the
 * cartridge; pixel blocks must also start on a pixel boundary. Sizes are 64-bit: a
 * record's width x height x 2 can pass 4 GiB and would wrap to a small number in 32. */
static bool BlockIsReadable(uint32_t address, uint64_t bytes, bool pixels) {
  if (address == 0) return true;
  if (address < SHOW_DATA_ADDRESS || address >= CARTRIDGE_END) return false;
  if (bytes > (uint64_t)(CARTRIDGE_END - address)) return false;
  return !pixels || (address & 1u) == 0;
}

static bool RecordIsReadable(const SlideRecord* record) {
  const uint64_t fullSizeBytes = (uint64_t)record->width * record->height * PIXEL_BYTES;
  return BlockIsReadable(record->fullSizeData, fullSizeBytes, true) &&
         BlockIsReadable(record->resizedData, SCREEN_WIDTH * SCREEN_HEIGHT * PIXEL_BYTES, true) &&
         BlockIsReadable(record->thumbnailData, THUMBNAIL_WIDTH * THUMBNAIL_HEIGHT * PIXEL_BYTES,
                         true) &&
         BlockIsReadable(record->captionText, 1, false);
}

const char* ReadShow(Show* show) {
  const RomHeader* header = HeaderInCartridge();
  TextBuilder message;
  StartText(&message, g_problem, sizeof g_problem);
  if (header->tag != SHOW_TAG) {
    AppendText(&message, "This cartridge holds no slideshow: its header is damaged.");
    return g_problem;
  }
  if (header->pictureCount > SHOW_MAX_PICTURES) {
    AppendText(&message, "The slideshow header is damaged: it counts ");
    AppendNumber(&message, header->pictureCount);
    AppendText(&message, " pictures, more than 1000.");
    return g_problem;
  }
  const SlideRecord* records = (const SlideRecord*)SHOW_TABLE_ADDRESS;
  for (uint16_t i = 0; i < header->pictureCount; ++i) {
    if (!RecordIsReadable(&records[i])) {
      AppendText(&message, "Picture ");
      AppendNumber(&message, i + 1u);
      AppendText(&message, " of the slideshow is damaged: it points outside the cartridge.");
      return g_problem;
    }
  }
  show->records = records;
  show->pictureCount = header->pictureCount;
  show->introPictures =
      header->introCount < header->pictureCount ? header->introCount : header->pictureCount;
  show->slideTimeMs = header->slideTimeMs;
  show->thumbnails = header->thumbnails != 0;
  show->helpScreen = header->helpScreen != 0;
  show->timeLimit = header->timeLimit != 0;
  show->keyUse = header->keyUse != 0;
  return 0;
}

static Picture PictureAt(uint32_t address, uint16_t width, uint16_t height) {
  Picture picture = {0, 0, 0};
  if (address != 0 && width > 0 && height > 0) {
    picture.pixels = (const uint16_t*)address;
    picture.width = width;
    picture.height = height;
  }
  return picture;
}

Picture FullSizeOf(const Show* show, uint16_t slide) {
  const SlideRecord* record = &show->records[slide];
  return PictureAt(record->fullSizeData, record->width, record->height);
}

Picture ResizedOf(const Show* show, uint16_t slide) {
  return PictureAt(show->records[slide].resizedData, SCREEN_WIDTH, SCREEN_HEIGHT);
}

Picture ThumbnailOf(const Show* show, uint16_t slide) {
  return PictureAt(show->records[slide].thumbnailData, THUMBNAIL_WIDTH, THUMBNAIL_HEIGHT);
}

uint32_t CaptionOf(const Show* show, uint16_t slide, const uint8_t** characters) {
  const uint32_t address = show->records[slide].captionText;
  *characters = (const uint8_t*)address;
  if (address == 0) return 0;
  const uint32_t readable = CARTRIDGE_END - address;
  const uint32_t limit = readable < CAPTION_MAX_CHARS ? readable : CAPTION_MAX_CHARS;
  uint32_t length = 0;
  while (length < limit && (*characters)[length] != 0) ++length;
  return length;
}

uint8_t EffectOf(const Show* show, uint16_t slide) {
  return show->records[slide].effect;
}
