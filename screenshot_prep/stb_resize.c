/* The one translation unit that holds stb_image_resize. */
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#include "stb_resize.h"

int ResizeRgbSrgb(const unsigned char* input, int inputWidth, int inputHeight, unsigned char* output, int outputWidth,
                  int outputHeight) {
  return stbir_resize_uint8_srgb(input, inputWidth, inputHeight, 0, output, outputWidth, outputHeight, 0, 3,
                                 STBIR_ALPHA_CHANNEL_NONE, 0);
}
