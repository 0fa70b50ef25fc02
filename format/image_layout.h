/* The cartridge image slide.gba, byte by byte: the one description the viewer (C), its
 * start code and linker script, the builder, the plan, the player and the emulator wrapper
 * (C++) all read.
 *
 *   file offset   console address  bytes  content
 *   0             0x08000000       <= 600000  the viewer program (Src.res), which opens
 *                                             with the console's 192-byte cartridge header
 *   600000        0x080927C0       14     the show header
 *   600032        0x080927E0       32000  the picture table: 1000 records of 32 bytes
 *   632032        0x0809A4E0              picture data and captions, in show order
 *
 * Every pointer stored in the image is a file offset plus 0x08000000, little-endian, 0 for
 * a part that is absent. A picture version is width x height 15-bit pixels of two bytes,
 * rows top to bottom. A caption block is at most 180 characters laid out in 10 lines of 18
 * and a 0 byte.
 *
 * The values are plain integer literals without suffixes because the viewer's start code
 * and its linker script read them through the C preprocessor too; what only C or C++
 * understands is hidden from those two. */
#ifndef VARNEL_FORMAT_IMAGE_LAYOUT_H
#define VARNEL_FORMAT_IMAGE_LAYOUT_H

/* ---- The cartridge ---- */
/* The console maps file offset 0 at CARTRIDGE_BASE and reads at most 32 MiB. */
#define CARTRIDGE_BASE 0x08000000
#define CARTRIDGE_MAX_BYTES 0x2000000
#define CARTRIDGE_END (CARTRIDGE_BASE + CARTRIDGE_MAX_BYTES)

/* ---- The viewer program ---- */
#define VIEWER_MAX_BYTES 600000 /* it must end where the show header begins */

/* The console's cartridge header: the first 192 bytes of every program. It opens with an
 * ARM branch over itself ("always", so its top byte is 0xEA); the boot program checks the
 * logo, the fixed byte and the complement check of bytes 0xA0-0xBC. */
#define CART_HEADER_BYTES 0xC0
#define CART_BRANCH_TOP_BYTE_AT 3
#define CART_BRANCH_ALWAYS 0xEA
#define CART_LOGO_AT 0x04
#define CART_LOGO_BYTES 156
#define CART_TITLE_AT 0xA0
#define CART_TITLE_BYTES 12
#define CART_GAME_CODE_AT 0xAC
#define CART_GAME_CODE_BYTES 4
#define CART_MAKER_CODE_AT 0xB0
#define CART_MAKER_CODE_BYTES 2
#define CART_FIXED_BYTE_AT 0xB2
#define CART_FIXED_BYTE 0x96
#define CART_UNIT_CODE_AT 0xB3
#define CART_VERSION_AT 0xBC
#define CART_COMPLEMENT_AT 0xBD

/* ---- The show header, 14 bytes ---- */
#define SHOW_HEADER_OFFSET 600000
#define SHOW_HEADER_BYTES 14
#define SHOW_TAG 103
#define SHOW_HEADER_TAG_AT 0            /* u16, always SHOW_TAG */
#define SHOW_HEADER_PICTURE_COUNT_AT 2  /* u16, records in use from slot 0 */
#define SHOW_HEADER_INTRO_COUNT_AT 4    /* u16 */
#define SHOW_HEADER_THUMBNAILS_AT 6     /* u8 */
#define SHOW_HEADER_HELP_SCREEN_AT 7    /* u8 */
#define SHOW_HEADER_TIME_LIMIT_AT 8     /* u8; byte 9 is reserved */
#define SHOW_HEADER_SLIDE_TIME_MS_AT 10 /* u16 */
#define SHOW_HEADER_KEY_USE_AT 12       /* u8; byte 13 is reserved */

/* ---- The picture table: records of 32 bytes ---- */
#define SHOW_TABLE_OFFSET 600032
#define SHOW_RECORD_BYTES 32
#define SHOW_MAX_PICTURES 1000
/* The stored order puts the thumbnail between the full-size and the resized pointer, and
 * the height before the width. */
#define SHOW_RECORD_FULL_SIZE_AT 0 /* u32 pointer */
#define SHOW_RECORD_THUMBNAIL_AT 4 /* u32 pointer */
#define SHOW_RECORD_RESIZED_AT 8   /* u32 pointer */
#define SHOW_RECORD_CAPTION_AT 12  /* u32 pointer */
#define SHOW_RECORD_HEIGHT_AT 16   /* u16, of the full-size version */
#define SHOW_RECORD_WIDTH_AT 18    /* u16, of the full-size version, a multiple of 4 */
#define SHOW_RECORD_EFFECT_AT 20   /* u8, used going into this picture; 21-31 reserved */

