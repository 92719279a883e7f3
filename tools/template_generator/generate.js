'use strict';
// Builds the default template package into resources/package/ and example inputs into
// examples/. Deterministic: fixed seeds, no timestamps, so a re-run gives identical bytes.
//   node generate.js            everything
//   node generate.js frames     only some parts (maps, frames, boxes, cameos, symbols, examples, text)
const path = require('path');
const { PackageWriter, settingsIni } = require('./lib/package_writer');
const { CAMEOS, renderCameo } = require('./lib/cameos');
const { SYMBOLS, renderSymbol } = require('./lib/symbols');
const { renderBattlefield } = require('./lib/battlefield');
const { readme } = require('./lib/readme');
const { renderWorldMap } = require('./lib/maps');
const { renderFrame } = require('./lib/frames');
const { renderLargeTargetBox, renderSmallTargetBox } = require('./lib/targets');
const styles = require('./lib/styles');
const { MAP_1X, MAP_2X } = require('./lib/layout');

const REPO = path.resolve(__dirname, '..', '..');
const SIDES = ['all', 'sov', 'psy'];

function main(args) {
  const want = (part) => args.length === 0 || args.includes(part);
  const pkg = new PackageWriter(path.join(REPO, 'resources', 'package'));
  const examples = new PackageWriter(path.join(REPO, 'examples'));
  const step = (name, fn) => {
    if (!want(name)) return;
    const t0 = Date.now();
    fn();
    console.log(`${name}: ${((Date.now() - t0) / 1000).toFixed(1)} s`);
  };

  step('maps', () => {
    for (const side of SIDES) pkg.png(`Templates/${side}_worldmap.png`, renderWorldMap(MAP_1X.w, MAP_1X.h, styles.maps[side]));
    pkg.png('Templates/com_worldmap2x.png', renderWorldMap(MAP_2X.w, MAP_2X.h, styles.maps.com));
  });
  step('frames', () => {
    for (const side of SIDES) for (const n of [2, 3]) pkg.png(`Templates/${side}_${n}icomain.png`, renderFrame(side, n, styles.frames[side]));
  });
  step('boxes', () => {
    pkg.png('Templates/com_largetargetbox.png', renderLargeTargetBox(styles.frames.com));
    pkg.png('Templates/com_smalltargetbox.png', renderSmallTargetBox(styles.frames.com));
  });
  step('cameos', () => {
    for (const c of CAMEOS) pkg.png(`Templates/${c.file}`, renderCameo(c));
  });
  step('symbols', () => {
    for (const s of SYMBOLS) pkg.png(`Templates/${s.file}`, renderSymbol(s.id));
  });
  step('examples', () => {
    const field = renderBattlefield(320, 300);
    pkg.png('Templates/example_battlefield.png', field);
    examples.png('battlefield.png', field);
    examples.png('battlefield_234x232.png', field.crop(43, 34, 234, 232));
  });
  step('text', () => {
    pkg.text('Settings.ini', settingsIni(SYMBOLS, CAMEOS));
    pkg.text('Templates/readme.txt', readme(SYMBOLS.length, CAMEOS.length));
  });
}

main(process.argv.slice(2));
