'use strict';
// Unit icons (cameos) of our own design, 76 x 60, opaque: a scene backdrop, the unit
// drawn from shaded polygons lit from the upper left, a bevel and a name strip.
const { Image, KEY, mix, scale, col } = require('./image');
const { fillRings, ellipse, circle, rect, roundRect, transform, strokePolyline } = require('./raster');
const { linear } = require('./gradients');
const { drawTextCentered } = require('./font');
const { rng } = require('./noise');
const { CAMEO } = require('./layout');

const W = CAMEO.w, H = CAMEO.h;
const C = (s) => col(s);

// Palettes: each part gets a light and a dark tone for its vertical ramp.
const OLIVE = [C('#9aa17e'), C('#474d36')];
const OLIVE_DARK = [C('#6c7358'), C('#2c3020')];
const STEEL = [C('#aab4be'), C('#48525c')];
const NAVY = [C('#98a4ae'), C('#3a444e')];
const TRACK = [C('#4a4a44'), C('#1a1a18')];
const GLASS = [C('#bfe4ff'), C('#2d5a80')];
const SKIN = [C('#e0b08a'), C('#9a6a4c')];
const DARK = C('#14150f');

/** Small drawing context: shapes filled with a vertical ramp over their own height. */
function pen(img) {
  const ramp = (pts, tones) => {
    if (!Array.isArray(tones)) return tones;
    let y0 = Infinity, y1 = -Infinity;
    for (const p of pts) {
      y0 = Math.min(y0, p[1]);
      y1 = Math.max(y1, p[1]);
    }
    return linear(0, y0, 0, y1, tones[0], tones[1]);
  };
  return {
    poly: (pts, tones, o) => fillRings(img, [pts], ramp(pts, tones), o),
    ell: (cx, cy, rx, ry, tones, o = {}) => {
      const pts = ellipse(cx, cy, rx, ry, 0, o.rot || 0);
      fillRings(img, [pts], ramp(pts, tones), o);
    },
    rect: (x, y, w, h, tones, o) => fillRings(img, [rect(x, y, w, h)], ramp(rect(x, y, w, h), tones), o),
    rrect: (x, y, w, h, r, tones, o) => {
      const pts = roundRect(x, y, w, h, r);
      fillRings(img, [pts], ramp(pts, tones), o);
    },
    line: (pts, width, c, o = {}) => strokePolyline(img, pts, width, c, o),
    shadow: (cx, cy, rx, ry) => fillRings(img, [ellipse(cx, cy, rx, ry)], 0x000000, { opacity: 0.45 }),
  };
}

// ---- backdrops ----

function groundScene(img, seed) {
  const r = rng(seed);
  img.fillRectFn(0, 0, W, H, (x, y) => (y < 30 ? mix(C('#2c3a48'), C('#55636a'), y / 30) : mix(C('#4e5240'), C('#22241a'), (y - 30) / 30)));
  for (let i = 0; i < 60; i++) {
    const x = Math.floor(r() * W), y = 31 + Math.floor(r() * 29);
    img.blend(x, y, r() < 0.5 ? 0x000000 : 0xffffff, 0.12);
  }
  fillRings(img, [ellipse(38, 30, 40, 2)], C('#8a9690'), { opacity: 0.35 });
}

function skyScene(img, seed) {
  const r = rng(seed);
  img.fillRectFn(0, 0, W, H, (x, y) => mix(C('#2f5478'), C('#9cbcd4'), y / H));
  for (let i = 0; i < 5; i++) {
    const cx = r() * W, cy = 14 + r() * 40, rx = 8 + r() * 12;
    fillRings(img, [ellipse(cx, cy, rx, rx * 0.35)], 0xffffff, { opacity: 0.22 });
    fillRings(img, [ellipse(cx + rx * 0.4, cy - 2, rx * 0.6, rx * 0.3)], 0xffffff, { opacity: 0.18 });
  }
}

function seaScene(img, seed) {
  const r = rng(seed);
  img.fillRectFn(0, 0, W, H, (x, y) => (y < 26 ? mix(C('#3c5e7e'), C('#8eaec4'), y / 26) : mix(C('#2a5a78'), C('#0c2234'), (y - 26) / 34)));
  for (let i = 0; i < 26; i++) {
    const x = r() * W, y = 28 + r() * 30, len = 3 + r() * 8;
    strokePolyline(img, [[x, y], [x + len, y]], 1, 0xd8f0ff, { opacity: 0.18 + r() * 0.2 });
  }
}

