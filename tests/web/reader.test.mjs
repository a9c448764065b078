// The reading page's pure helpers, loaded from Web/reader.js outside any page.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const page = require('../../Web/reader.js');

test('find folding keeps every offset and ignores case and kinds of white space', () => {
  const cases = [
    ['Hello World', 'hello world'],
    ['A\tB\nC\u00a0D', 'a b c d'],
    // İ lowercases to two code units; it stays as written so offsets still line up.
    ['İx Foo', 'İx foo'],
    ['Straße', 'straße'],
    ['ÉCOLE', 'école'],
  ];
  for (const [text, folded] of cases) {
    assert.equal(page.foldForFind(text), folded, text);
    assert.equal(page.foldForFind(text).length, text.length, text);
  }
});

test('find ranges do not overlap and an empty query finds nothing', () => {
  const cases = [
    ['aaaa', 'aa', [[0, 2], [2, 4]]],
    ['abcabc', 'bc', [[1, 3], [4, 6]]],
    ['abc', 'x', []],
    ['abc', '', []],
    ['ab\u0000cd', 'bc', []],
  ];
  for (const [text, query, ranges] of cases) {
    assert.deepEqual(page.findRanges(text, query), ranges, `${text} / ${query}`);
  }
  const text = page.foldForFind('İx Foo and FOO');
  assert.deepEqual(page.findRanges(text, page.foldForFind('foo')), [[3, 6], [11, 14]]);
});

// Blocks starting at lines 3, 10 and 12; the last one ends at 500.
const blocks = [
  { line: 3, top: 100 },
  { line: 10, top: 230 },
  { line: 12, top: 400 },
];
const end = 500;

test('positions map to source lines spread between block tops', () => {
  const cases = [
    [0, 1],
    [50, 2], // front matter above the first block
    [100, 3],
    [165, 6.5],
    [230, 10],
    [315, 11],
    [400, 12],
    [450, 12.5], // inside the last block, which counts as one line
  ];
  for (const [y, line] of cases) {
    assert.ok(Math.abs(page.positionToLine(blocks, end, y) - line) < 1e-9, `y ${y}`);
    assert.ok(Math.abs(page.lineToPosition(blocks, end, line) - y) < 1e-9, `line ${line}`);
  }
  assert.ok(page.positionToLine(blocks, end, 10000) < 13);
  assert.equal(page.lineToPosition(blocks, end, 40), 400);
  assert.equal(page.lineToPosition([], 0, 7), 0);
  assert.equal(page.positionToLine([], 0, 700), 1);
});

test('a line scrolled to reads back as the same top line after pixel rounding', () => {
  const inset = 12;
  for (let line = 1; line <= 12; line++) {
    const target = page.lineToPosition(blocks, end, line) - inset;
    for (const scrollY of [Math.round(target), Math.floor(target), Math.ceil(target)]) {
      const y = Math.max(scrollY, 0) + inset;
      assert.equal(page.wholeLineAt(blocks, end, y), line, `line ${line} at ${scrollY}`);
    }
  }
  assert.equal(page.wholeLineAt(blocks, end, 2000), 12);
  assert.equal(page.wholeLineAt([], 0, 300), 1);
});

test('blocks whose line or position goes back are left out', () => {
  const measured = [
    { line: 2, top: 10 },
    { line: NaN, top: 20 },
    { line: 0, top: 30 },
    { line: 5, top: 40 },
    { line: 4, top: 50 },
    { line: 6, top: 35 },
    { line: 6, top: 60 },
  ];
  assert.deepEqual(page.orderedBlocks(measured), [
    { line: 2, top: 10 },
    { line: 5, top: 40 },
    { line: 6, top: 60 },
  ]);
});

test('the start position comes from the anchor, else a line of 2 or more, else an offset above 0', () => {
  const cases = [
    [{ 'data-anchor': 'intro', 'data-line': '9', 'data-scroll': '250.0' }, { anchor: 'intro' }],
    [{ 'data-anchor': 'a "b" & c' }, { anchor: 'a "b" & c' }],
    [{ 'data-line': '2' }, { line: 2 }],
    [{ 'data-line': '1', 'data-scroll': '250.0' }, { scroll: 250 }],
    [{ 'data-scroll': '0.0' }, null],
    [{ 'data-scroll': '-5.0' }, null],
    [{ 'data-line': 'x' }, null],
    [{}, null],
  ];
  for (const [attributes, start] of cases) {
    assert.deepEqual(page.startPosition(attributes), start, JSON.stringify(attributes));
  }
});

test('the current heading is the one whose section holds the top of the view', () => {
  const tops = [100, 500, 900];
  const cases = [
    // A page at its top marks its first heading once that is in view, even when
    // later ones are in view too.
    [12, 1000, true, 0],
    [12, 101, true, 0],
    [12, 100, true, -1],
    // Scrolled, the part above the first heading belongs to none.
    [50, 800, false, -1],
    [100, 900, false, 0],
    [498, 1200, false, 0],
    [499, 1200, false, 1],
    // Near the end, later headings in view do not take the mark.
    [600, 1400, false, 1],
    [901, 1400, false, 2],
  ];
  for (const [viewTop, viewBottom, atTop, index] of cases) {
    assert.equal(page.headingIndexAt(tops, viewTop, viewBottom, atTop), index, `${viewTop} ${viewBottom} ${atTop}`);
  }
  assert.equal(page.headingIndexAt([], 0, 100, true), -1);
});

test('find steps wrap around in both directions', () => {
  const cases = [
    [0, 3, true, 1],
    [2, 3, true, 0],
    [0, 3, false, 2],
    [-1, 3, true, 0],
    [-1, 3, false, 2],
    [0, 0, true, -1],
  ];
  for (const [current, count, forward, next] of cases) {
    assert.equal(page.stepIndex(current, count, forward), next, `${current} of ${count}`);
  }
  assert.deepEqual(page.findStatus(-1, 0), { current: 0, count: 0 });
  assert.deepEqual(page.findStatus(2, 5), { current: 3, count: 5 });
});

test('code language and copied text', () => {
  assert.equal(page.codeLanguage('language-js'), 'js');
  assert.equal(page.codeLanguage('hljs language-c++'), 'c++');
  assert.equal(page.codeLanguage('nolanguage-x'), '');
  assert.equal(page.codeLanguage(''), '');
  assert.equal(page.copyText('a\nb\n'), 'a\nb');
  assert.equal(page.copyText('a\n\n'), 'a\n');
  assert.equal(page.copyText('a'), 'a');
});
