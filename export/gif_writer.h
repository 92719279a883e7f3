// GIF files: one 8-bit frame whose 256-colour palette the octree quantizer builds from the
// picture, each pixel mapped to its nearest entry as the SHP export maps them (no
// dithering). Written with giflib.
#pragma once

#include <vector>

// Packed 8-bit RGB rows (width * 3 bytes each, top row first) as a GIF file's bytes,
// appended to `bytes`. False, with `bytes` as it came, when out of memory or giflib failed.
bool EncodeGif(int width, int height, const unsigned char* rgb, std::vector<unsigned char>& bytes);

// Makes ".gif" a format SaveImageFile writes (image_lib.h). Called once at start-up by the
// programs that link this layer.
void EnableGifWriting();
