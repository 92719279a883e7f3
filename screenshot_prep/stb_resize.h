// stb's image resize, behind one C function so that only stb_resize.c sees the library.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// stbir_resize_uint8_srgb with packed rows of 3 channels, no alpha channel, flags 0 and the
// default filter. Returns 1 on success, 0 when its working memory cannot be had.
int ResizeRgbSrgb(const unsigned char* input, int inputWidth, int inputHeight, unsigned char* output, int outputWidth,
                  int outputHeight);

#ifdef __cplusplus
}
#endif
