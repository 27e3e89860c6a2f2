#pragma once

#include <cstddef>
#include <string>

// How the characters of a text are laid out in its bytes, for the code page
// 932 conversions of each platform.

// Length of the well-formed UTF-8 sequence at index (no overlong forms, no
// surrogates, nothing above U+10FFFF); 0 when there is none.
std::size_t utf8SequenceLength(const std::string& text, std::size_t index);

// How many bytes to drop at index when no character starts there: the
// well-formed start of a sequence that breaks off counts as one character.
std::size_t utf8BytesToSkip(const std::string& text, std::size_t index);

// Length of the code page 932 character at index: two bytes for a lead byte
// with a byte after it, one otherwise (the converter judges the pair).
std::size_t cp932CharacterLength(const std::string& text, std::size_t index);
