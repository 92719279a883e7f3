'use strict';
// Per-side colour themes for the world maps and the interface frames. Colours are
// written '#rrggbb' for readability; resolve() turns a theme into integer colours.
const { col } = require('./image');

const mapBase = {
  shelfDeg: 2.5,
  oceanTexture: 0.08,
  landTexture: 0.05,
  reliefSteps: [0.4, 0.62, 0.82],
  reliefLineAlpha: 0.6,
  depthLines: [[1.2, 0.45], [3.2, 0.25]],
  gridMinorAlpha: 0.16,
  gridMajorAlpha: 0.3,
  gridOnLand: 0.6,
  borderWidth: 0.8,
  borderAlpha: 0.45,
  coastWidth: 1.1,
  scanlines: 0.05,
};

const maps = {
  all: {
    ...mapBase, seed: 11,
    oceanDeep: '#0b1624', oceanShallow: '#173049', depthLine: '#3f6c8e',
    reliefLevels: ['#414e5a', '#4d5b68', '#5a6976', '#697886'], reliefLine: '#1c2630', reliefLight: '#a4b6c8',
    snow: '#9fb0c0', coast: '#9fd8ff', border: '#1a2632', grid: '#7fb0d8', polarEdge: '#08111c',
  },
  sov: {
    ...mapBase, seed: 23,
    oceanDeep: '#120807', oceanShallow: '#2e1411', depthLine: '#6e2418',
    reliefLevels: ['#503a33', '#5c443c', '#6a4f46', '#7a5b50'], reliefLine: '#21140f', reliefLight: '#b8887a',
    snow: '#968680', coast: '#ff6040', border: '#24140f', grid: '#c04a34', polarEdge: '#0c0504',
  },
  psy: {
    ...mapBase, seed: 37,
    oceanDeep: '#100a1c', oceanShallow: '#261a3e', depthLine: '#5e3c8c',
    reliefLevels: ['#433a52', '#4e4460', '#5a4f6e', '#675b7c'], reliefLine: '#1a1226', reliefLight: '#b49ad4',
    snow: '#968ca8', coast: '#e49cff', border: '#23123a', grid: '#b07ce0', polarEdge: '#0c0616',
  },
  com: {
    ...mapBase, seed: 5, scanlines: 0, coastWidth: 0.8, borderWidth: 0.7,
    oceanDeep: '#11171b', oceanShallow: '#253038', depthLine: '#4a5c68',
    reliefLevels: ['#575d5b', '#636967', '#707573', '#7f8481'], reliefLine: '#2e3335', reliefLight: '#b0b6b4',
    snow: '#aab0b0', coast: '#e6f2f4', border: '#2a2f31', grid: '#96a6b0', polarEdge: '#0c1014',
  },
};

module.exports = { maps };

// Interface frame themes. metal* is the panel ramp, edge* the bevel, well* recesses,
// accent the side's glow colour. None of these may be the transparent key 0x0000FF.
const frameBase = { outline: '#050607', lampGreen: '#4cff7a', lampAmber: '#ffb830', lampRed: '#ff4030' };
const frames = {
  all: {
    ...frameBase, metalLight: '#7a8998', metalDark: '#333e49', edgeLight: '#c8d8e8', edgeDark: '#151b22',
    wellDark: '#070b10', well: '#0f1922', accent: '#5cc8ff', accentDim: '#1f5576', text: '#d8eeff',
    screen: '#061420', screenGrid: '#103049', title: ['ALLIED', 'COMMAND'],
  },
  sov: {
    ...frameBase, metalLight: '#857570', metalDark: '#3a2e2b', edgeLight: '#dcc8c0', edgeDark: '#1a1210',
    wellDark: '#0e0605', well: '#1e0f0d', accent: '#ff4a30', accentDim: '#7a1e12', text: '#ffe0d0',
    screen: '#1a0604', screenGrid: '#4a130c', title: ['SOVIET', 'COMMAND'],
  },
  psy: {
    ...frameBase, metalLight: '#7e7090', metalDark: '#342b42', edgeLight: '#d6c8ea', edgeDark: '#16101e',
    wellDark: '#0a0610', well: '#170f22', accent: '#d070ff', accentDim: '#5a2a7a', text: '#f0dcff',
    screen: '#10061a', screenGrid: '#36164e', title: ['PSI', 'DIVISION'],
  },
  // Common target boxes: neutral steel that matches the grey zoom lines.
  com: {
    ...frameBase, metalLight: '#a8aeb4', metalDark: '#5a6066', edgeLight: '#f0f4f8', edgeDark: '#2a2e32',
    wellDark: '#101214', well: '#202428', accent: '#e8f4ff', accentDim: '#6a7c8a', text: '#ffffff',
  },
};

module.exports.frames = frames;

/** Copy of a theme with every '#rrggbb' string (also inside arrays) as an integer colour. */
function resolve(theme) {
  const conv = (v) => (typeof v === 'string' && v[0] === '#' ? col(v) : Array.isArray(v) ? v.map(conv) : v);
  return Object.fromEntries(Object.entries(theme).map(([k, v]) => [k, conv(v)]));
}

module.exports.resolve = resolve;
