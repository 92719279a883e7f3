'use strict';
// A procedural top-down battlefield used as the example screenshot: grassland with
// dirt, a river with a bridge, a road, woods, a hamlet, two groups of tanks, craters
// and smoke. Shadows fall to the lower right.
const { Image, mix, scale, col } = require('./image');
const { fillRings, ellipse, circle, rect, transform, strokeRings, strokePolyline } = require('./raster');
const { fbm, rng } = require('./noise');
const { linear } = require('./gradients');

const C = (s) => col(s);

function river(t) {
  // Centre line as a function of t in 0..1, from the top edge to the bottom edge.
  return [205 + Math.sin(t * 5.2) * 34 - t * 120, -10 + t * 330];
}

function riverPolyline() {
  const pts = [];
  for (let i = 0; i <= 60; i++) pts.push(river(i / 60));
  return pts;
}

function tankTop(img, x, y, rot, hull, turretRot = 0) {
  const T = (pts) => transform(pts, { rot, dx: x, dy: y });
  fillRings(img, [transform(rect(-8, -5.5, 16, 11), { rot, dx: x + 3, dy: y + 3 })], 0x000000, { opacity: 0.35 });
  fillRings(img, [T(rect(-8, -5.5, 16, 2.6)), T(rect(-8, 2.9, 16, 2.6))], C('#22231e'));
  fillRings(img, [T(rect(-7, -3.6, 14, 7.2))], linear(x - 6, y - 6, x + 6, y + 6, scale(hull, 1.25), scale(hull, 0.7)));
  const TT = (pts) => transform(pts, { rot: rot + turretRot, dx: x, dy: y });
  fillRings(img, [TT(rect(2, -0.9, 10, 1.8))], C('#1e1f1a'));
  fillRings(img, [TT(circle(0, 0, 3.6, 16))], linear(x - 3, y - 3, x + 3, y + 3, scale(hull, 1.4), scale(hull, 0.8)));
}

function house(img, x, y, w, h, roof) {
  fillRings(img, [rect(x + 4, y + 4, w, h)], 0x000000, { opacity: 0.4 });
  fillRings(img, [rect(x, y, w, h / 2)], scale(roof, 1.15));
  fillRings(img, [rect(x, y + h / 2, w, h / 2)], scale(roof, 0.75));
  strokePolyline(img, [[x, y + h / 2], [x + w, y + h / 2]], 0.8, scale(roof, 0.5));
}

function tree(img, x, y, r, seed) {
  const g = rng(seed);
  fillRings(img, [circle(x + r * 0.5, y + r * 0.6, r)], 0x000000, { opacity: 0.35 });
  fillRings(img, [circle(x, y, r)], mix(C('#1f3a16'), C('#2e4f1c'), g()));
  fillRings(img, [circle(x - r * 0.3, y - r * 0.3, r * 0.55)], C('#4d7a2c'), { opacity: 0.7 });
}

