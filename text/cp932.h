#pragma once

#include <string>

// The system's texts are code page 932 bytes; the window shows UTF-8.
// Neither conversion fails: bytes that do not convert are replaced, so a
// damaged text still shows what it can.

// Bytes that are not valid code page 932 become U+FFFD.
std::string cp932ToUtf8(const std::string& cp932);

// Characters that code page 932 lacks, and bytes that are not valid UTF-8,
// become '?'.
std::string utf8ToCp932(const std::string& utf8);

// For texts that may join the system's code page 932 texts with file paths,
// which on Linux are the UTF-8 bytes the file system gives (e.g. "a.csv → b.csv"
// with a code page 932 arrow). Decoded character by character: a valid UTF-8
// multi-byte sequence is taken as UTF-8, everything else as code page 932.
// The system's own texts never contain a valid UTF-8 sequence (their
// non-ASCII characters lead with 0x81), so they always decode as code page 932.
std::string mixedTextToUtf8(const std::string& text);