function padScene(img, seed) {
  groundScene(img, seed);
  fillRings(img, [[[6, 48], [14, 40], [70, 40], [70, 48]]], linear(0, 40, 0, 48, C('#77786c'), C('#45463c')));
  for (let x = 18; x < 70; x += 10) strokePolyline(img, [[x, 40.5], [x - 4, 47.5]], 0.7, 0x000000, { opacity: 0.3 });
}

// ---- units ----

function tracks(p, x, y, w, h) {
  p.rrect(x, y, w, h, h / 2, TRACK);
  const n = Math.max(3, Math.round(w / 9));
  for (let i = 0; i < n; i++) {
    const cx = x + h / 2 + (i * (w - h)) / (n - 1);
    p.ell(cx, y + h / 2, h / 2 - 1.6, h / 2 - 1.6, [C('#7e7e74'), C('#30302a')]);
    p.ell(cx, y + h / 2, 1.2, 1.2, DARK);
  }
  p.line([[x + h / 2, y + 0.6], [x + w - h / 2, y + 0.6]], 0.8, C('#8a8a80'), { opacity: 0.7 });
}

function tank(img) {
  groundScene(img, 1);
  const p = pen(img);
  p.shadow(38, 47, 32, 3.5);
  tracks(p, 7, 34, 60, 12);
  p.poly([[5, 34], [11, 27], [60, 27], [70, 32], [66, 36], [7, 36]], OLIVE);
  p.line([[12, 29], [60, 29]], 0.6, C('#c8cfb0'), { opacity: 0.5 });
  p.poly([[22, 27], [27, 19], [47, 18], [54, 22], [54, 27]], OLIVE);
  p.rect(52, 20.5, 19, 2.6, OLIVE_DARK);
  p.rect(68, 19.6, 5, 4.4, OLIVE_DARK);
  p.ell(36, 18.6, 5, 1.6, OLIVE_DARK);
  p.line([[30, 19], [25, 5]], 0.6, DARK);
  p.line([[27, 20.5], [45, 20]], 0.7, C('#d4dabc'), { opacity: 0.5 });
}

function apc(img) {
  groundScene(img, 2);
  const p = pen(img);
  p.shadow(38, 47, 32, 3.5);
  p.poly([[6, 38], [10, 26], [52, 25], [68, 32], [70, 38]], STEEL);
  p.line([[11, 28], [52, 27]], 0.6, 0xffffff, { opacity: 0.4 });
  for (const x of [16, 29, 46, 59]) {
    p.ell(x, 41, 6, 6, [C('#3a3a36'), C('#121210')]);
    p.ell(x, 41, 2.6, 2.6, [C('#8a8a84'), C('#3c3c38')]);
  }
  p.poly([[30, 25], [33, 19], [44, 19], [46, 25]], STEEL);
  p.rect(44, 20.5, 18, 1.8, C('#2a3036'));
  p.rect(14, 29, 5, 3, GLASS);
  p.rect(22, 29, 5, 3, GLASS);
}

function artillery(img) {
  groundScene(img, 3);
  const p = pen(img);
  p.shadow(36, 47, 32, 3.5);
  tracks(p, 6, 34, 58, 12);
  p.poly([[4, 34], [8, 28], [58, 28], [66, 34], [64, 36], [6, 36]], OLIVE);
  p.poly([[14, 28], [16, 16], [44, 15], [48, 28]], OLIVE);
  const barrel = transform([[0, -1.7], [40, -1.2], [40, 1.2], [0, 1.7]], { rot: -0.5, dx: 42, dy: 20 });
  p.poly(barrel, OLIVE_DARK);
  const tip = transform([[40, 0]], { rot: -0.5, dx: 42, dy: 20 })[0];
  p.ell(tip[0], tip[1], 3, 3, C('#2c3020'));
  fillRings(img, [circle(tip[0] + 2, tip[1] - 5, 4)], 0xe8e4dc, { opacity: 0.4 });
  fillRings(img, [circle(tip[0] - 3, tip[1] - 8, 3)], 0xe8e4dc, { opacity: 0.3 });
  p.line([[17, 18], [42, 17]], 0.7, C('#d4dabc'), { opacity: 0.5 });
}

