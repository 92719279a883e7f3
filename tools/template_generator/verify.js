'use strict';
// Checks the generated package against the program's rules: file set, PNG format,
// exact sizes, key usage in frames/boxes/symbols/cameos, seamless map edges and the
// Settings.ini / readme text format. Exits non-zero on any failure.
const fs = require('fs');
const path = require('path');
const { Image, KEY } = require('./lib/image');
const L = require('./lib/layout');

const REPO = path.resolve(__dirname, '..', '..');
const PKG = path.join(REPO, 'resources', 'package');
const T = (f) => path.join(PKG, 'Templates', f);
let passed = 0, failed = 0;

function check(ok, what) {
  if (ok) passed++;
  else {
    failed++;
    console.log(`FAIL ${what}`);
  }
}

/** Colour type and bit depth from the IHDR chunk. */
function pngHeader(file) {
  const b = fs.readFileSync(file);
  return { bitDepth: b[24], colorType: b[25], width: b.readUInt32BE(16), height: b.readUInt32BE(20) };
}

function load(file, w, h) {
  const p = T(file);
  if (!fs.existsSync(p)) {
    check(false, `${file} exists`);
    return null;
  }
  const hdr = pngHeader(p);
  check(hdr.bitDepth === 8 && (hdr.colorType === 2 || hdr.colorType === 6), `${file} is 8-bit RGB/RGBA`);
  const img = Image.load(p);
  check(img.alphaMin === 255, `${file} is fully opaque`);
  if (w) check(img.width === w && img.height === h, `${file} is ${w} x ${h} (got ${img.width} x ${img.height})`);
  return img;
}

const anyKey = (img, x, y, w, h) => {
  for (let yy = y; yy < y + h; yy++) for (let xx = x; xx < x + w; xx++) if (img.get(xx, yy) === KEY) return true;
  return false;
};

/** Pixels that are not the key but so close to it that they read as a blended edge. */
function nearKeyPixels(img) {
  let n = 0;
  for (let y = 0; y < img.height; y++) for (let x = 0; x < img.width; x++) {
    const c = img.get(x, y);
    if (c !== KEY && (c >> 16) < 0x30 && ((c >> 8) & 255) < 0x30 && (c & 255) > 0xb0) n++;
  }
  return n;
}

function columnDiff(img, a, b) {
  let s = 0;
  for (let y = 0; y < img.height; y++) {
    const p = img.get(a, y), q = img.get(b, y);
    s += Math.abs((p >> 16) - (q >> 16)) + Math.abs(((p >> 8) & 255) - ((q >> 8) & 255)) + Math.abs((p & 255) - (q & 255));
  }
  return s / img.height;
}

function checkMaps() {
  const maps = ['all', 'sov', 'psy'].map((s) => [s, load(`${s}_worldmap.png`, L.MAP_1X.w, L.MAP_1X.h)]);
  const big = load('com_worldmap2x.png', L.MAP_2X.w, L.MAP_2X.h);
  check(L.MAP_2X.w === 2 * L.MAP_1X.w && L.MAP_2X.h === 2 * L.MAP_1X.h, '2x map is exactly double the 1x maps');
  check(L.MAP_1X.w >= L.CANVAS.w && L.MAP_1X.h >= L.CANVAS.h, '1x map covers the canvas');
  for (const [s, img] of [...maps, ['com', big]]) {
    if (!img) continue;
    // Column 0 carries the 180-degree meridian (a major grid line), like column W/2
    // carries the prime meridian: stepping onto either should change the picture alike.
    const seam = columnDiff(img, img.width - 1, 0);
    const inner = columnDiff(img, img.width / 2 - 1, img.width / 2);
    check(seam <= inner * 1.5 + 2, `${s} map tiles horizontally (seam ${seam.toFixed(1)} vs ${inner.toFixed(1)})`);
  }
}

function checkFrames() {
  for (const side of ['all', 'sov', 'psy']) {
    for (const n of [2, 3]) {
      const f = load(`${side}_${n}icomain.png`, L.CANVAS.w, L.CANVAS.h);
      if (!f) continue;
      const keyShare = f.count(KEY) / (f.width * f.height);
      check(keyShare > 0.5, `${side}_${n}icomain leaves most of the map visible (${(keyShare * 100).toFixed(0)}% key)`);
      for (const x of L.CAMEO_X[n]) {
        check(!anyKey(f, x - 4, L.CAMEO.y - 4, L.CAMEO.w + 8, L.CAMEO.h + 8), `${side}_${n} slot at ${x} has a socket and an empty look`);
      }
      const s = L.SCREENSHOT;
      check(!anyKey(f, s.x - 4, s.y - 4, s.w + 8, s.h + 8), `${side}_${n} screenshot window has a border and an empty look`);
      check(anyKey(f, 100, 100, 1, 1) && anyKey(f, 300, 200, 1, 1), `${side}_${n} map window is transparent`);
      check(nearKeyPixels(f) === 0, `${side}_${n} has no near-blue pixels that would look like holes`);
    }
  }
}

