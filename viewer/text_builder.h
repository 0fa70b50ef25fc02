/* Builds short texts (messages, help lines) in a caller's buffer without the C library's
 * formatted printing, which would pull in far more code than the viewer needs. */
#ifndef VARNEL_VIEWER_TEXT_BUILDER_H
#define VARNEL_VIEWER_TEXT_BUILDER_H

#include <stdint.h>

typedef struct {
  char* text;
  uint32_t capacity; /* bytes, the closing 0 included */
  uint32_t length;
} TextBuilder;

void StartText(TextBuilder* builder, char* buffer, uint32_t capacity);
/* Both stop quietly at the capacity; the text always stays 0-terminated. */
void AppendText(TextBuilder* builder, const char* text);
void AppendNumber(TextBuilder* builder, uint32_t number);

#endif