function truck(img) {
  groundScene(img, 4);
  const p = pen(img);
  p.shadow(38, 47, 33, 3.5);
  p.rect(6, 36, 62, 4, C('#24241f'));
  p.rect(7, 16, 42, 21, [C('#c89a4a'), C('#6a4a1e')]);
  for (let x = 11; x < 48; x += 6) p.line([[x, 17], [x, 36]], 0.7, C('#4a3414'), { opacity: 0.6 });
  p.line([[8, 17], [48, 17]], 0.8, C('#f0d090'), { opacity: 0.6 });
  p.poly([[51, 20], [62, 20], [69, 29], [70, 39], [51, 39]], OLIVE);
  p.poly([[55, 22], [61, 22], [66, 29], [55, 29]], GLASS);
  p.rect(66, 33, 4, 2, C('#ffe89a'));
  for (const x of [16, 30, 60]) {
    p.ell(x, 41, 5.5, 5.5, [C('#3a3a36'), C('#121210')]);
    p.ell(x, 41, 2.2, 2.2, [C('#9a9a90'), C('#44443e')]);
  }
}

/** A soldier facing right, about 36 px tall at s = 1, feet at (0, 0). */
function soldier(img, ox, oy, s, { helmet = OLIVE_DARK, suit = OLIVE, gun = 'rifle', hat = 'helmet', shade = 1 } = {}) {
  const p = pen(img);
  const T = (pts) => transform(pts, { sx: s, sy: s, dx: ox, dy: oy });
  const tone = (t) => (Array.isArray(t) ? t.map((c) => scale(c, shade)) : scale(t, shade));
  p.poly(T([[-6, -14], [-2, -14], [-3, 0], [-8, 0]]), tone(suit));
  p.poly(T([[0, -14], [4, -14], [8, 0], [3, 0]]), tone(suit));
  p.rect(...T([[-9, -1.6]])[0], 6.5 * s, 1.8 * s, tone(DARK));
  p.rect(...T([[2.5, -1.6]])[0], 6.5 * s, 1.8 * s, tone(DARK));
  p.poly(T([[-7, -29], [5, -29], [6, -13], [-7, -13]]), tone(suit));
  p.poly(T([[-6, -27], [4, -27], [4, -24], [-6, -24]]), tone(OLIVE_DARK), { opacity: 0.6 });
  p.ell(...T([[0, -33]])[0], 4 * s, 4.3 * s, tone(SKIN));
  if (hat === 'helmet') p.poly(T([[-5, -34], [-3.5, -38.5], [3.5, -38.5], [5.5, -34], [6.5, -33]]), tone(helmet));
  if (hat === 'beret') p.poly(T([[-5, -35], [-3, -38], [4, -38.5], [6, -36], [5, -34.5]]), tone([C('#b83a2a'), C('#5a140c')]));
  if (hat === 'hardhat') p.poly(T([[-5, -34], [-3.5, -38.5], [3.5, -38.5], [5.5, -34], [7, -33.5]]), tone([C('#ffd84a'), C('#b07a10')]));
  p.poly(T([[-3, -27], [3, -27], [10, -21], [8, -19]]), tone(suit));
  if (gun === 'rifle') {
    p.poly(T([[-6, -22], [22, -23], [22, -21], [-6, -19.5]]), tone(C('#1c1c18')));
    p.rect(...T([[6, -21]])[0], 2 * s, 4 * s, tone(C('#1c1c18')));
  } else if (gun === 'heavy') {
    p.poly(T([[-8, -23], [24, -24], [24, -20], [-8, -19]]), tone(C('#1c1c18')));
    p.rect(...T([[4, -20]])[0], 4 * s, 6 * s, tone(C('#2c2c26')));
    p.line(T([[-5, -28], [4, -14]]), 1.4 * s, tone(C('#6a5a30')));
  } else if (gun === 'wrench') {
    p.line(T([[8, -20], [16, -30]]), 1.6 * s, tone(C('#b8bcc0')));
    p.ell(...T([[16.5, -31]])[0], 2.4 * s, 2.4 * s, tone(C('#b8bcc0')));
    p.rect(...T([[-12, -16]])[0], 7 * s, 5 * s, tone([C('#d04030'), C('#6a1a10')]));
  }
}

