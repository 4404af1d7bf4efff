#pragma once
// Numbers of the MAT-file (version 5) format: element types and array classes.

#include <cstdint>

namespace zuv::setupfile::mat {

enum ElementType : std::uint32_t {
  miINT8 = 1, miUINT8 = 2, miINT16 = 3, miUINT16 = 4, miINT32 = 5, miUINT32 = 6, miSINGLE = 7, miDOUBLE = 9,
  miINT64 = 12, miUINT64 = 13, miMATRIX = 14, miCOMPRESSED = 15, miUTF8 = 16, miUTF16 = 17, miUTF32 = 18
};
enum ArrayClass : std::uint32_t { mxCELL = 1, mxSTRUCT = 2, mxCHAR = 4, mxDOUBLE = 6, mxUINT64 = 15 };

}  // namespace zuv::setupfile::mat
