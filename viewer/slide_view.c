#include "slide_view.h"

#include "dma.h"
#include "font.h"
#include "screen.h"

static const char kNoPictureText[] = "No picture for this slide.";

static int MaxScroll(int size, int screenSize) {
  return size > screenSize ? size - screenSize : 0;
}

/* Scroll positions stay even so that rows keep the picture's 4-byte alignment. */
static int EvenClamp(int value, int maximum) {
  if (value > maximum) value = maximum;
  if (value < 0) value = 0;
  return value & ~1;
}

SlideView MakeSlideView(Picture picture) {
  SlideView view;
  view.picture = picture;
  view.scrollX =
      EvenClamp(MaxScroll(picture.width, SCREEN_WIDTH) / 2, MaxScroll(picture.width, SCREEN_WIDTH));
  view.scrollY = MaxScroll(picture.height, SCREEN_HEIGHT) / 2;
  return view;
}

bool ViewScrolls(const SlideView* view) {
  return view->picture.pixels &&
         (view->picture.width > SCREEN_WIDTH || view->picture.height > SCREEN_HEIGHT);
}

bool ScrollView(SlideView* view, int dx, int dy) {
  const int maxX = MaxScroll(view->picture.width, SCREEN_WIDTH);
  const int maxY = MaxScroll(view->picture.height, SCREEN_HEIGHT);
  int x = view->scrollX + dx;
  int y = view->scrollY + dy;
  /* The last column is reachable even when the largest scroll is odd. */
  x = x >= maxX ? maxX : EvenClamp(x, maxX);
  if (y > maxY) y = maxY;
  if (y < 0) y = 0;
  const bool moved = x != view->scrollX || y != view->scrollY;
  view->scrollX = x;
  view->scrollY = y;
  return moved;
}

static void DrawMissingPicture(volatile uint16_t* target) {
  FillPixels(target, COLOUR_BLACK, SCREEN_PIXELS);
  const int x = (SCREEN_WIDTH - TextWidth(kNoPictureText)) / 2;
  DrawText(target, x, (SCREEN_HEIGHT - GLYPH_HEIGHT) / 2, kNoPictureText, COLOUR_WHITE);
}

void DrawSlideView(const SlideView* view, volatile uint16_t* target) {
  const Picture* picture = &view->picture;
  if (!picture->pixels) {
    DrawMissingPicture(target);
    return;
  }
  const int shownWidth = picture->width < SCREEN_WIDTH ? picture->width : SCREEN_WIDTH;
  const int shownHeight = picture->height < SCREEN_HEIGHT ? picture->height : SCREEN_HEIGHT;
  const int left = (SCREEN_WIDTH - shownWidth) / 2;
  const int top = (SCREEN_HEIGHT - shownHeight) / 2;
  const int right = SCREEN_WIDTH - left - shownWidth;

  FillPixels(target, COLOUR_BLACK, (uint32_t)top * SCREEN_WIDTH);
  const uint16_t* firstRow =
      picture->pixels + (uint32_t)view->scrollY * picture->width + (uint32_t)view->scrollX;
  volatile uint16_t* out = target + top * SCREEN_WIDTH;
  if (shownWidth == SCREEN_WIDTH && picture->width == SCREEN_WIDTH) {
    CopyPixels(out, firstRow, (uint32_t)shownHeight * SCREEN_WIDTH);
  } else {
    for (int row = 0; row < shownHeight; ++row, out += SCREEN_WIDTH) {
      FillPixels(out, COLOUR_BLACK, (uint32_t)left);
      CopyPixels(out + left, firstRow + (uint32_t)row * picture->width, (uint32_t)shownWidth);
      FillPixels(out + left + shownWidth, COLOUR_BLACK, (uint32_t)right);
    }
  }
  FillPixels(target + (top + shownHeight) * SCREEN_WIDTH, COLOUR_BLACK,
             (uint32_t)(SCREEN_HEIGHT - top - shownHeight) * SCREEN_WIDTH);
}
