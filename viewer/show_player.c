#include "show_player.h"

#include "caption_overlay.h"
#include "chooser.h"
#include "help_screen.h"
#include "interrupts.h"
#include "keys.h"
#include "message_screen.h"
#include "screen.h"
#include "slide_view.h"
#include "transitions.h"

/* How long an intro picture stays when the show has no time limit of its own. */
#define INTRO_MILLISECONDS 3000u
/* Pixels the D-pad moves a large picture per frame. */
#define SCROLL_STEP 4

static const char kShowEndedText[] =
    "The show has ended: it holds only intro pictures, which are shown once.";

typedef struct {
  const Show* show;
  uint16_t firstSlide; /* the first slide after the intro */
  uint16_t slide;      /* the slide on screen */
  SlideView view;
  bool fullSizeShown; /* the view shows the full-size version of a slide with both */
  bool captionsOn;    /* Select turns captions on for every slide until pressed again */
  bool timerStopped;
  bool redrawView;
  uint32_t slideFrames; /* the time limit in frames, 0 when slides do not change by time */
  uint32_t introFrames;
  uint32_t deadline; /* frame count at which the slide changes by itself */
  KeysInForce keysInForce;
  Keys keys;
} Player;

static bool HasBothVersions(const Show* show, uint16_t slide) {
  return FullSizeOf(show, slide).pixels && ResizedOf(show, slide).pixels;
}

static bool HasCaption(const Show* show, uint16_t slide) {
  const uint8_t* characters;
  return CaptionOf(show, slide, &characters) > 0;
}

static bool IsLargerThanScreen(Picture picture) {
  return picture.pixels && (picture.width > SCREEN_WIDTH || picture.height > SCREEN_HEIGHT);
}

static KeysInForce FindKeysInForce(const Player* player) {
  const Show* show = player->show;
  KeysInForce keys = {false, false, false, false, false, false};
  keys.nextAndPrevious = show->keyUse;
  keys.timer = player->slideFrames > 0;
  for (uint16_t slide = player->firstSlide; slide < show->pictureCount; ++slide) {
    if (HasBothVersions(show, slide)) keys.sizeSwitch = true;
    if (IsLargerThanScreen(FullSizeOf(show, slide))) keys.scrolling = true;
    if (HasCaption(show, slide)) keys.captions = true;
    if (show->thumbnails && ThumbnailOf(show, slide).pixels) keys.chooser = true;
  }
  return keys;
}

static void ArmTimer(Player* player, uint32_t frames) {
  player->deadline = FrameCount() + frames;
}

static bool TimeIsUp(const Player* player) {
  return (int32_t)(FrameCount() - player->deadline) >= 0;
}

/* The caption of the slide on screen, shown when captions are on and it has one. Laying
 * it out takes a while, so it appears at the next VBlank, all at once. */
static void RestoreCaption(Player* player) {
  if (!player->captionsOn) return;
  const uint8_t* characters;
  const uint32_t length = CaptionOf(player->show, player->slide, &characters);
  if (length == 0 || !PrepareCaption(characters, length)) return;
  WaitForVBlank();
  ShowCaption();
}

/* Shows a slide through the transition, starting with its resized version. */
static void EnterSlide(Player* player, uint16_t slide, uint8_t effect, bool intro) {
  const Show* show = player->show;
  HideCaption();
  player->slide = slide;
  const Picture resized = ResizedOf(show, slide);
  player->fullSizeShown = !resized.pixels && !intro;
  player->view = MakeSlideView(player->fullSizeShown ? FullSizeOf(show, slide) : resized);
  DrawSlideView(&player->view, g_newScreen);
  RunTransition(effect);
  if (!intro) RestoreCaption(player);
  ArmTimer(player, intro ? player->introFrames : player->slideFrames);
}

static uint16_t NextSlide(const Player* player) {
  return player->slide + 1u < player->show->pictureCount ? player->slide + 1u : player->firstSlide;
}

static uint16_t PreviousSlide(const Player* player) {
  return player->slide > player->firstSlide ? player->slide - 1u : player->show->pictureCount - 1u;
}

static void GoToSlide(Player* player, uint16_t slide) {
  if (slide == player->slide) return;
  EnterSlide(player, slide, EffectOf(player->show, slide), false);
}

/* Back from the help screen or the chooser: the slide as it was, the timer from the start. */
static void ReturnToSlide(Player* player) {
  WaitForVBlank();
  DrawSlideView(&player->view, SCREEN_VRAM);
  RestoreCaption(player);
  ArmTimer(player, player->slideFrames);
}

static void OpenChooser(Player* player) {
  HideCaption();
  const int chosen = ChooseSlide(player->show, player->firstSlide, player->slide, &player->keys);
  if (chosen == CHOOSER_NOTHING_CHOSEN) {
    ReturnToSlide(player);
    return;
  }
  EnterSlide(player, (uint16_t)chosen, EffectOf(player->show, (uint16_t)chosen), false);
}

/* Start from a slide: the help screen when the show offers it, else the chooser. On the
 * help screen Start leads on to the chooser and B goes back. */
