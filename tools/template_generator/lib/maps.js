'use strict';
// Styled equirectangular world maps: ocean depth bands, land relief bands, coastline,
// borders and a graticule. Everything is computed in degrees, so the 1x side maps and
// the 2x common map show the same Earth with the same features at double scale.
const { Image, mix, scale } = require('./image');
const { resolve } = require('./styles');
const { coverage, fillRings, strokeRings } = require('./raster');
const { landRings, coastLines, countryBorders } = require('./geo');
const { distanceTo } = require('./distance');
const { fbm } = require('./noise');

const smoothstep = (a, b, v) => {
  const t = Math.min(1, Math.max(0, (v - a) / (b - a)));
  return t * t * (3 - 2 * t);
};

/** Shared geometry of a W x H map (land coverage and distance fields), computed once per size. */
const geometryCache = new Map();
function mapGeometry(W, H) {
  const k = `${W}x${H}`;
  if (geometryCache.has(k)) return geometryCache.get(k);
  const cov = coverage(landRings(W, H), W, H, { samples: 5, rule: 'evenodd' });
  const pad = Math.ceil(W / 45);
  const toLand = distanceTo(W, H, (i) => cov[i] >= 0.5, pad * 2);
  const toSea = distanceTo(W, H, (i) => cov[i] < 0.5, pad * 2);
  const g = { W, H, cov, toLand, toSea, coast: coastLines(W, H), borders: countryBorders(W, H) };
  geometryCache.set(k, g);
  return g;
}

/**
 * Renders a world map of W x H (W = 2 H) in the given style; see the side styles in
 * generate.js for the fields.
 */
function renderWorldMap(W, H, style) {
  const s = resolve(style);
  const g = mapGeometry(W, H);
  const ppd = W / 360;
  const img = new Image(W, H);
  const levels = s.reliefLevels;
  const levelOf = new Uint8Array(W * H);

  for (let y = 0; y < H; y++) {
    const lat = 90 - (y + 0.5) / ppd;
    const yd = (y + 0.5) / ppd;
    for (let x = 0; x < W; x++) {
      const i = y * W + x;
      const xd = (x + 0.5) / ppd;
      // Ocean: lighter shelf near the coast fading to deep water, faint swell texture.
      const dO = g.toLand[i] / ppd;
      const swell = fbm(xd, yd, 24, 3, s.seed, 360) - 0.5;
      let ocean = mix(s.oceanShallow, s.oceanDeep, smoothstep(0, s.shelfDeg, dO + swell * 0.8));
      ocean = scale(ocean, 1 + swell * s.oceanTexture);
      // Land: noise relief rising inland, posterised into bands like a contour map.
      const dL = g.toSea[i] / ppd;
      const relief = (0.5 + (fbm(xd, yd, 16, 4, s.seed + 7, 360) - 0.5) * 2.4) * smoothstep(0, 3, dL) + smoothstep(2, 14, dL) * 0.12;
      const polar = Math.max(smoothstep(62, 74, lat), smoothstep(-58, -68, lat));
      const e = relief * (1 - polar * 0.6);
      let lv = 0;
      while (lv < levels.length - 1 && e > s.reliefSteps[lv]) lv++;
      levelOf[i] = lv;
      let land = levels[lv];
      land = mix(land, s.snow, polar * 0.85);
      land = scale(land, 1 + (fbm(xd, yd, 3, 2, s.seed + 3, 360) - 0.5) * s.landTexture);
      img.set(x, y, mix(ocean, land, g.cov[i]));
    }
  }

  // Terrace edges of the relief bands, lit from the north-west: a band rising
  // towards the light gets a bright rim, one falling away a dark rim.
  const rim = Math.max(1, Math.round(ppd / 3));
  for (let y = 1; y < H; y++) {
    for (let x = 0; x < W; x++) {
      const i = y * W + x;
      if (g.cov[i] < 0.5) continue;
      const up = Math.max(0, y - rim) * W + ((x - rim + W) % W);
      if (g.cov[up] < 0.5) continue;
      if (levelOf[i] > levelOf[up]) img.blend(x, y, s.reliefLight, s.reliefLineAlpha);
      else if (levelOf[i] < levelOf[up]) img.blend(x, y, s.reliefLine, s.reliefLineAlpha);
    }
  }

  // Depth contour lines in the sea.
  for (const [deg, alpha] of s.depthLines) {
    for (let y = 0; y < H; y++) {
      for (let x = 0; x < W; x++) {
        const i = y * W + x;
        if (g.cov[i] > 0.05) continue;
        const d = g.toLand[i] / ppd - deg;
        const a = 1 - Math.abs(d) * ppd * 0.9;
        if (a > 0) img.blend(x, y, s.depthLine, a * alpha);
      }
    }
  }

  // Graticule: minor every 10 degrees, major every 30; lines sit on whole pixels.
  const grid = (step, c, alpha) => {
    const px = step * ppd;
    for (let k = 0; k * px < W; k++) {
      const x = Math.round(k * px);
      for (let y = 0; y < H; y++) img.blend(x, y, c, alpha * (g.cov[y * W + x] > 0.5 ? s.gridOnLand : 1));
    }
    for (let k = 1; k * px < H; k++) {
      const y = Math.round(k * px);
      for (let x = 0; x < W; x++) img.blend(x, y, c, alpha * (g.cov[y * W + x] > 0.5 ? s.gridOnLand : 1));
    }
  };
  grid(10, s.grid, s.gridMinorAlpha);
  grid(30, s.grid, s.gridMajorAlpha);

  // Borders (faint) and coastline (crisp, bright) on top.
  const borderRings = [];
  for (const l of g.borders) borderRings.push(...strokeRings(l, s.borderWidth * ppd / 3));
  fillRings(img, borderRings, s.border, { rule: 'nonzero', opacity: s.borderAlpha, samples: 4 });
  const coastRings = [];
  for (const l of g.coast) coastRings.push(...strokeRings(l, s.coastWidth * ppd / 3));
  fillRings(img, coastRings, s.coast, { rule: 'nonzero', samples: 4 });

  // The map also wraps vertically: fade both polar edges into one colour so the
  // Antarctic bottom meets the Arctic top without a hard seam.
  const band = Math.round(4 * ppd);
  for (let y = 0; y < band; y++) {
    const t = 1 - smoothstep(0, band, y + 0.5);
    for (let x = 0; x < W; x++) {
      img.blend(x, y, s.polarEdge, t);
      img.blend(x, H - 1 - y, s.polarEdge, t);
    }
  }

  if (s.scanlines) {
    for (let y = 1; y < H; y += 2) for (let x = 0; x < W; x++) img.set(x, y, scale(img.get(x, y), 1 - s.scanlines));
  }
  return img;
}

module.exports = { renderWorldMap };