function checkBoxes() {
  const large = load('com_largetargetbox.png', L.LARGE_BOX.w, L.LARGE_BOX.h);
  const small = load('com_smalltargetbox.png', L.SMALL_BOX.w, L.SMALL_BOX.h);
  if (large) check(large.width <= 454 && large.height <= 468 && large.count(KEY) === 0, 'large box fits the canvas and has no key');
  if (small) {
    const inner = small.get(Math.floor(small.width / 2) - 5, Math.floor(small.height / 2) - 5) === KEY;
    const edge = small.get(0, 0) !== KEY && small.get(small.width - 1, small.height - 1) !== KEY;
    check(inner && edge, 'small box has a solid frame and a transparent interior');
    check(nearKeyPixels(small) === 0, 'small box has no near-blue pixels');
    const range = L.LARGE_BOX.h - small.height + 48 - 56;
    check(range > 0, `small box can move vertically (${range} rows)`);
  }
}

function readIni() {
  const p = path.join(PKG, 'Settings.ini');
  const raw = fs.readFileSync(p, 'latin1');
  check(/^[\x09\x0d\x0a\x20-\x7e]*$/.test(raw), 'Settings.ini is ASCII');
  check(raw.split('\n').slice(0, -1).every((l) => l.endsWith('\r')) && raw.endsWith('\r\n'), 'Settings.ini uses CRLF');
  const sections = {};
  let cur = null;
  for (const line of raw.split('\r\n')) {
    const l = line.replace(/;.*$/, '').trim();
    if (/^\[.*\]$/.test(l)) sections[(cur = l.slice(1, -1).trim())] = [];
    else if (cur && l.includes('=')) {
      const [key, value] = l.split('=');
      sections[cur].push({ key, value });
    }
  }
  return sections;
}

function checkCatalogue() {
  const ini = readIni();
  for (const sec of ['SymbolsList', 'CameosList']) {
    const entries = ini[sec] || [];
    check(entries.length >= (sec === 'SymbolsList' ? 10 : 12), `${sec} has enough entries (${entries.length})`);
    check(new Set(entries.map((e) => e.key)).size === entries.length, `${sec} keys are unique`);
    for (const { value } of entries) {
      const [name, file] = value.split(',');
      check(name && file && !file.startsWith(' '), `${sec} entry "${value}" is "name,file"`);
      if (!file) continue;
      if (sec === 'CameosList') {
        const img = load(file, L.CAMEO.w, L.CAMEO.h);
        if (img) check(img.count(KEY) === 0, `${file} has no pure-blue pixel`);
      } else {
        const img = load(file);
        if (!img) continue;
        check(img.width >= 16 && img.width <= 40 && img.height >= 16 && img.height <= 40, `${file} is 16..40 px`);
        check(img.count(0xffff00) > 0 && img.count(KEY) > 0, `${file} has side-colour and key pixels`);
        let stray = 0;
        for (let y = 0; y < img.height; y++) for (let x = 0; x < img.width; x++) {
          const c = img.get(x, y);
          const b = c & 255, rg = c >> 8;
          if (c !== KEY && rg === 0 && b > 0x80) stray++;
        }
        check(stray === 0, `${file} has no near-blue pixels`);
      }
    }
  }
}

function checkText() {
  const raw = fs.readFileSync(T('readme.txt'), 'latin1');
  check(raw.length > 200 && raw.split('\n').slice(0, -1).every((l) => l.endsWith('\r')), 'readme.txt exists and uses CRLF');
  const bf = load('example_battlefield.png');
  if (bf) check(bf.width > 234 && bf.height > 232, 'example battlefield is larger than the screenshot window');
  const ex = Image.load(path.join(REPO, 'examples', 'battlefield_234x232.png'));
  check(ex.width === 234 && ex.height === 232, 'examples/battlefield_234x232.png is 234 x 232');
  check(fs.existsSync(path.join(REPO, 'examples', 'battlefield.png')), 'examples/battlefield.png exists');
}

function checkSize() {
  let total = 0;
  const walk = (d) => {
    for (const e of fs.readdirSync(d, { withFileTypes: true })) {
      const p = path.join(d, e.name);
      if (e.isDirectory()) walk(p);
      else total += fs.statSync(p).size;
    }
  };
  walk(PKG);
  console.log(`package size: ${(total / 1048576).toFixed(2)} MiB`);
  check(total < 6 * 1048576, 'package stays under 6 MiB');
}

checkMaps();
checkFrames();
checkBoxes();
checkCatalogue();
checkText();
checkSize();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
