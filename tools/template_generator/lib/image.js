'use strict';
// RGB raster used by every generator step. Colours are plain integers 0xRRGGBB so
// they compare exactly with the program's 0x00RRGGBB pixels (the transparent key
// 0x0000FF must survive the round trip through PNG unchanged).
const fs = require('fs');
const { PNG } = require('pngjs');

const KEY = 0x0000ff;

const red = (c) => (c >> 16) & 255;
const green = (c) => (c >> 8) & 255;
const blue = (c) => c & 255;
const clamp255 = (v) => (v < 0 ? 0 : v > 255 ? 255 : Math.round(v));
const rgb = (r, g, b) => (clamp255(r) << 16) | (clamp255(g) << 8) | clamp255(b);

/** Linear blend between two colours, t in 0..1 (0 gives a, 1 gives b). */
function mix(a, b, t) {
  return rgb(red(a) + (red(b) - red(a)) * t, green(a) + (green(b) - green(a)) * t, blue(a) + (blue(b) - blue(a)) * t);
}

/** Multiplies the channels by f (f > 1 brightens, clamped). */
function scale(c, f) {
  return rgb(red(c) * f, green(c) * f, blue(c) * f);
}

/** Parses '#rrggbb' or returns an integer colour unchanged. */
function col(v) {
  return typeof v === 'string' ? parseInt(v.replace('#', ''), 16) : v;
}

class Image {
  constructor(width, height, fill = 0) {
    this.width = width;
    this.height = height;
    this.data = new Uint8ClampedArray(width * height * 3);
    if (fill) this.fill(fill);
  }

  inside(x, y) {
    return x >= 0 && y >= 0 && x < this.width && y < this.height;
  }

  get(x, y) {
    const i = (y * this.width + x) * 3;
    return (this.data[i] << 16) | (this.data[i + 1] << 8) | this.data[i + 2];
  }

  set(x, y, c) {
    if (!this.inside(x, y)) return;
    const i = (y * this.width + x) * 3;
    this.data[i] = (c >> 16) & 255;
    this.data[i + 1] = (c >> 8) & 255;
    this.data[i + 2] = c & 255;
  }

  /** Blends colour c over the pixel with opacity a (0..1); outside pixels are ignored. */
  blend(x, y, c, a) {
    if (a <= 0 || !this.inside(x, y)) return;
    if (a >= 1) return this.set(x, y, c);
    const i = (y * this.width + x) * 3;
    const d = this.data;
    d[i] += (((c >> 16) & 255) - d[i]) * a;
    d[i + 1] += (((c >> 8) & 255) - d[i + 1]) * a;
    d[i + 2] += ((c & 255) - d[i + 2]) * a;
  }

  fill(c) {
    this.fillRect(0, 0, this.width, this.height, c);
  }

  fillRect(x, y, w, h, c) {
    const x0 = Math.max(0, x), y0 = Math.max(0, y);
    const x1 = Math.min(this.width, x + w), y1 = Math.min(this.height, y + h);
    for (let yy = y0; yy < y1; yy++) for (let xx = x0; xx < x1; xx++) this.set(xx, yy, c);
  }

  /** Fills a rectangle with colourFn(x, y) evaluated per pixel. */
  fillRectFn(x, y, w, h, fn) {
    const x0 = Math.max(0, x), y0 = Math.max(0, y);
    const x1 = Math.min(this.width, x + w), y1 = Math.min(this.height, y + h);
    for (let yy = y0; yy < y1; yy++) for (let xx = x0; xx < x1; xx++) this.set(xx, yy, fn(xx, yy));
  }

  clone() {
    const out = new Image(this.width, this.height);
    out.data.set(this.data);
    return out;
  }

  crop(x, y, w, h) {
    const out = new Image(w, h);
    for (let yy = 0; yy < h; yy++) for (let xx = 0; xx < w; xx++) out.set(xx, yy, this.get(x + xx, y + yy));
    return out;
  }

  /** Copies src at (x, y); with a key, pixels of exactly that value are skipped. */
  paste(src, x, y, key = -1) {
    for (let yy = 0; yy < src.height; yy++) {
      for (let xx = 0; xx < src.width; xx++) {
        const c = src.get(xx, yy);
        if (c !== key) this.set(x + xx, y + yy, c);
      }
    }
  }

  /** Replaces every pixel of exactly colour `from` with `to`. */
  replace(from, to) {
    for (let y = 0; y < this.height; y++) for (let x = 0; x < this.width; x++) if (this.get(x, y) === from) this.set(x, y, to);
  }

  count(c) {
    let n = 0;
    for (let y = 0; y < this.height; y++) for (let x = 0; x < this.width; x++) if (this.get(x, y) === c) n++;
    return n;
  }

  /** Encodes as 8-bit RGB PNG. pngjs writes no time chunk, so equal pixels give equal bytes. */
  toPngBuffer() {
    const png = new PNG({ width: this.width, height: this.height });
    const n = this.width * this.height;
    for (let i = 0; i < n; i++) {
      png.data[i * 4] = this.data[i * 3];
      png.data[i * 4 + 1] = this.data[i * 3 + 1];
      png.data[i * 4 + 2] = this.data[i * 3 + 2];
      png.data[i * 4 + 3] = 255;
    }
    return PNG.sync.write(png, { colorType: 2, inputColorType: 6, deflateLevel: 9 });
  }

  save(path) {
    fs.writeFileSync(path, this.toPngBuffer());
  }

  static load(path) {
    const png = PNG.sync.read(fs.readFileSync(path));
    const img = new Image(png.width, png.height);
    const n = png.width * png.height;
    for (let i = 0; i < n; i++) {
      img.data[i * 3] = png.data[i * 4];
      img.data[i * 3 + 1] = png.data[i * 4 + 1];
      img.data[i * 3 + 2] = png.data[i * 4 + 2];
    }
    img.alphaMin = 255;
    for (let i = 0; i < n; i++) img.alphaMin = Math.min(img.alphaMin, png.data[i * 4 + 3]);
    return img;
  }
}

module.exports = { Image, KEY, rgb, mix, scale, col, red, green, blue, clamp255 };
