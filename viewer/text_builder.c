#include "text_builder.h"

void StartText(TextBuilder* builder, char* buffer, uint32_t capacity) {
  builder->text = buffer;
  builder->capacity = capacity;
  builder->length = 0;
  if (capacity > 0) buffer[0] = 0;
}

static void AppendChar(TextBuilder* builder, char c) {
  if (builder->length + 1 >= builder->capacity) return;
  builder->text[builder->length++] = c;
  builder->text[builder->length] = 0;
}

void AppendText(TextBuilder* builder, const char* text) {
  while (*text) AppendChar(builder, *text++);
}

void AppendNumber(TextBuilder* builder, uint32_t number) {
  char digits[10];
  int count = 0;
  do {
    digits[count++] = (char)('0' + number % 10u);
    number /= 10u;
  } while (number > 0);
  while (count > 0) AppendChar(builder, digits[--count]);
}
