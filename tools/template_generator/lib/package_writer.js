'use strict';
// Writes the package files. Text files are ASCII with CRLF line ends, as the program
// reads them with the Windows text conventions (the About box shows CRLF line breaks).
const fs = require('fs');
const path = require('path');

class PackageWriter {
  constructor(root) {
    this.root = root;
    this.written = [];
  }

  file(rel) {
    const p = path.join(this.root, rel);
    fs.mkdirSync(path.dirname(p), { recursive: true });
    this.written.push(rel);
    return p;
  }

  png(rel, img) {
    fs.writeFileSync(this.file(rel), img.toPngBuffer());
  }

  text(rel, lines) {
    const body = lines.join('\r\n') + '\r\n';
    if (/[^\x09\x0d\x0a\x20-\x7e]/.test(body)) throw new Error(`${rel}: text must be plain ASCII`);
    fs.writeFileSync(this.file(rel), body, 'latin1');
  }
}

/**
 * Settings.ini body. Names may not contain ';' (starts a comment), '=' (splits the
 * entry) or ',' (splits name from file name); no blank after the comma, because the
 * reader keeps leading blanks of symbol file names.
 */
function settingsIni(symbols, cameos) {
  const check = (e) => {
    if (/[;=,]/.test(e.name) || /[;=,\s]/.test(e.file)) throw new Error(`bad catalogue entry ${e.name}`);
  };
  const lines = [
    '; Vantorel template package catalogue.',
    '; Each entry: <unique key>=<display name>,<file name in Templates>',
    '; Symbols are markers: side-colour parts 0xFFFF00 on pure blue 0x0000FF.',
    '; Cameos are unit icons of exactly 76 x 60 pixels.',
    '',
    '[SymbolsList]',
  ];
  symbols.forEach((e, i) => {
    check(e);
    lines.push(`${i + 1}=${e.name},${e.file}`);
  });
  lines.push('', '[CameosList]');
  cameos.forEach((e, i) => {
    check(e);
    lines.push(`${i + 1}=${e.name},${e.file}`);
  });
  return lines;
}

module.exports = { PackageWriter, settingsIni };
