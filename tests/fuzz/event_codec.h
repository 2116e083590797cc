#pragma once

// Arbitrary bytes <-> user gestures, for the event fuzzer. Every byte string decodes to some
// sequence; the encoder writes the seed corpus from the golden scenarios.
//
// One gesture per leading byte b:
//   b % 8 == 0 or 3  choose: picker byte, index byte (mod 112)
//   b % 8 == 1       type into a picker: picker byte, then a text
//   b % 8 == 2       type into the count field: a text
//   b % 8 == 4..7    click SearchButton, AddButton, UndoButton, ResetButton
//   b == 254         a burst of Adds: n byte, element byte, count text; then n + 1 times
//                    choose the element (stepping through the table) and Add with that count
//   b == 255         a burst of Undos: n byte; 8 * (n + 1) Undos
// The bursts reach and pass the 1000-entry limit in a few bytes; being two byte values only,
// they stay rare in mutated input, where long sequences would slow every run.
// A picker byte selects NumberPicker, NamePicker, SymbolPicker by % 3. A text is a length
// byte L and L bytes; L = 255 is followed by one more byte m and the text is 255 + 16 * m
// bytes long. Input that ends early ends the sequence.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/support/gesture.h"

namespace zerkan::fuzz {

// At most this many gestures are decoded, so that one input stays quick.
inline constexpr std::size_t kMaxDecodedEvents = 6000;

std::vector<test::Gesture> DecodeEvents(const std::uint8_t* data, std::size_t size);
// Texts longer than the format carries are cut.
std::vector<std::uint8_t> EncodeEvents(const std::vector<test::Gesture>& events);

}  // namespace zerkan::fuzz
