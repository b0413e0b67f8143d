// The floor the skin decoder is measured against: a plain transliteration of
// the classic LZHUF decoder, as it is usually written over C streams. It
// reads one byte at a time into a 16-bit bit buffer and takes one bit at a
// time, updates the adaptive tree after every symbol, and copies matches
// byte by byte through the ring buffer and a per-byte put. Here the streams
// are memory (a getc over the input, a putc appending to a vector), so the
// comparison measures the decoding, not the C library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velotune::bench {

// Decodes textSize bytes of the LZHUF stream input[0, size); missing input
// reads as zero bits, and the last match stops at textSize.
std::vector<uint8_t> BaselineLzhDecode(const uint8_t* input, size_t size, size_t textSize);

}  // namespace velotune::bench
