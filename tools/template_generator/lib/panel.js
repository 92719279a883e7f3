'use strict';
// Bevelled metal panels for the interface frames. Panels are built as a binary mask
// so their edges are crisp: a frame pixel is either exactly the transparent key or a
// clearly different colour, never a blend towards the key.
const { mix, scale } = require('./image');
const { coverageBox } = require('./raster');
const { hash2 } = require('./noise');

class Mask {
  constructor(w, h) {
    this.w = w;
    this.h = h;
    this.bits = new Uint8Array(w * h);
  }

  has(x, y) {
    return x >= 0 && y >= 0 && x < this.w && y < this.h && this.bits[y * this.w + x] === 1;
  }

  /** Adds (or with erase removes) the pixels whose centre lies inside the rings. */
  add(rings, erase = false) {
    const cov = coverageBox(rings, 0, 0, this.w, this.h, { samples: 1, rule: 'nonzero' });
    for (let i = 0; i < cov.length; i++) if (cov[i] >= 0.5) this.bits[i] = erase ? 0 : 1;
    return this;
  }

  addRect(x, y, w, h, erase = false) {
    for (let yy = Math.max(0, y); yy < Math.min(this.h, y + h); yy++)
      for (let xx = Math.max(0, x); xx < Math.min(this.w, x + w); xx++) this.bits[yy * this.w + xx] = erase ? 0 : 1;
    return this;
  }

  forEach(fn) {
    for (let y = 0; y < this.h; y++) for (let x = 0; x < this.w; x++) if (this.bits[y * this.w + x]) fn(x, y);
  }
}

/**
 * Paints brushed metal over the mask: a vertical light-to-dark ramp between yTop and
 * yBottom with fine horizontal streaks, then a two-pixel bevel (light towards the
 * upper left, dark towards the lower right) and a one-pixel dark outline outside.
 */
function metal(img, mask, t, { yTop = 0, yBottom = img.height, seed = 1, outline = true, bevel = 2 } = {}) {
  mask.forEach((x, y) => {
    const v = Math.min(1, Math.max(0, (y - yTop) / Math.max(1, yBottom - yTop)));
    let c = mix(t.metalLight, t.metalDark, v);
    const streak = (hash2(Math.floor(x / 9), y, seed) - 0.5) * 0.06 + (hash2(x, y, seed + 1) - 0.5) * 0.03;
    c = scale(c, 1 + streak);
    img.set(x, y, c);
  });
  bevelMask(img, mask, t.edgeLight, t.edgeDark, bevel);
  if (outline) outlineMask(img, mask, t.outline);
}

function bevelMask(img, mask, light, dark, width = 2) {
  mask.forEach((x, y) => {
    for (let d = 1; d <= width; d++) {
      const a = d === 1 ? 0.85 : 0.4;
      if (!mask.has(x, y - d) || !mask.has(x - d, y)) {
        img.blend(x, y, light, a);
        break;
      }
      if (!mask.has(x, y + d) || !mask.has(x + d, y)) {
        img.blend(x, y, dark, a);
        break;
      }
    }
  });
}

/** Marks the pixels just outside the mask (8-neighbourhood) with colour c. */
function outlineMask(img, mask, c) {
  for (let y = 0; y < mask.h; y++) {
    for (let x = 0; x < mask.w; x++) {
      if (mask.has(x, y)) continue;
      let near = false;
      for (let dy = -1; dy <= 1 && !near; dy++) for (let dx = -1; dx <= 1; dx++) if (mask.has(x + dx, y + dy)) near = true;
      if (near) img.set(x, y, c);
    }
  }
}

/**
 * A recessed well (the inverse of a raised panel): dark rim top-left, light rim
 * bottom-right, around the rectangle (x, y, w, h) which is left untouched.
 */
function inset(img, x, y, w, h, t, depth = 3) {
  for (let d = 1; d <= depth; d++) {
    const a = 1 - (d - 1) / (depth + 1);
    for (let xx = x - d; xx < x + w + d; xx++) {
      img.blend(xx, y - d, t.wellDark, a);
      img.blend(xx, y + h - 1 + d, t.edgeLight, a * 0.7);
    }
    for (let yy = y - d + 1; yy < y + h + d - 1; yy++) {
      img.blend(x - d, yy, t.wellDark, a);
      img.blend(x + w - 1 + d, yy, t.edgeLight, a * 0.7);
    }
  }
}

/** Small round rivet with a highlight. */
function rivet(img, x, y, t) {
  img.set(x, y, t.edgeLight);
  img.set(x + 1, y, t.metalLight);
  img.set(x, y + 1, t.metalLight);
  img.set(x + 1, y + 1, t.outline);
  img.set(x + 2, y + 1, t.edgeDark);
  img.set(x + 1, y + 2, t.edgeDark);
  img.set(x + 2, y + 2, t.outline);
}

/** A row of vent slots. */
function grille(img, x, y, n, t, { w = 2, h = 10, gap = 3 } = {}) {
  for (let i = 0; i < n; i++) {
    const xx = x + i * (w + gap);
    img.fillRect(xx, y, w, h, t.wellDark);
    for (let yy = y; yy < y + h; yy++) img.set(xx + w, yy, t.edgeLight);
  }
}

/** Status lamp: a 4 x 4 glowing square with a hot centre. */
function lamp(img, x, y, c, on = true) {
  const base = on ? c : scale(c, 0.35);
  img.fillRect(x, y, 4, 4, scale(base, 0.75));
  img.fillRect(x + 1, y + 1, 2, 2, on ? mix(c, 0xffffff, 0.55) : base);
}

module.exports = { Mask, metal, bevelMask, outlineMask, inset, rivet, grille, lamp };
