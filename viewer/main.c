/* The viewer: plays the slideshow that the builder stored after this program in the
 * cartridge. */
#include "font.h"
#include "interrupts.h"
#include "message_screen.h"
#include "screen.h"
#include "show.h"
#include "show_player.h"
#include "sprites.h"

static const char kEmptyShowText[] = "This slideshow holds no pictures.";

int main(void) {
  InitScreen();
  InitSprites();
  PrepareFont();
  EnableVBlankInterrupt();
  static Show show;
  const char* problem = ReadShow(&show);
  if (problem) ShowMessageForever(problem);
  if (show.pictureCount == 0) ShowMessageForever(kEmptyShowText);
  PlayShow(&show);
}
