'use strict';
// Abstract side emblems of our own design, drawn anti-aliased inside panels only.
const { fillRings, circle, star, ellipse } = require('./raster');

function ring(cx, cy, r0, r1) {
  return [circle(cx, cy, r0), circle(cx, cy, r1).reverse()];
}

/** Allied: a ring around a four-pointed compass star. */
function allied(img, cx, cy, r, c) {
  fillRings(img, ring(cx, cy, r, r * 0.84), c);
  fillRings(img, [star(cx, cy, r * 0.74, r * 0.2, 4)], c);
  fillRings(img, [star(cx, cy, r * 0.42, r * 0.14, 4, -Math.PI / 2 + Math.PI / 4)], c);
}

/** Soviet: a toothed wheel around a five-pointed star. */
function soviet(img, cx, cy, r, c) {
  const teeth = 12;
  const gear = [];
  for (let i = 0; i < teeth * 4; i++) {
    const t = (i / (teeth * 4)) * Math.PI * 2;
    const rr = i % 4 < 2 ? r : r * 0.86;
    gear.push([cx + Math.cos(t) * rr, cy + Math.sin(t) * rr]);
  }
  fillRings(img, [gear, circle(cx, cy, r * 0.7).reverse()], c, { rule: 'nonzero' });
  fillRings(img, [star(cx, cy, r * 0.6, r * 0.24, 5)], c);
}

/** Psi: an open eye with a round pupil and three rays above it. */
function psi(img, cx, cy, r, c) {
  const eye = [];
  const n = 40;
  for (let i = 0; i <= n; i++) {
    const t = i / n;
    eye.push([cx - r + 2 * r * t, cy + 0.15 * r - Math.sin(t * Math.PI) * r * 0.55]);
  }
  for (let i = 1; i < n; i++) {
    const t = 1 - i / n;
    eye.push([cx - r + 2 * r * t, cy + 0.15 * r + Math.sin(t * Math.PI) * r * 0.55]);
  }
  const inner = eye.map(([x, y]) => [cx + (x - cx) * 0.8, cy + 0.15 * r + (y - cy - 0.15 * r) * 0.7]);
  fillRings(img, [eye, inner.reverse()], c, { rule: 'nonzero' });
  fillRings(img, [circle(cx, cy + 0.15 * r, r * 0.27)], c);
  for (const a of [-0.5, 0, 0.5]) {
    const ang = -Math.PI / 2 + a;
    const x0 = cx + Math.cos(ang) * r * 0.62, y0 = cy + Math.sin(ang) * r * 0.62;
    fillRings(img, [ellipse(x0, y0 - r * 0.08, r * 0.07, r * 0.22, 12, a)], c);
  }
}

const EMBLEMS = { all: allied, sov: soviet, psy: psi };

function drawEmblem(img, side, cx, cy, r, c) {
  EMBLEMS[side](img, cx, cy, r, c);
}

module.exports = { drawEmblem };
