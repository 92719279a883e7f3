'use strict';
// The per-side interface frames (800 x 520): a bezel around the map, a console along
// the bottom holding the cameo sockets, the screenshot monitor and the side plate.
// Everything not part of the interface is the transparent key, so the map shows there.
const { Image, KEY, mix, scale } = require('./image');
const { resolve } = require('./styles');
const { fillRings, chamferRect, circle, hline, strokeRect } = require('./raster');
const { Mask, metal, inset, rivet, grille, lamp } = require('./panel');
const { drawText, drawTextCentered, textWidth } = require('./font');
const { drawEmblem } = require('./emblems');
const { CANVAS, CAMEO, CAMEO_X, SCREENSHOT } = require('./layout');

const BASE_Y = 468; // top of the bottom strip
const BAY_Y = 356; // top of the cameo bay
const HOUSING = { x: 528, y: 246 };

function bayExtent(slots) {
  const xs = CAMEO_X[slots];
  return { x0: xs[0] - 16, x1: xs[xs.length - 1] + CAMEO.w + 16 };
}

/** Outline of the whole interface as a mask. */
function frameMask(slots) {
  const { w, h } = CANVAS;
  const m = new Mask(w, h);
  // Bezel: a 5-pixel rim with chamfered inner corners.
  m.addRect(0, 0, w, h);
  m.add([chamferRect(5, 5, w - 10, h - 10, 10)], true);
  // Title tabs hanging from the top rim.
  m.add([chamferRect(0, 0, 222, 24, [0, 0, 14, 0])]);
  m.add([chamferRect(652, 0, 148, 20, [0, 0, 0, 12])]);
  // Bottom strip, cameo bay and screenshot housing.
  const bay = bayExtent(slots);
  m.addRect(0, BASE_Y, w, h - BASE_Y);
  m.add([chamferRect(bay.x0, BAY_Y, bay.x1 - bay.x0, h - BAY_Y, [14, 14, 0, 0])]);
  m.add([[[bay.x0 - 22, BASE_Y], [bay.x0, BASE_Y - 22], [bay.x0, BASE_Y]]]);
  // A narrow bay leaves a gap before the housing; a ledge bridges it (two fillets would meet in a notch).
  if (bay.x1 < HOUSING.x) m.addRect(bay.x1, BASE_Y - 22, HOUSING.x - bay.x1, 22);
  m.add([chamferRect(HOUSING.x, HOUSING.y, w - HOUSING.x, h - HOUSING.y, [16, 0, 0, 0])]);
  if (bay.x1 >= HOUSING.x) m.add([[[HOUSING.x - 22, BASE_Y], [HOUSING.x, BASE_Y - 22], [HOUSING.x, BASE_Y]]]);
  return m;
}

/** Accent line that follows the top edge of a panel, a few pixels inside it. */
function accentLine(img, x0, x1, y, t) {
  hline(img, x0, x1, y, t.accentDim);
  hline(img, x0 + 2, x1 - 2, y, t.accent);
  hline(img, x0 + 2, x1 - 2, y + 1, mix(t.accent, t.metalDark, 0.6));
}

/** The look of an empty cameo socket: a dark hatched well with a faint emblem. */
function emptySlot(img, x, y, side, t) {
  img.fillRectFn(x, y, CAMEO.w, CAMEO.h, (px, py) => {
    const v = (py - y) / CAMEO.h;
    const base = mix(t.well, t.wellDark, v);
    return (px + py) % 6 === 0 ? mix(base, t.accentDim, 0.35) : base;
  });
  drawEmblem(img, side, x + CAMEO.w / 2, y + CAMEO.h / 2, 15, mix(t.accentDim, t.well, 0.15));
  strokeRect(img, x, y, CAMEO.w, CAMEO.h, mix(t.wellDark, 0x000000, 0.5));
}