function renderBattlefield(w = 320, h = 300) {
  const img = new Image(w, h);
  const r = rng(2024);
  // Ground: grass with dirt where a second noise field is high.
  img.fillRectFn(0, 0, w, h, (x, y) => {
    const n = fbm(x, y, 40, 4, 9), d = fbm(x, y, 28, 3, 21), f = fbm(x, y, 4, 2, 33);
    let c = mix(C('#4a6a2a'), C('#6e8a3c'), n);
    if (d > 0.58) c = mix(c, C('#7a6844'), Math.min(1, (d - 0.58) * 8));
    return scale(c, 0.92 + f * 0.16);
  });
  // Field plots in the lower left.
  for (let i = 0; i < 6; i++) {
    const pts = transform(rect(20 + i * 13, 190, 11, 70), { rot: 0.25, ox: 60, oy: 225 });
    fillRings(img, [pts], i % 2 ? C('#8a8a44') : C('#6a7a34'), { opacity: 0.55 });
  }
  // River: sandy banks, water, deeper channel, glints.
  const rp = riverPolyline();
  fillRings(img, strokeRings(rp, 38), C('#a89a6a'), { rule: 'nonzero' });
  fillRings(img, strokeRings(rp, 30), C('#2f5e78'), { rule: 'nonzero' });
  fillRings(img, strokeRings(rp, 16), C('#234a62'), { rule: 'nonzero', opacity: 0.8 });
  for (let i = 0; i < 40; i++) {
    const [cx, cy] = river(r());
    const dx = (r() - 0.5) * 20;
    strokePolyline(img, [[cx + dx, cy], [cx + dx + 4, cy + 1]], 0.8, 0xd8f0ff, { opacity: 0.5 });
  }
  // Road across, with a bridge where it meets the river.
  const road = [[-10, 128], [60, 120], [130, 132], [200, 140], [260, 128], [330, 136]];
  fillRings(img, strokeRings(road, 15), C('#6a5a40'), { rule: 'nonzero' });
  fillRings(img, strokeRings(road, 11), C('#8a7a5a'), { rule: 'nonzero' });
  for (const off of [-2.5, 2.5]) strokePolyline(img, road.map(([x, y]) => [x, y + off]), 1, C('#6a5a40'), { opacity: 0.5 });
  let bx = 0;
  for (let i = 0; i <= 60; i++) {
    const [px, py] = river(i / 60);
    if (Math.abs(py - 134) < 6) bx = px;
  }
  const deck = (dx, dy, ww, hh) => transform(rect(dx - ww / 2, dy - hh / 2, ww, hh), { rot: 0.12, dx: bx, dy: 135 });
  fillRings(img, [deck(4, 4, 54, 20)], 0x000000, { opacity: 0.35 });
  fillRings(img, [deck(0, 0, 54, 20)], linear(0, 125, 0, 145, C('#b4ada0'), C('#77706a')));
  fillRings(img, [deck(0, -9.3, 54, 1.6)], C('#e0dcd0'));
  fillRings(img, [deck(0, 9.3, 54, 1.6)], C('#4a4640'));
  // Woods.
  for (let i = 0; i < 34; i++) tree(img, 18 + r() * 70, 18 + r() * 70, 5 + r() * 4, i);
  for (let i = 0; i < 20; i++) tree(img, 250 + r() * 60, 200 + r() * 80, 5 + r() * 4, 100 + i);
  for (let i = 0; i < 8; i++) tree(img, 240 + r() * 70, 20 + r() * 40, 4 + r() * 3, 200 + i);
  // Hamlet by the road.
  house(img, 250, 150, 22, 16, C('#9a4a36'));
  house(img, 280, 154, 16, 20, C('#8a7a6a'));
  house(img, 262, 98, 26, 18, C('#7a5a4a'));
  house(img, 40, 140, 20, 14, C('#9a4a36'));
  // Craters and scorch marks.
  for (const [cx, cy, cr] of [[120, 70, 7], [150, 210, 9], [90, 160, 6], [180, 60, 5], [210, 240, 7]]) {
    fillRings(img, [circle(cx, cy, cr * 1.9)], C('#2a2418'), { opacity: 0.35 });
    fillRings(img, [circle(cx, cy, cr)], C('#3a3020'));
    fillRings(img, [circle(cx - cr * 0.2, cy - cr * 0.2, cr * 0.7)], C('#1e1a12'));
    fillRings(img, [ellipse(cx + cr * 0.4, cy + cr * 0.5, cr * 0.6, cr * 0.3)], C('#8a7a5a'), { opacity: 0.5 });
  }
  // Two armoured groups: blue-grey from the west, red from the east.
  const blue = C('#5a7890'), red = C('#9a3a2a');
  for (const [x, y, a, t] of [[70, 108, 0.1, 0.1], [96, 150, -0.1, 0.3], [54, 176, 0.2, -0.2], [128, 100, 0.05, 0]]) tankTop(img, x, y, a, blue, t);
  for (const [x, y, a, t] of [[236, 180, Math.PI + 0.2, 0.2], [270, 124, Math.PI - 0.1, -0.3], [218, 84, Math.PI + 0.4, 0.1]]) tankTop(img, x, y, a, red, t);
  // Fire and smoke over a burning tank.
  tankTop(img, 190, 205, 0.8, C('#4a4a44'), 0.6);
  fillRings(img, [circle(190, 203, 5)], C('#ff9a2a'), { opacity: 0.9 });
  fillRings(img, [circle(190, 203, 2.6)], C('#fff2a0'));
  for (let i = 0; i < 7; i++) fillRings(img, [circle(196 + i * 6, 195 - i * 7, 6 + i * 1.6)], C('#2e2e2c'), { opacity: 0.55 - i * 0.06 });
  // Tracer fire between the groups.
  strokePolyline(img, [[140, 100], [205, 86]], 0.8, C('#ffe070'), { opacity: 0.8 });
  fillRings(img, [circle(140, 100, 2.5)], C('#fff4c0'), { opacity: 0.9 });
  // Soft vignette so the picture reads like a camera view.
  img.fillRectFn(0, 0, w, h, (x, y) => {
    const d = Math.hypot((x - w / 2) / w, (y - h / 2) / h);
    return scale(img.get(x, y), 1 - Math.max(0, d - 0.35) * 0.6);
  });
  return img;
}

module.exports = { renderBattlefield };