/* ---- Picture data and captions ---- */
#define SHOW_DATA_OFFSET 632032 /* the table's end; the file is zeros up to here */
#define PIXEL_BYTES 2
#define SCREEN_WIDTH 240 /* the resized version fills the console's screen */
#define SCREEN_HEIGHT 160
#define THUMBNAIL_WIDTH 60
#define THUMBNAIL_HEIGHT 40
#define CAPTION_LINE_CHARS 18
#define CAPTION_LINES 10
#define CAPTION_MAX_CHARS 180 /* CAPTION_LINES whole lines */

#define SHOW_HEADER_ADDRESS (CARTRIDGE_BASE + SHOW_HEADER_OFFSET)
#define SHOW_TABLE_ADDRESS (CARTRIDGE_BASE + SHOW_TABLE_OFFSET)
#define SHOW_DATA_ADDRESS (CARTRIDGE_BASE + SHOW_DATA_OFFSET)

#if !defined(__ASSEMBLER__) && !defined(VARNEL_LINKER_SCRIPT)

/* The literal values of the format, checked wherever the layout is compiled, in C and in
 * C++ alike: changing one is changing the format every built image and viewer share. */
#ifdef __cplusplus
#define VARNEL_FORMAT_PIN(condition) static_assert(condition, #condition)
#else
#define VARNEL_FORMAT_PIN(condition) _Static_assert(condition, #condition)
#endif
VARNEL_FORMAT_PIN(CARTRIDGE_BASE == 134217728);
VARNEL_FORMAT_PIN(CARTRIDGE_MAX_BYTES == 32 * 1024 * 1024 && CARTRIDGE_END == 0x0A000000);
VARNEL_FORMAT_PIN(VIEWER_MAX_BYTES == 600000 && VIEWER_MAX_BYTES == SHOW_HEADER_OFFSET);
VARNEL_FORMAT_PIN(CART_HEADER_BYTES == 192 && CART_LOGO_AT + CART_LOGO_BYTES == CART_TITLE_AT);
VARNEL_FORMAT_PIN(CART_TITLE_AT + CART_TITLE_BYTES == CART_GAME_CODE_AT);
VARNEL_FORMAT_PIN(CART_GAME_CODE_AT + CART_GAME_CODE_BYTES == CART_MAKER_CODE_AT);
VARNEL_FORMAT_PIN(CART_MAKER_CODE_AT + CART_MAKER_CODE_BYTES == CART_FIXED_BYTE_AT);
VARNEL_FORMAT_PIN(CART_FIXED_BYTE_AT == 178 && CART_FIXED_BYTE == 150);
VARNEL_FORMAT_PIN(CART_UNIT_CODE_AT == 179 && CART_VERSION_AT == 188);
VARNEL_FORMAT_PIN(CART_COMPLEMENT_AT == 189);
VARNEL_FORMAT_PIN(SHOW_HEADER_OFFSET == 600000 && SHOW_HEADER_ADDRESS == 0x080927C0);
VARNEL_FORMAT_PIN(SHOW_HEADER_BYTES == 14 && SHOW_TAG == 103);
VARNEL_FORMAT_PIN(SHOW_HEADER_TAG_AT == 0 && SHOW_HEADER_PICTURE_COUNT_AT == 2);
VARNEL_FORMAT_PIN(SHOW_HEADER_INTRO_COUNT_AT == 4 && SHOW_HEADER_THUMBNAILS_AT == 6);
VARNEL_FORMAT_PIN(SHOW_HEADER_HELP_SCREEN_AT == 7 && SHOW_HEADER_TIME_LIMIT_AT == 8);
VARNEL_FORMAT_PIN(SHOW_HEADER_SLIDE_TIME_MS_AT == 10 && SHOW_HEADER_KEY_USE_AT == 12);
VARNEL_FORMAT_PIN(SHOW_TABLE_OFFSET == 600032 && SHOW_TABLE_ADDRESS == 0x080927E0);
VARNEL_FORMAT_PIN(SHOW_RECORD_BYTES == 32 && SHOW_MAX_PICTURES == 1000);
VARNEL_FORMAT_PIN(SHOW_RECORD_FULL_SIZE_AT == 0 && SHOW_RECORD_THUMBNAIL_AT == 4);
VARNEL_FORMAT_PIN(SHOW_RECORD_RESIZED_AT == 8 && SHOW_RECORD_CAPTION_AT == 12);
VARNEL_FORMAT_PIN(SHOW_RECORD_HEIGHT_AT == 16 && SHOW_RECORD_WIDTH_AT == 18);
VARNEL_FORMAT_PIN(SHOW_RECORD_EFFECT_AT == 20);
VARNEL_FORMAT_PIN(SHOW_DATA_OFFSET == 632032 && SHOW_DATA_ADDRESS == 0x0809A4E0);
VARNEL_FORMAT_PIN(SHOW_TABLE_OFFSET + SHOW_RECORD_BYTES * SHOW_MAX_PICTURES == SHOW_DATA_OFFSET);
VARNEL_FORMAT_PIN(PIXEL_BYTES == 2 && SCREEN_WIDTH == 240 && SCREEN_HEIGHT == 160);
VARNEL_FORMAT_PIN(THUMBNAIL_WIDTH == 60 && THUMBNAIL_HEIGHT == 40);
VARNEL_FORMAT_PIN(CAPTION_LINE_CHARS == 18 && CAPTION_LINES == 10 && CAPTION_MAX_CHARS == 180);
VARNEL_FORMAT_PIN(CAPTION_MAX_CHARS == CAPTION_LINE_CHARS * CAPTION_LINES);