function infantry(img) {
  groundScene(img, 5);
  const p = pen(img);
  p.shadow(34, 48, 26, 3);
  soldier(img, 22, 44, 0.8, { shade: 0.7 });
  soldier(img, 52, 45, 0.8, { shade: 0.7 });
  soldier(img, 36, 49, 1.0);
}

function commando(img) {
  groundScene(img, 6);
  const p = pen(img);
  p.shadow(36, 49, 18, 3);
  soldier(img, 34, 50, 1.15, { hat: 'beret', suit: [C('#5a5a4e'), C('#24241e')], gun: 'heavy' });
}

function engineer(img) {
  groundScene(img, 7);
  const p = pen(img);
  p.shadow(36, 49, 18, 3);
  soldier(img, 36, 50, 1.12, { hat: 'hardhat', suit: [C('#8a8e94'), C('#3c4046')], gun: 'wrench' });
}

function jet(img) {
  skyScene(img, 8);
  const p = pen(img);
  for (let i = 0; i < 4; i++) p.line([[0, 22 + i * 5], [16 - i * 3, 22 + i * 5]], 0.8, 0xffffff, { opacity: 0.35 });
  p.poly([[26, 31], [44, 31], [22, 45], [14, 45]], [C('#6a7682'), C('#343c44')]);
  p.poly([[8, 29], [18, 26], [50, 25], [64, 26.5], [74, 29], [64, 31.5], [50, 33], [18, 33]], STEEL);
  p.poly([[10, 28], [17, 26], [13, 12], [7, 12]], STEEL);
  p.ell(52, 25, 8, 3.2, GLASS);
  p.poly([[30, 29], [46, 29], [36, 22], [30, 22]], [C('#c0c8d0'), C('#6a747e')], { opacity: 0.9 });
  p.poly([[9, 27.5], [1, 30], [9, 32.5]], [C('#fff2a0'), C('#ff7020')]);
  p.ell(8.5, 30, 1.6, 2.2, C('#fffbe0'));
  p.line([[18, 27], [62, 26.5]], 0.6, 0xffffff, { opacity: 0.5 });
}

function helicopter(img) {
  skyScene(img, 9);
  const p = pen(img);
  p.poly([[24, 27], [6, 23], [6, 27], [24, 33]], OLIVE);
  p.poly([[4, 15], [9, 15], [11, 27], [6, 27]], OLIVE);
  fillRings(img, [circle(7, 21, 6)], 0xdfe6ea, { opacity: 0.25 });
  p.ell(41, 31, 18, 9, OLIVE);
  p.poly([[54, 25], [66, 29], [64, 35], [54, 38]], OLIVE);
  p.ell(52, 28, 8, 5, GLASS);
  p.rect(39, 18, 3, 5, OLIVE_DARK);
  fillRings(img, [ellipse(40, 17, 36, 2.2)], 0x202820, { opacity: 0.45 });
  p.line([[6, 17], [74, 17]], 0.8, 0x101410, { opacity: 0.6 });
  p.rect(33, 34, 16, 3, OLIVE_DARK);
  p.rect(35, 37, 12, 2.4, C('#2a2e24'));
  p.line([[32, 39], [30, 45]], 1, DARK);
  p.line([[50, 39], [52, 45]], 1, DARK);
  p.line([[24, 45.5], [58, 45.5], [61, 43]], 1.4, DARK);
  p.line([[30, 26], [48, 24]], 0.7, 0xffffff, { opacity: 0.35 });
}

function ship(img) {
  seaScene(img, 10);
  const p = pen(img);
  p.poly([[20, 25], [25, 25], [26, 34], [19, 34]], NAVY);
  p.rect(19, 23.5, 7, 2, DARK);
  p.poly([[27, 22], [44, 22], [46, 34], [26, 34]], NAVY);
  p.rect(31, 14, 10, 8.5, NAVY);
  p.rect(32, 16, 8, 1.8, C('#1a2430'));
  p.line([[36, 14], [36, 3]], 0.9, C('#3a444e'));
  p.line([[32, 6], [40, 6]], 0.8, C('#3a444e'));
  p.rect(49, 29, 7, 4, NAVY);
  p.rect(55, 29.8, 10, 1.6, C('#2a323a'));
  p.rect(10, 30, 6, 4, NAVY);
  p.poly([[2, 34], [72, 32], [66, 43], [9, 43]], [C('#8c98a2'), C('#2e3842')]);
  p.line([[3, 34.3], [71, 32.4]], 0.7, 0xffffff, { opacity: 0.6 });
  p.line([[9, 41], [66, 41]], 1.6, C('#7a2a20'), { opacity: 0.8 });
  fillRings(img, [[[64, 42], [74, 38], [76, 44], [62, 45]]], 0xffffff, { opacity: 0.55 });
  fillRings(img, [[[0, 42], [10, 42], [8, 45], [0, 46]]], 0xffffff, { opacity: 0.3 });
}

