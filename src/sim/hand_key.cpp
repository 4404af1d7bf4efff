#include "sim/hand_key.h"

namespace zuv::sim {

std::vector<int> HighCard(HandKey key) {
  const int handClass = HandClass(key);
  if (handClass < 1 || handClass > kHandClasses) return {};
  std::vector<int> values;
  for (int i = 0; i < kHighCardLength[handClass]; ++i) {
    values.push_back(static_cast<int>((key >> (16 - 4 * i)) & 0xF));
  }
  return values;
}

HandKey HandKeyFrom(int handClass, const std::vector<int>& highcard) {
  HandKey key = static_cast<HandKey>(handClass) << 20;
  for (std::size_t i = 0; i < highcard.size() && i < 5; ++i) {
    key |= static_cast<HandKey>(highcard[i]) << (16 - 4 * i);
  }
  return key;
}

std::string_view HandClassName(int handClass) {
  static constexpr std::array<std::string_view, 10> kNames{
      "",      "High card", "Pair",       "Two pairs",      "Trips",
      "Straight", "Flush",  "Full house", "Four of a kind", "Straight flush"};
  if (handClass < 1 || handClass > kHandClasses) return "";
  return kNames[handClass];
}

}  // namespace zuv::sim
