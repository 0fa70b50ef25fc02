#pragma once

#include <cstdint>
#include <string>

namespace varnel {

// How the options of a show become the numbers and bytes of a project file, and back.
// The way back mends values the editor never writes, so that a loaded show always holds
// what its controls can show and its data exchange accepts.

// The decimal value of an option text, low 16 bits.
uint16_t StoredNumberOfText(const std::string& text);
// An override list's index; -1 (no selection) becomes 0xFFFF.
uint16_t StoredOverrideIndex(int index);
// 1 when on, 0 when off.
uint8_t StoredOptionByte(int value);

// Any byte other than 0 counts as on: only 1 is ever written, and a set byte is more
// likely a damaged "on" than an "off".
int OptionOfStoredByte(uint8_t stored);
// Plain decimal ("%i"), at most 99: the two characters both boxes take. A longer text
// would be refused by the next exchange from the controls. Within that the number stays
// as stored (seconds 61-99 too); the seconds box's own rule then applies to it as to a
// typed number (see ApplyNumberBoxRules).
std::string IntroCountTextOfStored(uint16_t stored);
std::string SecondsTextOfStored(uint16_t stored);
// The index when its list has that item, else -1: the window then selects nothing,
// exactly as it does for the stored "no selection" 0xFFFF.
int SizingOverrideIndexOfStored(uint16_t stored);
int EffectOverrideIndexOfStored(uint16_t stored);
// A picture's index when its label table has it, else 0 ("(00) Both", "(00) No Effect"):
// the row is kept with the default choice rather than lost.
uint16_t SizingIndexOfStored(uint16_t stored);
uint16_t EffectIndexOfStored(uint16_t stored);
// A picture's fit when the fit table has it, else 0 (Stretch), which is what a reader
// that skips the reserved bytes makes of any value.
uint8_t FitIndexOfStored(uint8_t stored);

}  // namespace varnel
