'use strict';
// Scanline polygon rasterizer. Pixel (i, j) covers the square [i, i+1) x [j, j+1);
// coverage is exact horizontally and sampled on `samples` sub-rows vertically, which
// gives clean anti-aliased edges without a general area-coverage algorithm.

/**
 * Rasterizes rings (arrays of [x, y]) into a coverage mask for the box
 * (bx, by, bw, bh). rule is 'evenodd' or 'nonzero'. Returns Float32Array bw*bh in 0..1.
 */
function coverageBox(rings, bx, by, bw, bh, { samples = 4, rule = 'evenodd' } = {}) {
  const cov = new Float32Array(bw * bh);
  const edges = [];
  for (const ring of rings) {
    const n = ring.length;
    for (let i = 0; i < n; i++) {
      const a = ring[i], b = ring[(i + 1) % n];
      if (a[1] === b[1]) continue;
      const dir = b[1] > a[1] ? 1 : -1;
      const top = dir > 0 ? a : b, bot = dir > 0 ? b : a;
      const ymin = top[1] - by, ymax = bot[1] - by;
      if (ymax <= 0 || ymin >= bh) continue;
      edges.push({ ymin, ymax, x0: top[0] - bx, y0: ymin, slope: (bot[0] - top[0]) / (bot[1] - top[1]), dir });
    }
  }
  edges.sort((p, q) => p.ymin - q.ymin);
  const wgt = 1 / samples;
  let next = 0;
  let active = [];
  const xs = [];
  for (let s = 0; s < bh * samples; s++) {
    const sy = (s + 0.5) / samples;
    while (next < edges.length && edges[next].ymin <= sy) active.push(edges[next++]);
    active = active.filter((e) => e.ymax > sy);
    xs.length = 0;
    for (const e of active) if (e.ymin <= sy) xs.push({ x: e.x0 + (sy - e.y0) * e.slope, dir: e.dir });
    if (xs.length < 2) continue;
    xs.sort((p, q) => p.x - q.x);
    const row = Math.floor(s / samples) * bw;
    let wind = 0;
    for (let k = 0; k < xs.length - 1; k++) {
      wind += rule === 'evenodd' ? 1 : xs[k].dir;
      const inside = rule === 'evenodd' ? (wind & 1) === 1 : wind !== 0;
      if (inside) addSpan(cov, row, bw, xs[k].x, xs[k + 1].x, wgt);
    }
  }
  for (let i = 0; i < cov.length; i++) if (cov[i] > 1) cov[i] = 1;
  return cov;
}

function addSpan(cov, row, w, xa, xb, wgt) {
  if (xa < 0) xa = 0;
  if (xb > w) xb = w;
  if (xb <= xa) return;
  const ia = Math.floor(xa), ib = Math.floor(xb);
  if (ia === ib) {
    cov[row + ia] += (xb - xa) * wgt;
    return;
  }
  cov[row + ia] += (ia + 1 - xa) * wgt;
  for (let i = ia + 1; i < ib; i++) cov[row + i] += wgt;
  if (ib < w) cov[row + ib] += (xb - ib) * wgt;
}

function bounds(rings) {
  let x0 = Infinity, y0 = Infinity, x1 = -Infinity, y1 = -Infinity;
  for (const r of rings) for (const [x, y] of r) {
    if (x < x0) x0 = x;
    if (y < y0) y0 = y;
    if (x > x1) x1 = x;
    if (y > y1) y1 = y;
  }
  return { x0: Math.floor(x0), y0: Math.floor(y0), x1: Math.ceil(x1), y1: Math.ceil(y1) };
}

/** Coverage over a whole width x height canvas. */
function coverage(rings, width, height, opts) {
  return coverageBox(rings, 0, 0, width, height, opts);
}

/**
 * Paints rings into img. paint is a colour or a function (x, y) -> colour.
 * opts: rule, samples, opacity, aa (false snaps coverage to 0/1 for key-safe edges).
 */
function fillRings(img, rings, paint, opts = {}) {
  const { opacity = 1, aa = true } = opts;
  const b = bounds(rings);
  const bx = Math.max(0, b.x0), by = Math.max(0, b.y0);
  const bw = Math.min(img.width, b.x1) - bx, bh = Math.min(img.height, b.y1) - by;
  if (bw <= 0 || bh <= 0) return;
  const cov = coverageBox(rings, bx, by, bw, bh, opts);
  const fn = typeof paint === 'function' ? paint : null;
  for (let y = 0; y < bh; y++) {
    for (let x = 0; x < bw; x++) {
      let a = cov[y * bw + x];
      if (!aa) a = a >= 0.5 ? 1 : 0;
      if (a <= 0) continue;
      img.blend(bx + x, by + y, fn ? fn(bx + x, by + y) : paint, a * opacity);
    }
  }
}

const fillPolygon = (img, pts, paint, opts) => fillRings(img, [pts], paint, opts);

// ---- shape generators (return rings of [x, y]) ----

function ellipse(cx, cy, rx, ry, steps = 0, rot = 0) {
  const n = steps || Math.max(16, Math.ceil(Math.max(rx, ry) * 4));
  const pts = [];
  const c = Math.cos(rot), s = Math.sin(rot);
  for (let i = 0; i < n; i++) {
    const t = (i / n) * Math.PI * 2;
    const x = Math.cos(t) * rx, y = Math.sin(t) * ry;
    pts.push([cx + x * c - y * s, cy + x * s + y * c]);
  }
  return pts;
}

