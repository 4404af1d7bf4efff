#pragma once
// Numbers and columns of zuvsim's text tables.

#include <cstdio>
#include <string>

namespace zuv::zuvsim {

inline std::string Fixed(double x, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  return buffer;
}

// Right-aligned in `width` characters.
inline std::string Pad(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

// Left-aligned in `width` characters.
inline std::string PadRight(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

}  // namespace zuv::zuvsim