function submarine(img) {
  seaScene(img, 11);
  const p = pen(img);
  p.ell(38, 36, 33, 6.5, [C('#5a6670'), C('#1c2228')]);
  p.poly([[30, 31], [33, 19], [46, 19], [49, 31]], [C('#6a7680'), C('#262e36')]);
  p.poly([[30, 24], [24, 25], [24, 26.5], [31, 26.5]], C('#3a444c'));
  p.line([[41, 19], [41, 10], [44, 10]], 1, C('#2a3238'));
  p.poly([[4, 33], [8, 36], [3, 40]], C('#2a3238'));
  img.fillRectFn(0, 37, W, 23, (x, y) => {
    const c = img.get(x, y);
    return mix(c, mix(C('#1e4a66'), C('#0c2234'), (y - 37) / 23), 0.55);
  });
  p.line([[6, 37], [70, 37]], 1, 0xd8f0ff, { opacity: 0.55 });
  p.line([[8, 31.5], [66, 31]], 0.6, 0xffffff, { opacity: 0.35 });
}

function radar(img) {
  padScene(img, 12);
  const p = pen(img);
  p.shadow(40, 47, 28, 2.5);
  p.poly([[16, 44], [22, 32], [58, 32], [64, 44]], [C('#8c9088'), C('#3c4038')]);
  p.rect(22, 36, 36, 2, C('#23261f'));
  p.line([[40, 32], [36, 16]], 1.6, C('#4a4e46'));
  p.line([[40, 32], [44, 16]], 1.6, C('#4a4e46'));
  p.line([[37, 26], [43, 22]], 0.8, C('#4a4e46'));
  p.line([[43, 26], [37, 22]], 0.8, C('#4a4e46'));
  p.rect(38, 14, 4, 4, C('#4a4e46'));
  p.ell(40, 12, 17, 8, [C('#f2f4f4'), C('#7a8286')], { rot: -0.45 });
  p.ell(41, 11, 13.5, 5.6, [C('#8a9296'), C('#c8ced0')], { rot: -0.45 });
  p.line([[41, 11], [47, 4]], 1, C('#3a3e36'));
  p.line([[34, 14], [47, 4]], 0.6, C('#3a3e36'));
  p.line([[48, 15], [47, 4]], 0.6, C('#3a3e36'));
  p.ell(47, 3.6, 1.7, 1.7, C('#ff5030'));
}

function powerPlant(img) {
  padScene(img, 13);
  const p = pen(img);
  p.shadow(38, 47, 30, 2.5);
  const tower = (cx, base, top, hw) => {
    const pts = [];
    for (let i = 0; i <= 12; i++) {
      const t = i / 12, y = base - t * (base - top);
      pts.push([cx - hw * (0.62 + 0.38 * Math.pow(2 * t - 1.2, 2)), y]);
    }
    for (let i = 12; i >= 0; i--) {
      const t = i / 12, y = base - t * (base - top);
      pts.push([cx + hw * (0.62 + 0.38 * Math.pow(2 * t - 1.2, 2)), y]);
    }
    p.poly(pts, (x) => mix(C('#d8d6ce'), C('#6a6a62'), Math.min(1, Math.max(0, (x - cx + hw) / (2 * hw)))));
    p.ell(cx, top, hw * 0.72, 1.6, C('#3a3a34'));
  };
  for (let i = 0; i < 3; i++) fillRings(img, [circle(20 + i * 5, 10 - i * 3, 5 + i * 1.5)], 0xf4f4f0, { opacity: 0.45 });
  tower(22, 44, 16, 11);
  p.poly([[34, 44], [36, 26], [66, 26], [68, 44]], [C('#9a9c8c'), C('#44463a')]);
  p.rect(36, 24, 30, 3, C('#6a6c5e'));
  for (let x = 40; x < 64; x += 6) p.rect(x, 30, 3, 4, C('#ffe680'));
  const bolt = [[52, 34], [47, 40], [51, 40], [48, 46], [56, 38], [52, 38], [55, 34]];
  p.poly(bolt, [C('#ffe84a'), C('#d08a10')]);
}

