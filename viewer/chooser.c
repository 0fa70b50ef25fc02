#include "chooser.h"

#include "dma.h"
#include "gba_registers.h"
#include "interrupts.h"
#include "screen.h"
#include "sprites.h"

#define GRID_COLUMNS 4
#define GRID_ROWS 4
#define CELLS_PER_PAGE (GRID_COLUMNS * GRID_ROWS)
#define CURSOR_THICKNESS 2

static const ObjCanvas kCursorCanvas = {CURSOR_FIRST_TILE, CURSOR_SPRITE_SHIFT, 1};

/* A frame around a cell, drawn over the thumbnail's outer pixels: yellow with a dark
 * inner edge so that it shows on light and dark pictures alike. */
static void DrawCursorSprite(void) {
  ClearObjCanvas(&kCursorCanvas, 1);
  for (int y = 0; y < THUMBNAIL_HEIGHT; ++y) {
    for (int x = 0; x < THUMBNAIL_WIDTH; ++x) {
      const int edge = x < y ? x : y;
      const int fromRight = THUMBNAIL_WIDTH - 1 - x;
      const int fromBottom = THUMBNAIL_HEIGHT - 1 - y;
      int distance = edge;
      if (fromRight < distance) distance = fromRight;
      if (fromBottom < distance) distance = fromBottom;
      if (distance < CURSOR_THICKNESS)
        SetObjPixel(&kCursorCanvas, (uint32_t)x, (uint32_t)y, OBJ_COLOUR_CURSOR);
      else if (distance == CURSOR_THICKNESS)
        SetObjPixel(&kCursorCanvas, (uint32_t)x, (uint32_t)y, OBJ_COLOUR_CURSOR_EDGE);
    }
  }
}

static void DrawCell(uint16_t* screen, int cell, const Show* show, int slide) {
  const int left = (cell % GRID_COLUMNS) * THUMBNAIL_WIDTH;
  const int top = (cell / GRID_COLUMNS) * THUMBNAIL_HEIGHT;
  uint16_t* out = screen + top * SCREEN_WIDTH + left;
  const Picture thumbnail =
      slide < (int)show->pictureCount ? ThumbnailOf(show, (uint16_t)slide) : (Picture){0, 0, 0};
  const uint16_t fill = slide < (int)show->pictureCount ? COLOUR_GREY : COLOUR_BLACK;
  for (int row = 0; row < THUMBNAIL_HEIGHT; ++row, out += SCREEN_WIDTH) {
    if (thumbnail.pixels)
      CopyPixels(out, thumbnail.pixels + row * THUMBNAIL_WIDTH, THUMBNAIL_WIDTH);
    else
      FillPixels(out, fill, THUMBNAIL_WIDTH);
  }
}

static void ShowPage(const Show* show, uint16_t firstSlide, int page) {
  for (int cell = 0; cell < CELLS_PER_PAGE; ++cell)
    DrawCell(g_backScreen, cell, show, firstSlide + page * CELLS_PER_PAGE + cell);
  WaitForVBlank();
  PresentScreen(g_backScreen);
}

static void PlaceCursor(int position) {
  const int cell = position % CELLS_PER_PAGE;
  PlaceSprite(SPRITE_CURSOR, (cell % GRID_COLUMNS) * THUMBNAIL_WIDTH,
              (cell / GRID_COLUMNS) * THUMBNAIL_HEIGHT, CURSOR_SPRITE_SIZE, CURSOR_FIRST_TILE);
}

/* Where the D-pad and the shoulder keys move the cursor; positions count the slides
 * after the intro from 0. The D-pad stops at the first and last slide, the shoulder keys
 * turn whole pages and wrap around. */
static int MovedPosition(int position, int count, uint16_t keys) {
  const int pages = (count + CELLS_PER_PAGE - 1) / CELLS_PER_PAGE;
  int moved = position;
  if (keys & KEY_LEFT) moved -= 1;
  if (keys & KEY_RIGHT) moved += 1;
  if (keys & KEY_UP) moved -= GRID_COLUMNS;
  if (keys & KEY_DOWN) moved += GRID_COLUMNS;
  if (moved < 0 || moved >= count) moved = position;
  if (keys & (KEY_L | KEY_R)) {
    int page = moved / CELLS_PER_PAGE + ((keys & KEY_R) ? 1 : -1);
    page = (page + pages) % pages;
    moved = page * CELLS_PER_PAGE + moved % CELLS_PER_PAGE;
    if (moved >= count) moved = count - 1;
  }
  return moved;
}

int ChooseSlide(const Show* show, uint16_t firstSlide, uint16_t currentSlide, Keys* keys) {
  const int count = (int)show->pictureCount - firstSlide;
  int position = (int)currentSlide - firstSlide;
  int page = position / CELLS_PER_PAGE;
  DrawCursorSprite();
  ShowPage(show, firstSlide, page);
  PlaceCursor(position);
  REG_DISPCNT |= DISPCNT_OBJ;
  for (;;) {
    WaitForVBlank();
    ReadKeys(keys);
    if (keys->pressed & KEY_A) break;
    if (keys->pressed & (KEY_B | KEY_START)) {
      position = CHOOSER_NOTHING_CHOSEN;
      break;
    }
    const uint16_t moves = (keys->repeated & (KEY_LEFT | KEY_RIGHT | KEY_UP | KEY_DOWN)) |
                           (keys->pressed & (KEY_L | KEY_R));
    if (!moves) continue;
    position = MovedPosition(position, count, moves);
    if (position / CELLS_PER_PAGE != page) {
      page = position / CELLS_PER_PAGE;
      HideSprite(SPRITE_CURSOR);
      ShowPage(show, firstSlide, page);
    }
    PlaceCursor(position);
  }
  HideSprite(SPRITE_CURSOR);
  REG_DISPCNT &= (uint16_t)~DISPCNT_OBJ;
  return position == CHOOSER_NOTHING_CHOSEN ? position : firstSlide + position;
}
