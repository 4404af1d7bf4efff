#pragma once

#include <QString>
#include <optional>

namespace zuv {

// Reads text that holds exactly one finite number in any plain form
// ("42", " 5e4 ", "2000.0", "-3"). Empty text, words, or several numbers give nullopt.
std::optional<double> ReadSingleNumber(const QString& text);

// Writes a number in plain form: 1e3 as "1000", 12.0 as "12", no exponent for whole numbers.
QString PlainNumber(double value);

}  // namespace zuv