#ifdef __cplusplus

#include <cstddef>
#include <cstdint>

namespace varnel {

// The same values under the names and types the C++ code uses.
inline constexpr uint32_t kCartridgeBase = CARTRIDGE_BASE;
inline constexpr uint64_t kCartridgeMaxBytes = CARTRIDGE_MAX_BYTES;
inline constexpr uint32_t kMaxTemplateBytes = VIEWER_MAX_BYTES;

inline constexpr std::size_t kCartHeaderBytes = CART_HEADER_BYTES;
inline constexpr std::size_t kCartBranchTopByteAt = CART_BRANCH_TOP_BYTE_AT;
inline constexpr uint8_t kCartBranchAlways = CART_BRANCH_ALWAYS;
inline constexpr std::size_t kCartLogoAt = CART_LOGO_AT;
inline constexpr std::size_t kCartLogoBytes = CART_LOGO_BYTES;
inline constexpr std::size_t kCartTitleAt = CART_TITLE_AT;
inline constexpr std::size_t kCartTitleBytes = CART_TITLE_BYTES;
inline constexpr std::size_t kCartGameCodeAt = CART_GAME_CODE_AT;
inline constexpr std::size_t kCartGameCodeBytes = CART_GAME_CODE_BYTES;
inline constexpr std::size_t kCartMakerCodeAt = CART_MAKER_CODE_AT;
inline constexpr std::size_t kCartMakerCodeBytes = CART_MAKER_CODE_BYTES;
inline constexpr std::size_t kCartFixedByteAt = CART_FIXED_BYTE_AT;
inline constexpr uint8_t kCartFixedByte = CART_FIXED_BYTE;
inline constexpr std::size_t kCartUnitCodeAt = CART_UNIT_CODE_AT;
inline constexpr std::size_t kCartVersionAt = CART_VERSION_AT;
inline constexpr std::size_t kCartComplementAt = CART_COMPLEMENT_AT;

inline constexpr uint32_t kHeaderOffset = SHOW_HEADER_OFFSET;
inline constexpr std::size_t kHeaderBytes = SHOW_HEADER_BYTES;
inline constexpr uint16_t kHeaderTag = SHOW_TAG;
inline constexpr std::size_t kHeaderTagAt = SHOW_HEADER_TAG_AT;
inline constexpr std::size_t kHeaderPictureCountAt = SHOW_HEADER_PICTURE_COUNT_AT;
inline constexpr std::size_t kHeaderIntroCountAt = SHOW_HEADER_INTRO_COUNT_AT;
inline constexpr std::size_t kHeaderThumbnailsAt = SHOW_HEADER_THUMBNAILS_AT;
inline constexpr std::size_t kHeaderHelpScreenAt = SHOW_HEADER_HELP_SCREEN_AT;
inline constexpr std::size_t kHeaderTimeLimitAt = SHOW_HEADER_TIME_LIMIT_AT;
inline constexpr std::size_t kHeaderSlideTimeMsAt = SHOW_HEADER_SLIDE_TIME_MS_AT;
inline constexpr std::size_t kHeaderKeyUseAt = SHOW_HEADER_KEY_USE_AT;

inline constexpr uint32_t kTableOffset = SHOW_TABLE_OFFSET;
inline constexpr uint32_t kRecordBytes = SHOW_RECORD_BYTES;
inline constexpr uint32_t kMaxPictures = SHOW_MAX_PICTURES;
inline constexpr std::size_t kRecordFullSizeAt = SHOW_RECORD_FULL_SIZE_AT;
inline constexpr std::size_t kRecordThumbnailAt = SHOW_RECORD_THUMBNAIL_AT;
inline constexpr std::size_t kRecordResizedAt = SHOW_RECORD_RESIZED_AT;
inline constexpr std::size_t kRecordCaptionAt = SHOW_RECORD_CAPTION_AT;
inline constexpr std::size_t kRecordHeightAt = SHOW_RECORD_HEIGHT_AT;
inline constexpr std::size_t kRecordWidthAt = SHOW_RECORD_WIDTH_AT;
inline constexpr std::size_t kRecordEffectAt = SHOW_RECORD_EFFECT_AT;

inline constexpr uint32_t kPictureDataOffset = SHOW_DATA_OFFSET;
inline constexpr std::size_t kPixelBytes = PIXEL_BYTES;
inline constexpr int kScreenWidth = SCREEN_WIDTH;
inline constexpr int kScreenHeight = SCREEN_HEIGHT;
inline constexpr int kThumbnailWidth = THUMBNAIL_WIDTH;
inline constexpr int kThumbnailHeight = THUMBNAIL_HEIGHT;
inline constexpr std::size_t kCaptionColumns = CAPTION_LINE_CHARS;
inline constexpr std::size_t kCaptionLines = CAPTION_LINES;
inline constexpr std::size_t kCaptionCharacters = CAPTION_MAX_CHARS;

// The names and types pinned as well, so no conversion above changes a value.
static_assert(kCartridgeBase == 0x08000000 && kCartridgeMaxBytes == 33554432);
static_assert(kMaxTemplateBytes == 600000 && kHeaderOffset == 600000);
static_assert(kTableOffset == 600032 && kPictureDataOffset == 632032);
static_assert(kHeaderBytes == 14 && kRecordBytes == 32 && kMaxPictures == 1000);
static_assert(kHeaderTag == 103 && kCartFixedByte == 0x96 && kCartBranchAlways == 0xEA);
static_assert(kScreenWidth == 240 && kScreenHeight == 160);
static_assert(kThumbnailWidth == 60 && kThumbnailHeight == 40);
static_assert(kCaptionColumns == 18 && kCaptionLines == 10 && kCaptionCharacters == 180);

}  // namespace varnel