const circle = (cx, cy, r, steps) => ellipse(cx, cy, r, r, steps);

function rect(x, y, w, h) {
  return [[x, y], [x + w, y], [x + w, y + h], [x, y + h]];
}

/** Rectangle with corners cut at 45 degrees by c (per corner: number or [tl, tr, br, bl]). */
function chamferRect(x, y, w, h, c) {
  const [tl, tr, br, bl] = Array.isArray(c) ? c : [c, c, c, c];
  return [
    [x + tl, y], [x + w - tr, y], [x + w, y + tr], [x + w, y + h - br],
    [x + w - br, y + h], [x + bl, y + h], [x, y + h - bl], [x, y + tl],
  ];
}

function roundRect(x, y, w, h, r) {
  const pts = [];
  const arc = (cx, cy, a0) => {
    for (let i = 0; i <= 6; i++) {
      const t = a0 + (i / 6) * (Math.PI / 2);
      pts.push([cx + Math.cos(t) * r, cy + Math.sin(t) * r]);
    }
  };
  arc(x + w - r, y + r, -Math.PI / 2);
  arc(x + w - r, y + h - r, 0);
  arc(x + r, y + h - r, Math.PI / 2);
  arc(x + r, y + r, Math.PI);
  return pts;
}

function star(cx, cy, rOuter, rInner, points = 5, rot = -Math.PI / 2) {
  const pts = [];
  for (let i = 0; i < points * 2; i++) {
    const r = i % 2 === 0 ? rOuter : rInner;
    const t = rot + (i * Math.PI) / points;
    pts.push([cx + Math.cos(t) * r, cy + Math.sin(t) * r]);
  }
  return pts;
}

/** Transforms points: rotate by angle around origin, then scale, then translate. */
function transform(pts, { dx = 0, dy = 0, sx = 1, sy = 1, rot = 0, ox = 0, oy = 0 } = {}) {
  const c = Math.cos(rot), s = Math.sin(rot);
  return pts.map(([x, y]) => {
    const px = (x - ox) * sx, py = (y - oy) * sy;
    return [ox + px * c - py * s + dx, oy + px * s + py * c + dy];
  });
}

function signedArea(pts) {
  let a = 0;
  for (let i = 0; i < pts.length; i++) {
    const p = pts[i], q = pts[(i + 1) % pts.length];
    a += p[0] * q[1] - q[0] * p[1];
  }
  return a / 2;
}

/** Orients a ring clockwise in screen space so nonzero unions never cancel. */
function oriented(pts) {
  return signedArea(pts) < 0 ? pts.slice().reverse() : pts;
}

/**
 * Outline of a polyline of given width as rings (segment quads plus round joints);
 * fill the result with rule 'nonzero'.
 */
function strokeRings(pts, width, { closed = false, caps = true } = {}) {
  const rings = [];
  const h = width / 2;
  const n = pts.length;
  const segs = closed ? n : n - 1;
  for (let i = 0; i < segs; i++) {
    const a = pts[i], b = pts[(i + 1) % n];
    const dx = b[0] - a[0], dy = b[1] - a[1];
    const len = Math.hypot(dx, dy);
    if (len === 0) continue;
    const nx = (-dy / len) * h, ny = (dx / len) * h;
    rings.push(oriented([[a[0] + nx, a[1] + ny], [b[0] + nx, b[1] + ny], [b[0] - nx, b[1] - ny], [a[0] - nx, a[1] - ny]]));
  }
  if (width > 1.2) {
    for (let i = 0; i < n; i++) {
      if (!closed && !caps && (i === 0 || i === n - 1)) continue;
      rings.push(oriented(circle(pts[i][0], pts[i][1], h, 10)));
    }
  }
  return rings;
}

function strokePolyline(img, pts, width, paint, opts = {}) {
  fillRings(img, strokeRings(pts, width, opts), paint, { ...opts, rule: 'nonzero' });
}

// ---- crisp 1-pixel primitives (no blending: safe next to the transparent key) ----

function hline(img, x0, x1, y, c) {
  for (let x = Math.min(x0, x1); x <= Math.max(x0, x1); x++) img.set(x, y, c);
}

function vline(img, x, y0, y1, c) {
  for (let y = Math.min(y0, y1); y <= Math.max(y0, y1); y++) img.set(x, y, c);
}

/** Bresenham line, the same stepping the program uses for its zoom lines. */
function line(img, x0, y0, x1, y1, c) {
  const dx = Math.abs(x1 - x0), dy = -Math.abs(y1 - y0);
  const sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  let err = dx + dy;
  for (;;) {
    img.set(x0, y0, c);
    if (x0 === x1 && y0 === y1) break;
    const e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

function strokeRect(img, x, y, w, h, c) {
  hline(img, x, x + w - 1, y, c);
  hline(img, x, x + w - 1, y + h - 1, c);
  vline(img, x, y, y + h - 1, c);
  vline(img, x + w - 1, y, y + h - 1, c);
}

module.exports = {
  coverage, coverageBox, fillRings, fillPolygon, ellipse, circle, rect, chamferRect, roundRect, star,
  transform, oriented, strokeRings, strokePolyline, hline, vline, line, strokeRect, bounds,
};
