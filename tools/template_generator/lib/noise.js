'use strict';
// Seeded randomness only: every picture must come out byte-identical on each run.

/** mulberry32: small, fast, good enough for texture; returns floats in [0, 1). */
function rng(seed) {
  let a = seed >>> 0;
  return function next() {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

function hash2(ix, iy, seed) {
  let h = Math.imul(ix, 374761393) ^ Math.imul(iy, 668265263) ^ Math.imul(seed, 2246822519);
  h = Math.imul(h ^ (h >>> 13), 1274126177);
  h ^= h >>> 16;
  return (h >>> 0) / 4294967296;
}

const smooth = (t) => t * t * (3 - 2 * t);

/**
 * Value noise in 0..1 on a lattice of cell size `cell` pixels. With periodX (in cells)
 * the noise repeats horizontally, so textures on the world maps tile seamlessly.
 */
function valueNoise(x, y, cell, seed, periodX = 0) {
  const fx = x / cell, fy = y / cell;
  const ix = Math.floor(fx), iy = Math.floor(fy);
  const tx = smooth(fx - ix), ty = smooth(fy - iy);
  const wrap = (i) => (periodX ? ((i % periodX) + periodX) % periodX : i);
  const a = hash2(wrap(ix), iy, seed), b = hash2(wrap(ix + 1), iy, seed);
  const c = hash2(wrap(ix), iy + 1, seed), d = hash2(wrap(ix + 1), iy + 1, seed);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

/** Fractal sum of octaves, normalised to 0..1. periodPx (image width) keeps it tileable. */
function fbm(x, y, cell, octaves, seed, periodPx = 0) {
  let sum = 0, amp = 1, norm = 0, c = cell;
  for (let o = 0; o < octaves; o++) {
    const period = periodPx ? Math.round(periodPx / c) : 0;
    const cc = period ? periodPx / period : c;
    sum += valueNoise(x, y, cc, seed + o * 101, period) * amp;
    norm += amp;
    amp *= 0.5;
    c /= 2;
  }
  return sum / norm;
}

module.exports = { rng, hash2, valueNoise, fbm };
