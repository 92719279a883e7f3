'use strict';
// Paint functions (x, y) -> colour for fills: linear and radial ramps.
const { mix } = require('./image');

/** Linear ramp from c0 at (x0, y0) to c1 at (x1, y1), clamped beyond the ends. */
function linear(x0, y0, x1, y1, c0, c1) {
  const dx = x1 - x0, dy = y1 - y0;
  const len2 = dx * dx + dy * dy || 1;
  return (x, y) => {
    const t = ((x + 0.5 - x0) * dx + (y + 0.5 - y0) * dy) / len2;
    return mix(c0, c1, Math.min(1, Math.max(0, t)));
  };
}

/** Radial ramp from c0 at the centre to c1 at radius r. */
function radial(cx, cy, r, c0, c1) {
  return (x, y) => mix(c0, c1, Math.min(1, Math.hypot(x + 0.5 - cx, y + 0.5 - cy) / r));
}

module.exports = { linear, radial };
