/* The one translation unit that holds stb_image and stb_image_write. */
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_ONLY_GIF
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_MAX_DIMENSIONS 16384
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

/* The format stb_image will decode these bytes as, found by its own tests in its own order,
   so the checks before decoding look at the format the decoder really uses:
   0 none, 1 PNG, 2 BMP, 3 GIF, 4 JPEG, 5 TGA (the order of ImageFormat). */
int vantorel_stbi_format(const unsigned char* data, int size) {
  stbi__context s;
  stbi__start_mem(&s, data, size);
  if (stbi__png_test(&s)) return 1;
  if (stbi__bmp_test(&s)) return 2;
  if (stbi__gif_test(&s)) return 3;
  if (stbi__jpeg_test(&s)) return 4;
  if (stbi__tga_test(&s)) return 5;
  return 0;
}