#else /* C: the layout as the viewer reads it in place from the cartridge */

#include <stddef.h>
#include <stdint.h>

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
  uint16_t height;
  uint16_t width;
  uint8_t effect;
  uint8_t reserved[11];
} SlideRecord;

/* Transition effects by their value in a record. */
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

VARNEL_FORMAT_PIN(sizeof(RomHeader) == SHOW_HEADER_BYTES);
VARNEL_FORMAT_PIN(offsetof(RomHeader, tag) == SHOW_HEADER_TAG_AT);
VARNEL_FORMAT_PIN(offsetof(RomHeader, pictureCount) == SHOW_HEADER_PICTURE_COUNT_AT);
VARNEL_FORMAT_PIN(offsetof(RomHeader, introCount) == SHOW_HEADER_INTRO_COUNT_AT);
VARNEL_FORMAT_PIN(offsetof(RomHeader, thumbnails) == SHOW_HEADER_THUMBNAILS_AT);
VARNEL_FORMAT_PIN(offsetof(RomHeader, helpScreen) == SHOW_HEADER_HELP_SCREEN_AT);
VARNEL_FORMAT_PIN(offsetof(RomHeader, timeLimit) == SHOW_HEADER_TIME_LIMIT_AT);
VARNEL_FORMAT_PIN(offsetof(RomHeader, slideTimeMs) == SHOW_HEADER_SLIDE_TIME_MS_AT);
VARNEL_FORMAT_PIN(offsetof(RomHeader, keyUse) == SHOW_HEADER_KEY_USE_AT);
VARNEL_FORMAT_PIN(sizeof(SlideRecord) == SHOW_RECORD_BYTES);
VARNEL_FORMAT_PIN(offsetof(SlideRecord, fullSizeData) == SHOW_RECORD_FULL_SIZE_AT);
VARNEL_FORMAT_PIN(offsetof(SlideRecord, thumbnailData) == SHOW_RECORD_THUMBNAIL_AT);
VARNEL_FORMAT_PIN(offsetof(SlideRecord, resizedData) == SHOW_RECORD_RESIZED_AT);
VARNEL_FORMAT_PIN(offsetof(SlideRecord, captionText) == SHOW_RECORD_CAPTION_AT);
VARNEL_FORMAT_PIN(offsetof(SlideRecord, height) == SHOW_RECORD_HEIGHT_AT);
VARNEL_FORMAT_PIN(offsetof(SlideRecord, width) == SHOW_RECORD_WIDTH_AT);
VARNEL_FORMAT_PIN(offsetof(SlideRecord, effect) == SHOW_RECORD_EFFECT_AT);

#endif /* __cplusplus */

#endif /* neither assembly nor linker script */

#endif