function missile(img) {
  groundScene(img, 14);
  const p = pen(img);
  p.shadow(36, 47, 30, 3);
  p.poly([[8, 44], [12, 36], [60, 36], [66, 44]], OLIVE);
  for (const x of [16, 30, 54]) p.ell(x, 45, 4, 4, [C('#3a3a36'), C('#121210')]);
  const T = (pts) => transform(pts, { rot: -0.62, dx: 22, dy: 35 });
  p.poly(T([[0, -3.5], [44, -3.5], [52, 0], [44, 3.5], [0, 3.5]]), [C('#e8e8e0'), C('#8a8a80')]);
  p.poly(T([[42, -3.5], [52, 0], [42, 3.5]]), [C('#d84a30'), C('#7a1c10')]);
  p.poly(T([[0, -3.5], [-4, -8], [8, -3.5]]), C('#5a5e50'));
  p.poly(T([[0, 3.5], [-4, 8], [8, 3.5]]), C('#3a3e30'));
  p.poly(T([[10, 3.5], [38, 3.5], [38, 6], [10, 6]]), C('#4a5040'));
  p.line(T([[14, -3], [40, -3]]), 0.7, 0xffffff, { opacity: 0.6 });
  p.poly([[18, 36], [24, 30], [30, 36]], OLIVE_DARK);
}

/** Catalogue: display name, file name, painter, label on the icon. */
const CAMEOS = [
  ['Tank', 'cameo_tank.png', tank, 'TANK'],
  ['Armoured carrier', 'cameo_apc.png', apc, 'CARRIER'],
  ['Artillery', 'cameo_artillery.png', artillery, 'ARTILLERY'],
  ['Supply truck', 'cameo_truck.png', truck, 'SUPPLY'],
  ['Missile launcher', 'cameo_missile.png', missile, 'MISSILE'],
  ['Infantry', 'cameo_infantry.png', infantry, 'INFANTRY'],
  ['Commando', 'cameo_commando.png', commando, 'COMMANDO'],
  ['Engineer', 'cameo_engineer.png', engineer, 'ENGINEER'],
  ['Jet fighter', 'cameo_jet.png', jet, 'FIGHTER'],
  ['Helicopter', 'cameo_helicopter.png', helicopter, 'GUNSHIP'],
  ['Destroyer', 'cameo_ship.png', ship, 'DESTROYER'],
  ['Submarine', 'cameo_submarine.png', submarine, 'SUBMARINE'],
  ['Radar station', 'cameo_radar.png', radar, 'RADAR'],
  ['Power plant', 'cameo_powerplant.png', powerPlant, 'POWER'],
].map(([name, file, paint, label]) => ({ name, file, paint, label }));

/** Finishes an icon: vignette, name strip, bevel. */
function finish(img, label) {
  img.fillRectFn(0, 0, W, H, (x, y) => {
    const d = Math.hypot((x - W / 2) / W, (y - H / 2) / H);
    return scale(img.get(x, y), 1 - Math.max(0, d - 0.3) * 0.5);
  });
  for (let y = 49; y < H; y++) for (let x = 0; x < W; x++) img.blend(x, y, 0x06080a, y === 49 ? 0.35 : 0.62);
  drawTextCentered(img, label, W / 2, 51, 0xf2f0e0, { shadow: 0x000000 });
  for (let x = 0; x < W; x++) {
    img.blend(x, 0, 0xffffff, 0.35);
    img.blend(x, H - 1, 0x000000, 0.6);
  }
  for (let y = 0; y < H; y++) {
    img.blend(0, y, 0xffffff, 0.25);
    img.blend(W - 1, y, 0x000000, 0.6);
  }
}

function renderCameo(entry) {
  const img = new Image(W, H);
  entry.paint(img);
  finish(img, entry.label);
  // The program pastes cameos opaque, but keep them free of the key colour anyway so
  // they stay safe if ever drawn keyed.
  if (img.count(KEY) > 0) throw new Error(`${entry.file} contains the transparent key`);
  return img;
}

module.exports = { CAMEOS, renderCameo };
