'use strict';
// Natural Earth land and country borders (public domain, via world-atlas) in an
// equirectangular projection: x = (lon + 180) / 360 * W, y = (90 - lat) / 180 * H.
// The data is in spherical coordinates: a few rings (eastern Russia, Fiji, Wrangel
// Island) step straight across the antimeridian and Antarctica's ring encircles the
// south pole. Rings are therefore unwrapped to continuous longitudes, pole-encircling
// rings are closed along the pole, and every ring is emitted at the shifts -360, 0 and
// +360 so the planar fill is right on both map edges and the map tiles seamlessly.
const topojson = require('topojson-client');

let landCache = null;
let bordersCache = null;

function landTopology() {
  if (!landCache) {
    const topo = require('world-atlas/land-50m.json');
    const fc = topojson.feature(topo, topo.objects.land);
    const rings = [];
    for (const f of fc.features) {
      const g = f.geometry;
      const polys = g.type === 'Polygon' ? [g.coordinates] : g.coordinates;
      for (const p of polys) for (const r of p) rings.push(r);
    }
    landCache = rings;
  }
  return landCache;
}

function borderLines() {
  if (!bordersCache) {
    const topo = require('world-atlas/countries-50m.json');
    const mesh = topojson.mesh(topo, topo.objects.countries, (a, b) => a !== b);
    bordersCache = mesh.coordinates;
  }
  return bordersCache;
}

const projector = (W, H) => ([lon, lat]) => [((lon + 180) / 360) * W, ((90 - lat) / 180) * H];

/** Longitudes made continuous (consecutive steps never exceed 180 degrees). */
function unwrap(coords) {
  const out = [coords[0].slice()];
  for (let i = 1; i < coords.length; i++) {
    let d = coords[i][0] - coords[i - 1][0];
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    out.push([out[i - 1][0] + d, coords[i][1]]);
  }
  return out;
}

/** Copies shifted by whole turns that reach into the -180..180 window. */
function shiftedCopies(coords) {
  let lo = Infinity, hi = -Infinity;
  for (const [lon] of coords) {
    lo = Math.min(lo, lon);
    hi = Math.max(hi, lon);
  }
  const out = [];
  for (let k = -2; k <= 2; k++) {
    if (hi + 360 * k < -180 || lo + 360 * k > 180) continue;
    out.push(k === 0 ? coords : coords.map(([lon, lat]) => [lon + 360 * k, lat]));
  }
  return out;
}

const nearPole = (ring) => ring.every(([, lat]) => Math.abs(lat) > 89.9);

/** Land rings in pixel coordinates of a W x H map. */
function landRings(W, H) {
  const p = projector(W, H);
  const out = [];
  for (const raw of landTopology()) {
    if (nearPole(raw)) continue; // zero-area sliver along the pole
    const ring = unwrap(raw);
    const net = ring[ring.length - 1][0] - ring[0][0];
    if (Math.abs(net) > 180) {
      const poleLat = ring.reduce((a, q) => a + q[1], 0) < 0 ? -90 : 90;
      ring.push([ring[ring.length - 1][0], poleLat], [ring[0][0], poleLat]);
    }
    for (const c of shiftedCopies(ring)) out.push(c.map(p));
  }
  return out;
}

// Edges that lie on the pole or run along the antimeridian are not coastline.
const artificialEdge = (a, b) =>
  (Math.abs(a[0]) > 179.99 && Math.abs(b[0]) > 179.99) || (Math.abs(a[1]) > 89.9 && Math.abs(b[1]) > 89.9);

/** Splits raw coordinates at artificial edges, then unwraps and shifts each piece. */
function projectedLines(coords, W, H) {
  const p = projector(W, H);
  const pieces = [];
  let cur = [];
  for (let i = 0; i < coords.length; i++) {
    if (i > 0 && artificialEdge(coords[i - 1], coords[i])) {
      if (cur.length > 1) pieces.push(cur);
      cur = [];
    }
    cur.push(coords[i]);
  }
  if (cur.length > 1) pieces.push(cur);
  const out = [];
  for (const piece of pieces) for (const c of shiftedCopies(unwrap(piece))) out.push(c.map(p));
  return out;
}

/** Coastlines as open polylines in pixel coordinates. */
function coastLines(W, H) {
  const out = [];
  for (const r of landTopology()) out.push(...projectedLines(r, W, H));
  return out;
}

/** Land borders between countries as polylines in pixel coordinates. */
function countryBorders(W, H) {
  const out = [];
  for (const line of borderLines()) out.push(...projectedLines(line, W, H));
  return out;
}

module.exports = { landRings, coastLines, countryBorders };
