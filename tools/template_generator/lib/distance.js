'use strict';
// Exact Euclidean distance transform (Felzenszwalb & Huttenlocher), with optional
// horizontal wrap so distance bands on the world maps continue across the seam.

const INF = 1e20;

function edt1d(f, n, d, v, z) {
  let k = 0;
  v[0] = 0;
  z[0] = -INF;
  z[1] = INF;
  for (let q = 1; q < n; q++) {
    let s = (f[q] + q * q - (f[v[k]] + v[k] * v[k])) / (2 * q - 2 * v[k]);
    while (s <= z[k]) {
      k--;
      s = (f[q] + q * q - (f[v[k]] + v[k] * v[k])) / (2 * q - 2 * v[k]);
    }
    k++;
    v[k] = q;
    z[k] = s;
    z[k + 1] = INF;
  }
  k = 0;
  for (let q = 0; q < n; q++) {
    while (z[k + 1] < q) k++;
    d[q] = (q - v[k]) * (q - v[k]) + f[v[k]];
  }
}

/**
 * Distance in pixels from every pixel to the nearest pixel where target(i) is true.
 * wrapPad > 0 treats the image as horizontally periodic for distances up to wrapPad.
 */
function distanceTo(W, H, target, wrapPad = 0) {
  const P = Math.min(wrapPad, W);
  const EW = W + 2 * P;
  const grid = new Float64Array(EW * H);
  for (let y = 0; y < H; y++) {
    for (let ex = 0; ex < EW; ex++) {
      const x = (((ex - P) % W) + W) % W;
      grid[y * EW + ex] = target(y * W + x) ? 0 : INF;
    }
  }
  const n = Math.max(EW, H);
  const f = new Float64Array(n), d = new Float64Array(n), v = new Int32Array(n), z = new Float64Array(n + 1);
  for (let x = 0; x < EW; x++) {
    for (let y = 0; y < H; y++) f[y] = grid[y * EW + x];
    edt1d(f, H, d, v, z);
    for (let y = 0; y < H; y++) grid[y * EW + x] = d[y];
  }
  const out = new Float32Array(W * H);
  for (let y = 0; y < H; y++) {
    for (let x = 0; x < EW; x++) f[x] = grid[y * EW + x];
    edt1d(f, EW, d, v, z);
    for (let x = 0; x < W; x++) out[y * W + x] = Math.sqrt(d[x + P]);
  }
  return out;
}

module.exports = { distanceTo };
