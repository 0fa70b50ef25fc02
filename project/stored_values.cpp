#include "project/stored_values.h"

#include <algorithm>

#include "document/label_tables.h"
#include "document/number_rules.h"
#include "format/project_file_layout.h"

namespace varnel {

namespace {

bool InTable(uint16_t index, std::size_t tableSize) {
  return index < tableSize;
}

}  // namespace

uint16_t StoredNumberOfText(const std::string& text) {
  return Low16(DecimalValue(text));
}

uint16_t StoredOverrideIndex(int index) {
  return index < 0 ? kStoredNoSelection : Low16(index);
}

uint8_t StoredOptionByte(int value) {
  return value != 0 ? 1 : 0;
}

int OptionOfStoredByte(uint8_t stored) {
  return stored != 0 ? 1 : 0;
}

std::string IntroCountTextOfStored(uint16_t stored) {
  return std::to_string(std::min(stored, kMaxTwoDigitNumber));
}

std::string SecondsTextOfStored(uint16_t stored) {
  return std::to_string(std::min(stored, kMaxTwoDigitNumber));
}

int SizingOverrideIndexOfStored(uint16_t stored) {
  return InTable(stored, kSizingLabels.size()) ? stored : -1;
}

int EffectOverrideIndexOfStored(uint16_t stored) {
  return InTable(stored, kEffectLabels.size()) ? stored : -1;
}

uint16_t SizingIndexOfStored(uint16_t stored) {
  return InTable(stored, kSizingLabels.size()) ? stored : 0;
}

uint16_t EffectIndexOfStored(uint16_t stored) {
  return InTable(stored, kEffectLabels.size()) ? stored : 0;
}

uint8_t FitIndexOfStored(uint8_t stored) {
  return InTable(stored, kFitLabels.size()) ? stored : 0;
}

}  // namespace varnel
