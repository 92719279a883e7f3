// What a file holds, told by its content whatever its name: the games' formats the tool reads
// (PAL, SHP, MIX), and in words for a message, the image formats and text as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class FileKind { kPal, kShp, kMix, kOther };

// kPal for exactly 768 bytes with every value 0..63, tried first: a palette's bytes can
// also pass for a small SHP sprite's header. Then kShp for bytes ParseShp accepts, kMix for
// an archive whose index holds together and that ends where its body does (or an encrypted
// one), kOther for anything else.
FileKind KindOfContent(const std::uint8_t* data, std::size_t size);

// The content in words: "a PAL palette", "an SHP sprite", "a MIX archive", "a PNG image
// (800 x 600)" (BMP, GIF, JPEG, TGA likewise), "UTF-16 text", "text", "an empty file";
// empty when it is none of these.
std::string DescribeContent(const std::uint8_t* data, std::size_t size);
