'use strict';
// Map markers. The part that takes the side colour is exactly 0xFFFF00, the background
// exactly the key 0x0000FF, and a one-pixel dark outline keeps each marker readable on
// any map. Shapes are rasterised without anti-aliasing so only these colours occur.
const { Image, KEY } = require('./image');
const { coverageBox, circle, star, rect, transform, strokeRings, oriented } = require('./raster');

const SIDE = 0xffff00;
const INK = 0x000000;
const SIZE = 24;

function maskOf(rings, rule = 'nonzero') {
  const cov = coverageBox(rings, 0, 0, SIZE, SIZE, { samples: 4, rule });
  return Array.from(cov, (v) => v >= 0.5);
}

const ring = (cx, cy, r0, r1) => [oriented(circle(cx, cy, r0, 48)), oriented(circle(cx, cy, r1, 48)).reverse()];
const around = (pts, rot) => transform(pts, { rot, ox: 12, oy: 12 });
const thick = (a, b, w) => strokeRings([a, b], w, { caps: false });

/** Jagged star with alternating radii, slightly irregular like a blast. */
function burst(rOut, rIn, phase) {
  const jitter = [1, 0.86, 0.97, 0.8, 1, 0.9, 0.84, 0.95, 1, 0.88, 0.92, 0.82];
  const pts = [];
  for (let i = 0; i < 24; i++) {
    const t = (i / 24) * Math.PI * 2 - Math.PI / 2 + phase;
    const r = i % 2 === 0 ? rOut * jitter[(i / 2) % 12] : rIn;
    pts.push([12 + Math.cos(t) * r, 12 + Math.sin(t) * r]);
  }
  return pts;
}

function arc(cx, cy, r, t0, t1, steps = 32) {
  const pts = [];
  for (let i = 0; i <= steps; i++) {
    const t = t0 + ((t1 - t0) * i) / steps;
    pts.push([cx + Math.cos(t) * r, cy + Math.sin(t) * r]);
  }
  return pts;
}

const ARROW = [[12, 2], [22, 12], [16, 12], [16, 22], [8, 22], [8, 12], [2, 12]];

/** Each symbol: fill rings (side colour), optional detail rings (ink inside), fill rule. */
const SHAPES = {
  arrow_up: { fill: [ARROW] },
  arrow_right: { fill: [around(ARROW, Math.PI / 2)] },
  arrow_down: { fill: [around(ARROW, Math.PI)] },
  arrow_left: { fill: [around(ARROW, -Math.PI / 2)] },
  star: { fill: [star(12, 12.8, 10.8, 4.4, 5)] },
  target: {
    fill: [...ring(12, 12, 8.6, 6.2), circle(12, 12, 2.2), rect(11, 1, 2, 6), rect(11, 17, 2, 6), rect(1, 11, 6, 2), rect(17, 11, 6, 2)],
  },
  flag: {
    fill: [rect(4, 2, 2.6, 19), [[6.6, 3], [12, 2.2], [16, 4.6], [21, 3.6], [21, 12.4], [16, 13.6], [12, 11.2], [6.6, 12]], rect(2, 20, 7, 2.5)],
  },
  circle: { fill: ring(12, 12, 10, 6) },
  cross: { fill: [...thick([4, 4], [20, 20], 5), ...thick([20, 4], [4, 20], 5)] },
  explosion: {
    fill: [burst(11.4, 6.2, 0)],
    detail: [star(12, 12, 5, 1.8, 4, -Math.PI / 4)],
  },
  skull: {
    fill: [circle(12, 10, 8.4, 40), rect(7, 13, 10, 8)],
    detail: [circle(8.8, 10.2, 2.2, 16), circle(15.2, 10.2, 2.2, 16), [[12, 12.6], [13.6, 15.4], [10.4, 15.4]], rect(9, 18, 1, 3), rect(11.5, 18, 1, 3), rect(14, 18, 1, 3)],
  },
  warning: {
    fill: [[[12, 1.6], [22.6, 21.6], [1.4, 21.6]]],
    detail: [rect(11, 8, 2, 7.5), rect(11, 17, 2, 2)],
  },
  diamond: {
    fill: [[[12, 1.5], [22.5, 12], [12, 22.5], [1.5, 12]]],
    detail: [[[12, 7], [17, 12], [12, 17], [7, 12]], [[12, 9.2], [14.8, 12], [12, 14.8], [9.2, 12]].reverse()],
  },
  shield: {
    fill: [[[3, 3], [21, 3], [21, 11], [19, 16], [12, 22], [5, 16], [3, 11]]],
    detail: [[[7, 9], [12, 13], [17, 9], [17, 11.6], [12, 15.6], [7, 11.6]]],
  },
  waypoint: {
    fill: [[...arc(12, 9, 7.6, 0.78 * Math.PI, 2.22 * Math.PI), [12, 22.5]]],
    detail: [circle(12, 9, 2.6, 20)],
  },
  objective: {
    fill: [rect(3, 3, 18, 18), rect(7, 7, 10, 10).reverse()],
    detail: [],
  },
};

const CATALOGUE = [
  ['Arrow up', 'arrow_up'], ['Arrow down', 'arrow_down'], ['Arrow left', 'arrow_left'], ['Arrow right', 'arrow_right'],
  ['Star', 'star'], ['Target', 'target'], ['Flag', 'flag'], ['Circle', 'circle'], ['Cross', 'cross'],
  ['Explosion', 'explosion'], ['Skull', 'skull'], ['Warning', 'warning'], ['Diamond', 'diamond'],
  ['Shield', 'shield'], ['Waypoint', 'waypoint'], ['Objective', 'objective'],
];

const SYMBOLS = CATALOGUE.map(([name, id]) => ({ name, id, file: `sym_${id}.png` }));

function renderSymbol(id) {
  const s = SHAPES[id];
  const fill = maskOf(s.fill, s.rule || 'nonzero');
  const detail = s.detail && s.detail.length ? maskOf(s.detail, 'evenodd') : fill.map(() => false);
  const img = new Image(SIZE, SIZE, KEY);
  const at = (m, x, y) => x >= 0 && y >= 0 && x < SIZE && y < SIZE && m[y * SIZE + x];
  for (let y = 0; y < SIZE; y++) {
    for (let x = 0; x < SIZE; x++) {
      if (at(fill, x, y)) {
        img.set(x, y, at(detail, x, y) ? INK : SIDE);
        continue;
      }
      for (let dy = -1; dy <= 1; dy++) for (let dx = -1; dx <= 1; dx++) if (at(fill, x + dx, y + dy)) img.set(x, y, INK);
    }
  }
  return img;
}

module.exports = { SYMBOLS, renderSymbol, SIDE };
