'use strict';
// The program's fixed screen geometry. The interface frames and target boxes are
// drawn around these rectangles; the preview and verify scripts check against them.

const CANVAS = { w: 800, h: 520 };
const CAMEO = { w: 76, h: 60, y: 380 };
const CAMEO_X = { 2: [311, 405], 3: [256, 350, 444] };
const SCREENSHOT = { x: 542, y: 267, w: 234, h: 232 };
const LARGE_BOX = { x: 346, y: 52, w: 295, h: 289 };
const LARGE_WINDOW = { x: 353, y: 58, w: 281, h: 277 };
const SMALL_BOX = { x: 232, w: 40, h: 40 };
const MAP_1X = { w: 1080, h: 540 };
const MAP_2X = { w: 2160, h: 1080 };
const DEFAULTS = { smallMapOffset: [0, 0], largeMapOffset: [232, 103], targetBoxPos: [232, 103] };

module.exports = { CANVAS, CAMEO, CAMEO_X, SCREENSHOT, LARGE_BOX, LARGE_WINDOW, SMALL_BOX, MAP_1X, MAP_2X, DEFAULTS };
