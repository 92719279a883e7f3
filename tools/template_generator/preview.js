'use strict';
// Composes full load screens from the generated package the way the program does
// (map, keyed frame, cameos, screenshot, large box, 2x map, keyed small box, zoom
// lines, keyed markers) so the package can be judged as a whole.
//   node preview.js [outDir]     writes preview-<side>-<n>.png and preview-<side>-<n>-empty.png (default /tmp)
const fs = require('fs');
const path = require('path');
const { Image, KEY } = require('./lib/image');
const { line } = require('./lib/raster');
const L = require('./lib/layout');
const { TOP_FAN, BOTTOM_FAN } = require('./lib/targets');

const PKG = path.resolve(__dirname, '..', '..', 'resources', 'package');
const T = (f) => path.join(PKG, 'Templates', f);
const SIDE_COLOUR = { all: 0x6150ff, sov: 0xce0000, psy: 0xce1efa };

/** Draws map into the window (X, Y, WW, WH) from offset (ox, oy), wrapping around both edges. */
function wrapped(dst, map, X, Y, WW, WH, ox, oy) {
  for (let y = 0; y < WH; y++) for (let x = 0; x < WW; x++) dst.set(X + x, Y + y, map.get((ox + x) % map.width, (oy + y) % map.height));
}

function catalogue(section) {
  const ini = fs.readFileSync(path.join(PKG, 'Settings.ini'), 'latin1').split(/\r\n/);
  const out = [];
  let cur = null;
  for (const raw of ini) {
    const l = raw.replace(/;.*$/, '').trim();
    if (/^\[.*\]$/.test(l)) cur = l.slice(1, -1).trim();
    else if (cur === section && l.includes('=')) out.push(l.split('=')[1].split(',')[1]);
  }
  return out;
}

function compose(side, n, { cameos = [], screenshot = null, markers = [] } = {}) {
  const c = new Image(L.CANVAS.w, L.CANVAS.h);
  wrapped(c, Image.load(T(`${side}_worldmap.png`)), 0, 0, 800, 520, ...L.DEFAULTS.smallMapOffset);
  c.paste(Image.load(T(`${side}_${n}icomain.png`)), 0, 0, KEY);
  cameos.slice(0, n).forEach((img, i) => c.paste(img, L.CAMEO_X[n][i], L.CAMEO.y));
  if (screenshot) c.paste(screenshot, L.SCREENSHOT.x, L.SCREENSHOT.y);
  const large = Image.load(T('com_largetargetbox.png'));
  const small = Image.load(T('com_smalltargetbox.png'));
  c.paste(large, L.LARGE_BOX.x, L.LARGE_BOX.y);
  const W = L.LARGE_WINDOW;
  wrapped(c, Image.load(T('com_worldmap2x.png')), W.x, W.y, W.w, W.h, ...L.DEFAULTS.largeMapOffset);
  const [tx, ty] = L.DEFAULTS.targetBoxPos;
  c.paste(small, tx, ty, KEY);
  for (let i = 0; i < 5; i++) line(c, tx + i, ty, 346 + i, 52, TOP_FAN[i]);
  for (let i = 0; i < 5; i++) line(c, tx + i, ty + small.height, 346 + i, large.height + 48, BOTTOM_FAN[i]);
  for (const m of markers) {
    const img = Image.load(T(m.file));
    img.replace(0xffff00, SIDE_COLOUR[side]);
    c.paste(img, m.x, m.y, KEY);
  }
  return c;
}

function main() {
  const out = process.argv[2] || '/tmp';
  const cameoFiles = fs.existsSync(path.join(PKG, 'Settings.ini')) ? catalogue('CameosList') : [];
  const symbolFiles = fs.existsSync(path.join(PKG, 'Settings.ini')) ? catalogue('SymbolsList') : [];
  const shotPath = T('example_battlefield.png');
  let shot = null;
  if (fs.existsSync(shotPath)) {
    const b = Image.load(shotPath);
    shot = b.crop(Math.floor((b.width - 234) / 2), Math.floor((b.height - 232) / 2), 234, 232);
  }
  const spots = [[150, 150], [470, 95], [640, 180], [265, 300], [700, 60], [90, 260], [420, 200]];
  ['all', 'sov', 'psy'].forEach((side, si) => {
    const cameos = [0, 1, 2].map((k) => cameoFiles[(si * 3 + k) % Math.max(1, cameoFiles.length)]).filter(Boolean).map((f) => Image.load(T(f)));
    const markers = spots.map(([x, y], k) => ({ x, y, file: symbolFiles[(si * 4 + k) % Math.max(1, symbolFiles.length)] })).filter((m) => m.file);
    for (const n of [2, 3]) {
      compose(side, n, { cameos, screenshot: shot, markers }).save(path.join(out, `preview-${side}-${n}.png`));
      compose(side, n).save(path.join(out, `preview-${side}-${n}-empty.png`));
    }
  });
  console.log(`previews written to ${out}`);
}

main();
