// Tells from the bytes a terminal sent where the first key ends, the way
// careful terminal libraries do: a key is complete by its bytes alone, and
// only a lone Esc or a sequence cut short needs more time to decide.

#ifndef AVTO_KEY_DECODER_H_
#define AVTO_KEY_DECODER_H_

#include <cstddef>
#include <string_view>

// Returns how many of `bytes` the first key takes once those bytes make it
// complete, or 0 while they are only its beginning (a lone Esc, an escape
// sequence without its final byte, a UTF-8 character without all of its
// continuation bytes). Empty input is a key not yet begun, so also 0.
//
// A byte that cannot continue the key ends it just before that byte, so a
// malformed sequence never swallows the key after it.
std::size_t complete_key_length(std::string_view bytes);

#endif  // AVTO_KEY_DECODER_H_
