#include "document/label_tables.h"

#include "document/number_rules.h"

namespace varnel {

namespace {
template <std::size_t N>
std::optional<std::string_view> LabelAt(const std::array<std::string_view, N>& table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return std::nullopt;
  return table[static_cast<std::size_t>(index)];
}
}  // namespace

std::optional<std::string_view> EffectLabel(int index) {
  return LabelAt(kEffectLabels, index);
}
std::optional<std::string_view> SizingLabel(int index) {
  return LabelAt(kSizingLabels, index);
}
std::optional<std::string_view> FitLabel(int index) {
  return LabelAt(kFitLabels, index);
}

Fit FitOfLabel(std::string_view label) {
  const int32_t index = LabelIndex(label);
  return FitLabel(index) ? static_cast<Fit>(index) : kFitStretch;
}

}  // namespace varnel
