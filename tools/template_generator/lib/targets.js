'use strict';
// The two target boxes shared by all sides. The program joins them with two fans of
// five zoom lines: the upper fan (0xC0C0C0, 3 x 0xFFFFFF, 0xC0C0C0) meets the large
// box at its top-left corner, the lower fan (0x969696, 3 x 0xC8C8C8, 0x969696) four
// rows above its bottom-left corner. The large box's left rim repeats those colours,
// so the fans read as one band that runs down the box's side.
const { Image, KEY, mix } = require('./image');
const { Mask, metal } = require('./panel');
const { drawTextCentered } = require('./font');
const { LARGE_BOX, LARGE_WINDOW, SMALL_BOX } = require('./layout');
const { resolve } = require('./styles');

const TOP_FAN = [0xc0c0c0, 0xffffff, 0xffffff, 0xffffff, 0xc0c0c0];
const BOTTOM_FAN = [0x969696, 0xc8c8c8, 0xc8c8c8, 0xc8c8c8, 0x969696];

function renderLargeTargetBox(themeRaw) {
  const t = resolve(themeRaw);
  const { w, h } = LARGE_BOX;
  const wx = LARGE_WINDOW.x - LARGE_BOX.x, wy = LARGE_WINDOW.y - LARGE_BOX.y;
  const ww = LARGE_WINDOW.w, wh = LARGE_WINDOW.h;
  const img = new Image(w, h, t.well);
  const m = new Mask(w, h).addRect(0, 0, w, h).addRect(wx - 1, wy - 1, ww + 2, wh + 2, true);
  metal(img, m, t, { yTop: 0, yBottom: h, seed: 3, outline: false, bevel: 1 });

  // Left rim: the zoom-line band, blending from the upper fan to the lower fan.
  const bottomFanY = h - 4;
  for (let y = 0; y < h; y++) {
    const v = Math.min(1, y / bottomFanY);
    for (let i = 0; i < 5; i++) img.set(i, y, mix(TOP_FAN[i], BOTTOM_FAN[i], v));
    img.set(5, y, t.edgeDark);
  }
  // Top rim starts with the upper fan's light edge.
  for (let x = 5; x < w; x++) img.set(x, 0, mix(0xc0c0c0, t.metalLight, Math.min(1, (x - 5) / 60)));

  // Dark lip around the window (the window itself is covered by the 2x map).
  for (let x = wx - 1; x <= wx + ww; x++) {
    img.set(x, wy - 1, t.outline);
    img.set(x, wy + wh, t.edgeLight);
  }
  for (let y = wy - 1; y <= wy + wh; y++) {
    img.set(wx - 1, y, t.outline);
    img.set(wx + ww, y, t.edgeLight);
  }
  img.set(wx + ww, wy - 1, t.outline);

  // Range scale: ticks every 10 pixels of the window on the top and right rims.
  for (let k = 10; k < ww; k += 10) {
    const len = k % 50 === 0 ? 3 : 1;
    for (let d = 0; d < len; d++) img.set(wx + k, wy - 2 - d, t.edgeDark);
  }
  for (let k = 10; k < wh; k += 10) {
    const len = k % 50 === 0 ? 4 : 2;
    for (let d = 0; d < len; d++) img.set(wx + ww + 1 + d, wy + k, t.edgeDark);
  }

  // Bright corner brackets on the three corners away from the fans.
  const bracket = (cx, cy, sx, sy) => {
    for (let i = 0; i < 16; i++) {
      img.set(cx + i * sx, cy, t.accent);
      img.set(cx, cy + i * sy, t.accent);
      img.set(cx + i * sx, cy + sy, t.edgeDark);
      img.set(cx + sx, cy + i * sy, t.edgeDark);
    }
  };
  bracket(w - 2, 1, -1, 1);
  bracket(w - 2, h - 2, -1, -1);
  bracket(6, h - 2, 1, -1);

  // Shown only if the 2x map is missing; otherwise covered.
  drawTextCentered(img, 'NO MAP DATA', wx + ww / 2, wy + wh / 2 - 3, t.accentDim);
  return img;
}

/**
 * The small box is a reticle: a light frame with heavier corners and inward ticks,
 * pure key inside so the map shows through. Its top-left corner is light where the
 * upper fan starts.
 */
function renderSmallTargetBox(themeRaw) {
  const t = resolve(themeRaw);
  const { w, h } = SMALL_BOX;
  const img = new Image(w, h, KEY);
  const dark = 0x101214, light = 0xe8ecf0, mid = 0xa8b0b8;
  for (let x = 0; x < w; x++) {
    img.set(x, 0, dark);
    img.set(x, h - 1, dark);
    img.set(x, 1, light);
    img.set(x, h - 2, mid);
    if (x > 0 && x < w - 1) {
      img.set(x, 2, dark);
      img.set(x, h - 3, dark);
    }
  }
  for (let y = 0; y < h; y++) {
    img.set(0, y, dark);
    img.set(w - 1, y, dark);
    if (y > 0 && y < h - 1) {
      img.set(1, y, light);
      img.set(w - 2, y, mid);
    }
    if (y > 1 && y < h - 2) {
      img.set(2, y, dark);
      img.set(w - 3, y, dark);
    }
  }
  // Heavier corners: an extra light row and column, 9 pixels long, with a dark edge.
  const corner = (cx, cy, sx, sy) => {
    for (let i = 0; i < 9; i++) {
      img.set(cx + i * sx, cy, light);
      img.set(cx, cy + i * sy, light);
    }
    for (let i = 0; i < 10; i++) {
      img.set(cx + i * sx + sx, cy + sy, dark);
      img.set(cx + sx, cy + i * sy + sy, dark);
    }
  };
  corner(2, 2, 1, 1);
  corner(w - 3, 2, -1, 1);
  corner(2, h - 3, 1, -1);
  corner(w - 3, h - 3, -1, -1);
  // Inward ticks at the middle of each side.
  const mx = Math.floor(w / 2), my = Math.floor(h / 2);
  for (let i = 3; i < 8; i++) {
    img.set(mx, i, light);
    img.set(mx, h - 1 - i, light);
    img.set(i, my, light);
    img.set(w - 1 - i, my, light);
  }
  for (const [x, y] of [[mx - 1, 3], [mx + 1, 3], [mx - 1, h - 4], [mx + 1, h - 4], [3, my - 1], [3, my + 1], [w - 4, my - 1], [w - 4, my + 1]]) img.set(x, y, dark);
  for (let i = 3; i < 9; i++) {
    img.set(mx + 1, i, dark);
    img.set(mx + 1, h - 1 - i, dark);
    img.set(i, my + 1, dark);
    img.set(w - 1 - i, my + 1, dark);
  }
  // Centre pip.
  img.set(mx, my, light);
  img.set(mx + 1, my + 1, dark);
  return img;
}

module.exports = { renderLargeTargetBox, renderSmallTargetBox, TOP_FAN, BOTTOM_FAN };
