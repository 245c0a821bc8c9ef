#include "key_decoder.h"

namespace {

constexpr unsigned char kEsc = 0x1B;

bool in_range(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// The continuation bytes a UTF-8 lead byte announces. Anything that is not
// a lead byte (ASCII, a stray continuation byte, 0xC0, 0xC1, 0xF5 to 0xFF)
// stands alone.
std::size_t continuation_count(unsigned char lead) {
  if (in_range(lead, 0xC2, 0xDF)) return 1;
  if (in_range(lead, 0xE0, 0xEF)) return 2;
  if (in_range(lead, 0xF0, 0xF4)) return 3;
  return 0;
}

std::size_t character_length(std::string_view bytes) {
  const std::size_t wanted =
      1 + continuation_count(static_cast<unsigned char>(bytes[0]));
  std::size_t length = 1;
  while (length < wanted) {
    if (length == bytes.size()) return 0;
    if (!in_range(static_cast<unsigned char>(bytes[length]), 0x80, 0xBF)) {
      break;
    }
    ++length;
  }
  return length;
}

// ESC [, then parameter bytes (0x30 to 0x3F), intermediate bytes (0x20 to
// 0x2F) and one final byte (0x40 to 0x7E), as ECMA-48 lays out a control
// sequence: an arrow (ESC [ A), F5 (ESC [ 1 5 ~), a modified key.
std::size_t control_sequence_length(std::string_view bytes) {
  std::size_t length = 2;
  while (length < bytes.size() &&
         in_range(static_cast<unsigned char>(bytes[length]), 0x30, 0x3F)) {
    ++length;
  }
  while (length < bytes.size() &&
         in_range(static_cast<unsigned char>(bytes[length]), 0x20, 0x2F)) {
    ++length;
  }
  if (length == bytes.size()) return 0;
  const bool final_byte =
      in_range(static_cast<unsigned char>(bytes[length]), 0x40, 0x7E);
  return final_byte ? length + 1 : length;
}

}  // namespace

std::size_t complete_key_length(std::string_view bytes) {
  if (bytes.empty()) return 0;
  if (static_cast<unsigned char>(bytes[0]) != kEsc) {
    return character_length(bytes);
  }
  if (bytes.size() == 1) return 0;
  switch (bytes[1]) {
    case '[':
      return control_sequence_length(bytes);
    case 'O':  // ESC O and one byte: F1 to F4, and arrows in keypad mode.
      return bytes.size() < 3 ? 0 : 3;
    case '\x1B':
      return 2;
    default: {
      // Alt held with a key: ESC, then that key's own bytes.
      const std::size_t rest = character_length(bytes.substr(1));
      return rest == 0 ? 0 : 1 + rest;
    }
  }
}
