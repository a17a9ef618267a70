#!/usr/bin/env node
// Writes tests/text/pinyin_expected.tsv: for every word of the fixture (its
// first column; or one word a line on standard input with --words) the
// reading pinyin-pro gives, with tone marks, one syllable a character,
// separated by spaces. The accuracy test measures how often ToPinyin agrees.
//
// Needs only the machine that refreshes the fixture to have pinyin-pro:
//   npm install --prefix /tmp/pinyin-pro pinyin-pro@3.29.4
//   NODE_PATH=/tmp/pinyin-pro/node_modules tools/pinyin_expected.js
//
// Tone sandhi is off: dictionaries, and so file names, write 一 and 不 with
// their own tones (一个 yī gè, 不是 bù shì).
'use strict';
const fs = require('fs');
const path = require('path');
const { pinyin } = require('pinyin-pro');

const fixture = path.join(__dirname, '..', 'tests', 'text', 'pinyin_expected.tsv');
const version = require('pinyin-pro/package.json').version;

function words() {
  if (process.argv.includes('--words')) {
    return fs.readFileSync(0, 'utf8').split('\n').map((w) => w.trim()).filter(Boolean);
  }
  return fs.readFileSync(fixture, 'utf8').split('\n')
      .filter((line) => line && !line.startsWith('#'))
      .map((line) => line.split('\t')[0]);
}

const header = [
  `# Expected readings by pinyin-pro ${version} (MIT), written by tools/pinyin_expected.js.`,
  '# Words of the jieba dictionary (MIT): the most frequent, the most frequent holding a',
  '# polyphonic character, and compounds of five to seven characters.',
  '# word<TAB>reading with tone marks.',
];
const rows = words().map((word) => {
  const reading = pinyin(word, { toneType: 'symbol', type: 'array', toneSandhi: false });
  return `${word}\t${reading.join(' ')}`;
});
fs.writeFileSync(fixture, header.concat(rows).join('\n') + '\n');
console.log(`${fixture}: ${rows.length} words`);
