/* A full screen of text on black: the messages for an empty show, a damaged cartridge
 * and the end of a show made only of intro pictures. */
#ifndef VARNEL_VIEWER_MESSAGE_SCREEN_H
#define VARNEL_VIEWER_MESSAGE_SCREEN_H

/* Shows the message, centred and wrapped at word boundaries, and never returns. */
__attribute__((noreturn)) void ShowMessageForever(const char* message);

#endif