/** The look of the screenshot monitor with no picture: a dark screen, grid and reticle. */
function emptyScreen(img, side, t) {
  const { x, y, w, h } = SCREENSHOT;
  img.fillRectFn(x, y, w, h, (px, py) => {
    const dx = (px - x - w / 2) / w, dy = (py - y - h / 2) / h;
    let c = mix(scale(t.screen, 1.6), t.screen, Math.min(1, Math.hypot(dx, dy) * 2));
    if ((px - x) % 18 === 8 || (py - y) % 18 === 8) c = mix(c, t.screenGrid, 0.8);
    if ((py - y) % 2 === 1) c = scale(c, 0.85);
    return c;
  });
  const cx = x + w / 2, cy = y + h / 2 - 10;
  fillRings(img, [circle(cx, cy, 42), circle(cx, cy, 41).reverse()], t.accentDim);
  fillRings(img, [circle(cx, cy, 20), circle(cx, cy, 19).reverse()], t.accentDim);
  for (const [dx, dy, ww, hh] of [[-56, 0, 20, 1], [37, 0, 20, 1], [0, -56, 1, 20], [0, 37, 1, 20]]) {
    img.fillRect(Math.round(cx + dx), Math.round(cy + dy), ww, hh, t.accentDim);
  }
  drawEmblem(img, side, cx, cy, 11, t.accentDim);
  drawTextCentered(img, 'NO SIGNAL', cx, cy + 58, t.accent, { spacing: 2 });
  drawTextCentered(img, 'AWAITING RECON FEED', cx, cy + 72, t.accentDim);
}

/** L-shaped corner marks around a rectangle, gap pixels outside it. */
function cornerMarks(img, x, y, w, h, gap, len, c) {
  const x0 = x - gap, y0 = y - gap, x1 = x + w - 1 + gap, y1 = y + h - 1 + gap;
  for (const [cx, cy, sx, sy] of [[x0, y0, 1, 1], [x1, y0, -1, 1], [x0, y1, 1, -1], [x1, y1, -1, -1]]) {
    for (let i = 0; i < len; i++) {
      img.set(cx + i * sx, cy, c);
      img.set(cx, cy + i * sy, c);
    }
  }
}