static void OpenMenu(Player* player) {
  const KeysInForce* keys = &player->keysInForce;
  if (!player->show->helpScreen) {
    if (keys->chooser) OpenChooser(player);
    return;
  }
  HideCaption();
  const ShowPosition position = {(uint16_t)(player->slide - player->firstSlide + 1u),
                                 (uint16_t)(player->show->pictureCount - player->firstSlide),
                                 (uint16_t)(player->show->slideTimeMs / 1000u),
                                 player->timerStopped};
  DrawHelpScreen(keys, &position, g_backScreen);
  WaitForVBlank();
  PresentScreen(g_backScreen);
  for (;;) {
    WaitForVBlank();
    ReadKeys(&player->keys);
    if (player->keys.pressed & KEY_B) break;
    if (player->keys.pressed & KEY_START) {
      if (keys->chooser) {
        OpenChooser(player);
        return;
      }
      break;
    }
  }
  ReturnToSlide(player);
}

static void ToggleView(Player* player) {
  const Show* show = player->show;
  player->fullSizeShown = !player->fullSizeShown;
  player->view = MakeSlideView(player->fullSizeShown ? FullSizeOf(show, player->slide)
                                                     : ResizedOf(show, player->slide));
  player->redrawView = true;
}

static void ScrollWithDpad(Player* player) {
  const uint16_t held = player->keys.held;
  int dx = 0;
  int dy = 0;
  if (held & KEY_LEFT) dx -= SCROLL_STEP;
  if (held & KEY_RIGHT) dx += SCROLL_STEP;
  if (held & KEY_UP) dy -= SCROLL_STEP;
  if (held & KEY_DOWN) dy += SCROLL_STEP;
  if ((dx || dy) && ScrollView(&player->view, dx, dy)) player->redrawView = true;
}

static void ToggleCaptions(Player* player) {
  player->captionsOn = !player->captionsOn;
  if (player->captionsOn)
    RestoreCaption(player);
  else
    HideCaption();
}

static void ToggleTimer(Player* player) {
  player->timerStopped = !player->timerStopped;
  if (!player->timerStopped) ArmTimer(player, player->slideFrames);
}

/* One frame of a slide on screen: keys first, then the timer. */
static void RunSlideFrame(Player* player) {
  const uint16_t pressed = player->keys.pressed;
  const KeysInForce* keys = &player->keysInForce;
  if (keys->nextAndPrevious && (pressed & KEY_R)) {
    GoToSlide(player, NextSlide(player));
    return;
  }
  if (keys->nextAndPrevious && (pressed & KEY_L)) {
    GoToSlide(player, PreviousSlide(player));
    return;
  }
  if (pressed & KEY_START) {
    OpenMenu(player);
    return;
  }
  if (keys->timer && (pressed & KEY_B)) ToggleTimer(player);
  if ((pressed & KEY_A) && HasBothVersions(player->show, player->slide)) ToggleView(player);
  if (keys->captions && (pressed & KEY_SELECT)) ToggleCaptions(player);
  if (ViewScrolls(&player->view)) ScrollWithDpad(player);
  if (keys->timer && !player->timerStopped && TimeIsUp(player))
    GoToSlide(player, NextSlide(player));
}

/* The intro: each picture once, resized, for its time; R moves on early. */
static void PlayIntro(Player* player) {
  const Show* show = player->show;
  for (uint16_t slide = 0; slide < show->introPictures; ++slide) {
    EnterSlide(player, slide, slide == 0 ? EFFECT_NONE : EffectOf(show, slide), true);
    for (;;) {
      WaitForVBlank();
      ReadKeys(&player->keys);
      if (show->keyUse && (player->keys.pressed & KEY_R)) break;
      if (TimeIsUp(player)) break;
    }
  }
}

void PlayShow(const Show* show) {
  static Player player;
  player.show = show;
  player.firstSlide = show->introPictures;
  player.slide = show->pictureCount; /* nothing on screen yet */
  const uint16_t slidesAfterIntro = show->pictureCount - show->introPictures;
  player.slideFrames = show->timeLimit && show->slideTimeMs > 0 && slidesAfterIntro > 1
                           ? FramesForMilliseconds(show->slideTimeMs)
                           : 0;
  player.introFrames = show->timeLimit && show->slideTimeMs > 0
                           ? FramesForMilliseconds(show->slideTimeMs)
                           : FramesForMilliseconds(INTRO_MILLISECONDS);
  player.keysInForce = FindKeysInForce(&player);

  PlayIntro(&player);
  if (slidesAfterIntro == 0) ShowMessageForever(kShowEndedText);
  const uint8_t firstEffect =
      show->introPictures > 0 ? EffectOf(show, player.firstSlide) : (uint8_t)EFFECT_NONE;
  EnterSlide(&player, player.firstSlide, firstEffect, false);
  for (;;) {
    WaitForVBlank();
    if (player.redrawView) {
      DrawSlideView(&player.view, SCREEN_VRAM);
      player.redrawView = false;
    }
    ReadKeys(&player.keys);
    RunSlideFrame(&player);
  }
}
