#include "setup/file/mat_check.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string_view>

#include "setup/file/mat_format.h"
#include "setup/file/mat_text.h"

namespace zuv::setupfile {

namespace {

using namespace mat;

constexpr std::size_t kMaxInflated = 64u << 20;  // all compressed parts together
constexpr int kMaxDepth = 8;
constexpr std::uint32_t kMaxRank = 8;
constexpr std::uint32_t kMaxFieldNameLength = 64;

std::size_t Padded(std::size_t n) { return (n + 7) & ~std::size_t{7}; }

// The size of one number of a numeric element type; 0 for other types.
std::size_t TypeSize(std::uint32_t type) {
  switch (type) {
    case miINT8: case miUINT8: return 1;
    case miINT16: case miUINT16: return 2;
    case miINT32: case miUINT32: case miSINGLE: return 4;
    case miDOUBLE: case miINT64: case miUINT64: return 8;
    default: return 0;
  }
}

struct Element {
  std::uint32_t type = 0;
  std::string_view data;
};

class Walker {
 public:
  explicit Walker(bool bigEndian) : big_(bigEndian) {}

  std::optional<std::string> problem;

  std::uint32_t U32(const char* p) const {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return big_ ? (std::uint32_t(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3]
                : (std::uint32_t(b[3]) << 24) | (b[2] << 16) | (b[1] << 8) | b[0];
  }
  std::uint16_t U16(const char* p) const {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return big_ ? std::uint16_t((b[0] << 8) | b[1]) : std::uint16_t((b[1] << 8) | b[0]);
  }

  bool fail(const std::string& text) {
    if (!problem) problem = "the file is damaged (" + text + ")";
    return false;
  }

  // Takes the next element off `rest`, with its padding.
  bool next(std::string_view& rest, Element& e, bool padded = true) {
    if (rest.size() < 8) return fail("an element is cut off");
    const std::uint32_t first = U32(rest.data());
    // The small form: type and size in one word, up to four bytes of data in the next.
    const std::uint16_t smallSize = big_ ? U16(rest.data()) : U16(rest.data() + 2);
    if (smallSize != 0) {
      if (smallSize > 4) return fail("a short element is too long");
      e.type = big_ ? U16(rest.data() + 2) : U16(rest.data());
      e.data = rest.substr(4, smallSize);
      rest.remove_prefix(8);
      return true;
    }
    const std::uint32_t size = U32(rest.data() + 4);
    if (size > rest.size() - 8) return fail("an element is longer than what holds it");
    e.type = first;
    e.data = rest.substr(8, size);
    const std::size_t step = padded ? Padded(8 + std::size_t(size)) : 8 + std::size_t(size);
    rest.remove_prefix(std::min(step, rest.size()));
    return true;
  }

  bool inflate(std::string_view in, std::string& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return fail("cannot inflate");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    char buffer[16384];
    int status = Z_OK;
    while (status == Z_OK) {
      z.next_out = reinterpret_cast<Bytef*>(buffer);
      z.avail_out = sizeof buffer;
      status = ::inflate(&z, Z_NO_FLUSH);
      out.append(buffer, sizeof buffer - z.avail_out);
      inflated_ += sizeof buffer - z.avail_out;
      if (inflated_ > kMaxInflated) {
        inflateEnd(&z);
        return fail("a compressed part is too large");
      }
      if (status == Z_BUF_ERROR && z.avail_in == 0) break;
    }
    const bool complete = status == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    if (!complete) return fail("a compressed part is cut off or broken");
    return true;
  }

  // A miMATRIX element's content.
  bool matrix(std::string_view body, int depth) {
    if (depth > kMaxDepth) return fail("values are nested too deeply");
    if (body.empty()) return depth > 0 || fail("an empty variable");  // an empty field or cell
    Element flags, dims, name;
    if (!next(body, flags) || !next(body, dims) || !next(body, name)) return false;
    if (flags.type != miUINT32 || flags.data.size() != 8) return fail("bad array flags");
    if (dims.type != miINT32 || dims.data.size() % 4 != 0) return fail("bad dimensions");
    if (name.type != miINT8 || name.data.size() > 63) return fail("bad variable name");
    const std::uint32_t word = U32(flags.data.data());
    const std::uint32_t cls = word & 0xff;
    if (word & 0x0800) return fail("complex numbers");
    const std::uint32_t rank = static_cast<std::uint32_t>(dims.data.size() / 4);
    if (rank < 2 || rank > kMaxRank) return fail("bad number of dimensions");
    std::uint64_t count = 1;
    for (std::uint32_t i = 0; i < rank; ++i) {
      const std::uint32_t d = U32(dims.data.data() + 4 * i);
      if (d > 0x7fffffff) return fail("a negative dimension");
      count *= d;
      if (count > (std::uint64_t{1} << 32)) return fail("too many elements");
    }
    if (cls == mxCELL) {
      for (std::uint64_t i = 0; i < count; ++i) {
        if (!child(body, depth)) return false;
      }
    } else if (cls == mxSTRUCT) {
      Element length, names;
      if (!next(body, length) || !next(body, names)) return false;
      if (length.type != miINT32 || length.data.size() != 4) return fail("bad field name length");
      const std::uint32_t width = U32(length.data.data());
      if (width == 0 || width > kMaxFieldNameLength) return fail("bad field name length");
      if (names.type != miINT8 || names.data.size() % width != 0) return fail("bad field names");
      const std::size_t fields = names.data.size() / width;
      for (std::size_t f = 0; f < fields; ++f) {
        if (names.data.substr(f * width, width).find('\0') == std::string_view::npos) {
          return fail("a field name without an end");
        }
      }
      if (fields != 0 && count > body.size() / 8 / fields) return fail("fewer values than the structure needs");
      for (std::uint64_t i = 0; i < count * fields; ++i) {
        if (!child(body, depth)) return false;
      }
    } else if (cls == mxCHAR || (cls >= mxDOUBLE && cls <= mxUINT64)) {
      if (!body.empty()) {
        Element values;
        if (!next(body, values)) return false;
        if (cls == mxCHAR) {
          if (auto problem = TextProblem(values.type, values.data, count, big_)) return fail(*problem);
        } else {
          const std::size_t size = TypeSize(values.type);
          if (size == 0) return fail("bad number type");
          if (values.data.size() != count * size) return fail("data does not match the dimensions");
        }
      } else if (count != 0) {
        return fail("data is missing");
      }
    } else {
      return fail("a kind of value that setup files do not hold");
    }
    if (!body.empty()) return fail("extra data in a value");
    return true;
  }

  bool child(std::string_view& rest, int depth) {
    Element e;
    if (!next(rest, e)) return false;
    if (e.type != miMATRIX) return fail("a value inside a value is not an array");
    return matrix(e.data, depth + 1);
  }

  // A top-level element: an array, or a compressed array.
  bool variable(std::string_view& rest) {
    Element e;
    if (!next(rest, e, false)) return false;
    if (e.type == miCOMPRESSED) {
      std::string inflated;
      if (!inflate(e.data, inflated)) return false;
      std::string_view inner(inflated);
      Element m;
      if (!next(inner, m)) return false;
      if (m.type != miMATRIX || !inner.empty()) return fail("a compressed part is not one array");
      return matrix(m.data, 0);
    }
    if (e.type != miMATRIX) return fail("a top-level element is not an array");
    // Uncompressed arrays are padded to 8 bytes like every element.
    const std::size_t pad = Padded(e.data.size()) - e.data.size();
    rest.remove_prefix(std::min(pad, rest.size()));
    return matrix(e.data, 0);
  }

 private:
  bool big_;
  std::size_t inflated_ = 0;
};

}  // namespace

std::optional<std::string> CheckMatBytes(const std::string& bytes) {
  if (bytes.size() < 128) return "it is not a MAT-file (too short)";
  const char* h = bytes.data();
  bool big = false;
  unsigned version = 0;
  if (h[126] == 'I' && h[127] == 'M') {
    version = static_cast<unsigned char>(h[124]) | (static_cast<unsigned char>(h[125]) << 8);
  } else if (h[126] == 'M' && h[127] == 'I') {
    big = true;
    version = (static_cast<unsigned char>(h[124]) << 8) | static_cast<unsigned char>(h[125]);
  } else {
    return "it is not a MAT-file";
  }
  if (version == 0x0200) return "it is a MAT-file of version 7.3, which cannot be read; save it as version 5 or 7";
  if (version != 0x0100) return "it is not a MAT-file of version 5";

  Walker walker(big);
  std::string_view rest(bytes);
  rest.remove_prefix(128);
  while (!rest.empty()) {
    if (!walker.variable(rest)) return walker.problem;
  }
  return std::nullopt;
}

}  // namespace zuv::setupfile