function renderFrame(side, slots, themeRaw) {
  const t = resolve(themeRaw);
  const { w, h } = CANVAS;
  const img = new Image(w, h, KEY);
  const mask = frameMask(slots);
  metal(img, mask, t, { yTop: 240, yBottom: h, seed: slots * 7 + side.length });

  // Bezel details: tick marks every 30 pixels, the spacing of the map's 10-degree grid.
  for (let x = 30; x < w - 10; x += 30) {
    if (mask.has(x, 5)) continue;
    img.set(x, 3, t.accent);
    img.set(x, 4, t.accentDim);
  }
  for (let y = 30; y < BASE_Y - 10; y += 30) {
    for (const x of [3, w - 4]) {
      if (mask.has(x === 3 ? 5 : w - 6, y)) continue;
      img.set(x, y, t.accent);
      img.set(x + (x === 3 ? 1 : -1), y, t.accentDim);
    }
  }

  // Top-left title tab and top-right status tab.
  drawText(img, 'STRATEGIC MAP', 28, 8, t.text, { shadow: t.outline });
  lamp(img, 10, 10, t.lampGreen);
  lamp(img, 16, 10, t.lampAmber, false);
  hline(img, 110, 196, 11, t.accentDim);
  hline(img, 110, 192, 12, t.accent);
  drawText(img, 'UPLINK', 680, 6, t.text, { shadow: t.outline });
  for (let i = 0; i < 4; i++) lamp(img, 724 + i * 7, 8, i < 3 ? t.accent : t.lampRed, i < 3);
  for (let i = 0; i < 3; i++) rivet(img, 760 + i * 10, 8, t);

  // Cameo bay: title, sockets, slot numbers.
  const bay = bayExtent(slots);
  accentLine(img, bay.x0 + 14, bay.x1 - 15, BAY_Y + 4, t);
  const label = 'REINFORCEMENTS';
  const lw = textWidth(label, 1, 2);
  const lx = Math.round((bay.x0 + bay.x1) / 2 - lw / 2);
  img.fillRect(lx - 6, BAY_Y + 8, lw + 12, 11, t.wellDark);
  drawText(img, label, lx, BAY_Y + 10, t.accent, { spacing: 2 });
  CAMEO_X[slots].forEach((x, i) => {
    inset(img, x, CAMEO.y, CAMEO.w, CAMEO.h, t, 3);
    cornerMarks(img, x, CAMEO.y, CAMEO.w, CAMEO.h, 5, 6, t.accent);
    emptySlot(img, x, CAMEO.y, side, t);
    const plate = x + CAMEO.w / 2;
    img.fillRect(plate - 10, 449, 20, 9, t.wellDark);
    drawTextCentered(img, `0${i + 1}`, plate, 450, t.accent);
    lamp(img, x + 2, 451, t.lampGreen, i === 0);
    lamp(img, x + CAMEO.w - 6, 451, t.lampAmber, false);
  });
  accentLine(img, 52, bay.x0 - 26, BASE_Y + 4, t);
  rivet(img, bay.x0 + 5, BAY_Y + 20, t);
  rivet(img, bay.x1 - 8, BAY_Y + 20, t);
  grille(img, bay.x0 + 6, 486, Math.floor((bay.x1 - bay.x0 - 12) / 5), t, { h: 6 });
  if (bay.x1 < HOUSING.x) {
    accentLine(img, bay.x1 + 2, HOUSING.x - 2, BASE_Y - 18, t);
    grille(img, bay.x1 + 6, BASE_Y - 10, Math.floor((HOUSING.x - bay.x1 - 10) / 5), t, { h: 30 });
  }

  // Screenshot monitor.
  const s = SCREENSHOT;
  // The large target box hides the housing's left part, so its labels sit on the right.
  accentLine(img, HOUSING.x + 16, w - 8, HOUSING.y + 4, t);
  drawText(img, 'RECON FEED', 648, HOUSING.y + 9, t.text, { shadow: t.outline });
  for (let i = 0; i < 5; i++) lamp(img, w - 48 + i * 7, HOUSING.y + 10, i === 0 ? t.lampGreen : t.accent, i < 2);
  inset(img, s.x, s.y, s.w, s.h, t, 4);
  emptyScreen(img, side, t);
  cornerMarks(img, s.x, s.y, s.w, s.h, 6, 10, t.accent);
  for (const [rx, ry] of [[HOUSING.x + 5, HOUSING.y + 22], [w - 9, HOUSING.y + 22], [HOUSING.x + 5, h - 12], [w - 9, h - 12]]) rivet(img, rx, ry, t);

  // Side plate on the bottom strip: emblem badge and name.
  const bx = 28, by = BASE_Y + 23;
  fillRings(img, [circle(bx, by, 20)], t.wellDark);
  fillRings(img, [circle(bx, by, 20), circle(bx, by, 18.5).reverse()], t.accentDim);
  drawEmblem(img, side, bx, by, 15, t.accent);
  drawText(img, t.title[0], 56, BASE_Y + 10, (px, py) => mix(t.text, t.accent, (py - BASE_Y - 10) / 14), { scale: 2, shadow: t.outline });
  drawText(img, t.title[1], 57, BASE_Y + 30, t.accent, { spacing: 3 });
  for (let i = 0; i < 3; i++) lamp(img, 176 + i * 7, BASE_Y + 12, i === 0 ? t.lampGreen : t.accent, i < 2);
  grille(img, 176, BASE_Y + 24, 6, t, { h: 14 });

  assertNoStrayKey(img, mask);
  return img;
}

/** A panel pixel that happens to equal the key would punch a hole in the interface. */
function assertNoStrayKey(img, mask) {
  mask.forEach((x, y) => {
    if (img.get(x, y) === KEY) throw new Error(`frame pixel (${x}, ${y}) is the transparent key`);
  });
}

module.exports = { renderFrame };
