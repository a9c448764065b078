// The reading page's script: the `mdr` object that the application calls, and the
// "heading", "scroll" and "copy" messages that the page posts on the "mdr" channel.
// The page's security policy allows no inline script, so every handler is attached here.
(function (global) {
  'use strict';

  // Distance kept between the top of the view and a block scrolled to the top, so
  // that the text does not touch the edge; topLine measures at the same height.
  const topInset = 12;
  // Larger code blocks stay plain: highlighting them would hold up the page.
  const maxHighlightedLength = 100000;
  // A slice of highlighting work, in milliseconds, before the page gets a turn.
  const highlightSlice = 8;
  const scrollPostDelay = 150;
  // Joins text of different blocks, so that a find never matches across them.
  const blockSeparator = '\u0000';

  // ---- Pure helpers: no page access, so they can be tested on their own. ----

  // Lowercases and turns white space into plain spaces, one code unit for one,
  // so that offsets in the folded text are offsets in the original.
  function foldForFind(text) {
    const lower = text.toLowerCase();
    if (lower.length === text.length) return lower.replace(/\s/g, ' ');
    let out = '';
    for (const ch of text) {
      const folded = ch.toLowerCase();
      const kept = folded.length === ch.length ? folded : ch;
      out += /^\s$/.test(kept) ? ' ' : kept;
    }
    return out;
  }

  // Non-overlapping [start, end) ranges of needle in haystack, left to right.
  function findRanges(haystack, needle) {
    const ranges = [];
    if (!needle) return ranges;
    let from = 0;
    for (;;) {
      const at = haystack.indexOf(needle, from);
      if (at < 0) return ranges;
      ranges.push([at, at + needle.length]);
      from = at + needle.length;
    }
  }

  // Blocks are the rendered top-level blocks in document order, each {line, top}
  // (its first source line and its top in page coordinates); `end` is the bottom of
  // the last one. Between two blocks, lines are spread evenly over the space from
  // one top to the next; the last block counts as one line. The results are
  // fractional so that a position survives a round trip through a line.
  function positionToLine(blocks, end, y) {
    if (blocks.length === 0) return 1;
    const first = blocks[0];
    if (y < first.top) {
      if (first.line <= 1 || first.top <= 0) return 1;
      return 1 + (Math.max(y, 0) / first.top) * (first.line - 1);
    }
    let i = lastIndexWhere(blocks, (b) => b.top <= y);
    const block = blocks[i];
    const next = blocks[i + 1];
    const nextLine = next ? next.line : block.line + 1;
    const nextTop = next ? next.top : Math.max(end, block.top);
    if (nextTop <= block.top || nextLine <= block.line) return block.line;
    const fraction = Math.min((y - block.top) / (nextTop - block.top), 1);
    return Math.min(block.line + fraction * (nextLine - block.line), nextLine - 1e-9);
  }

  function lineToPosition(blocks, end, line) {
    if (blocks.length === 0 || line <= 1) return 0;
    const first = blocks[0];
    if (line < first.line) return ((line - 1) / (first.line - 1)) * first.top;
    const i = lastIndexWhere(blocks, (b) => b.line <= line);
    const block = blocks[i];
    const next = blocks[i + 1];
    const nextLine = next ? next.line : block.line + 1;
    const nextTop = next ? next.top : Math.max(end, block.top);
    if (line >= nextLine || nextLine <= block.line) return block.top;
    return block.top + ((line - block.line) / (nextLine - block.line)) * (nextTop - block.top);
  }

  // The whole source line at a position. Scroll offsets are whole pixels, so a line
  // scrolled to may sit up to a pixel below the top: a pixel's allowance keeps it
  // from reading as the line before.
  function wholeLineAt(blocks, end, y) {
    return Math.max(1, Math.floor(positionToLine(blocks, end, y + 1)));
  }

  function lastIndexWhere(items, test) {
    let found = 0;
    for (let i = 0; i < items.length; i++) {
      if (test(items[i])) found = i;
      else break;
    }
    return found;
  }

  // Keeps the blocks whose lines do not go back: a raw HTML block of the note may
  // carry data-line attributes of its own.
  function orderedBlocks(blocks) {
    const kept = [];
    for (const block of blocks) {
      if (!Number.isFinite(block.line) || block.line < 1 || !Number.isFinite(block.top)) continue;
      if (kept.length && (block.line < kept[kept.length - 1].line || block.top < kept[kept.length - 1].top)) continue;
      kept.push(block);
    }
    return kept;
  }

  // The start position that the page template put on the body.
  function startPosition(attributes) {
    const anchor = attributes['data-anchor'];
    if (typeof anchor === 'string') return { anchor };
    const line = parseInt(attributes['data-line'], 10);
    if (Number.isFinite(line) && line >= 2) return { line };
    const scroll = parseFloat(attributes['data-scroll']);
    if (Number.isFinite(scroll) && scroll > 0) return { scroll };
    return null;
  }

  // The heading whose section holds the top of the view: the last one at or above
  // it. On a page at its top, what comes before the first heading belongs to it,
  // once it is in view. -1 when the view is above every heading.
  function headingIndexAt(tops, viewTop, viewBottom, atTop) {
    let index = -1;
    for (let i = 0; i < tops.length; i++) {
      if (tops[i] <= viewTop + 1) index = i;
      else break;
    }
    if (index < 0 && atTop && tops.length && tops[0] < viewBottom) index = 0;
    return index;
  }

  function stepIndex(current, count, forward) {
    if (count <= 0) return -1;
    if (current < 0) return forward ? 0 : count - 1;
    return (current + (forward ? 1 : -1) + count) % count;
  }

  function codeLanguage(className) {
    const match = /(?:^|\s)language-(\S+)/.exec(className || '');
    return match ? match[1] : '';
  }

  // A code block's text ends with the line feed of its last line; a copy leaves it out.
  function copyText(code) {
    return code.endsWith('\n') ? code.slice(0, -1) : code;
  }

  function findStatus(current, count) {
    return { current: count > 0 ? current + 1 : 0, count };
  }

  const helpers = {
    foldForFind,
    findRanges,
    positionToLine,
    lineToPosition,
    wholeLineAt,
    orderedBlocks,
    startPosition,
    headingIndexAt,
    stepIndex,
    codeLanguage,
    copyText,
    findStatus,
  };
  if (typeof module === 'object' && module.exports) module.exports = helpers;
  if (typeof document === 'undefined') return;

  // ---- The page. ----

  const content = document.getElementById('content') || document.body;
  const blockTags = new Set([
    'ADDRESS', 'ARTICLE', 'ASIDE', 'BLOCKQUOTE', 'BODY', 'DD', 'DETAILS', 'DIV', 'DL', 'DT',
    'FIGCAPTION', 'FIGURE', 'FOOTER', 'H1', 'H2', 'H3', 'H4', 'H5', 'H6', 'HEADER', 'HR', 'LI',
    'MAIN', 'NAV', 'OL', 'P', 'PRE', 'SECTION', 'SUMMARY', 'TABLE', 'TBODY', 'TD', 'TFOOT', 'TH',
    'THEAD', 'TR', 'UL',
  ]);

  function post(message) {
    const channel = global.webkit && global.webkit.messageHandlers && global.webkit.messageHandlers.mdr;
    if (!channel) return;
    try {
      channel.postMessage(message);
    } catch (e) {
      // The application is gone or not listening; the page reads on regardless.
    }
  }

  function pageTop(element) {
    return element.getBoundingClientRect().top + global.scrollY;
  }

  function measureBlocks() {
    const blocks = [];
    let end = 0;
    for (const element of content.querySelectorAll('[data-line]')) {
      const rect = element.getBoundingClientRect();
      if (rect.width === 0 && rect.height === 0) continue;
      blocks.push({ line: parseInt(element.getAttribute('data-line'), 10), top: rect.top + global.scrollY });
      end = Math.max(end, rect.bottom + global.scrollY);
    }
    return { blocks: orderedBlocks(blocks), end };
  }

  function scrollToY(y) {
    global.scrollTo(0, Math.max(0, Math.round(y)));
  }

  // Opens the folded callouts and the Properties box around an element, so that
  // what the reader is taken to can be seen.
  function revealElement(element) {
    for (let node = element.parentElement; node; node = node.parentElement) {
      if (node.tagName === 'DETAILS' && !node.open) node.open = true;
    }
  }

  // Runs a change of layout and scrolls back to the same place in the text.
  function keepingPosition(change) {
    const before = measureBlocks();
    const line = positionToLine(before.blocks, before.end, global.scrollY + topInset);
    change();
    if (global.scrollY === 0 && line <= 1) return;
    const after = measureBlocks();
    scrollToY(lineToPosition(after.blocks, after.end, line) - topInset);
  }

  // ---- Headings and scrolling. ----

  // null until the first report, so that a new page always reports its heading.
  let reportedHeading = null;
  // The heading scrolled to by name stays the reported one until the reader moves.
  let pinnedHeading = null;
  let headingFrame = 0;
  let scrollTimer = 0;
  let userMoved = false;

  // The headings of the outline that are on screen: footnote bodies have headings
  // of their own, and a folded callout hides its headings.
  function outlineHeadings() {
    const headings = [];
    for (const heading of content.querySelectorAll('h1[id], h2[id], h3[id], h4[id], h5[id], h6[id]')) {
      if (!heading.closest('section.footnotes') && heading.getClientRects().length) headings.push(heading);
    }
    return headings;
  }

  function updateHeading() {
    headingFrame = 0;
    let id = pinnedHeading;
    if (id === null) {
      const headings = outlineHeadings();
      const viewTop = global.scrollY + topInset;
      const viewBottom = global.scrollY + global.innerHeight;
      const index = headingIndexAt(headings.map(pageTop), viewTop, viewBottom, global.scrollY <= 0);
      id = index >= 0 ? headings[index].id : undefined;
    }
    if (id === reportedHeading) return;
    reportedHeading = id;
    post(id === undefined ? { type: 'heading' } : { type: 'heading', id });
  }

  function scheduleHeadingUpdate() {
    if (!headingFrame) headingFrame = global.requestAnimationFrame(updateHeading);
  }

  function onScroll() {
    scheduleHeadingUpdate();
    if (scrollTimer) return;
    scrollTimer = global.setTimeout(() => {
      scrollTimer = 0;
      post({ type: 'scroll', y: global.scrollY });
    }, scrollPostDelay);
  }

  function onUserMove() {
    userMoved = true;
    if (pinnedHeading !== null) {
      pinnedHeading = null;
      scheduleHeadingUpdate();
    }
  }

  function elementForAnchor(id) {
    const element = document.getElementById(id);
    if (element) return element;
    try {
      const decoded = decodeURIComponent(id);
      return decoded === id ? null : document.getElementById(decoded);
    } catch (e) {
      return null;
    }
  }

  function scrollToAnchor(id) {
    const element = elementForAnchor(String(id));
    if (!element || !content.contains(element)) return false;
    revealElement(element);
    scrollToY(pageTop(element) - topInset);
    pinnedHeading = outlineHeadings().includes(element) ? element.id : null;
    updateHeading();
    return true;
  }

  function scrollToLine(line) {
    const target = Number(line);
    if (!Number.isFinite(target)) return;
    const { blocks, end } = measureBlocks();
    scrollToY(lineToPosition(blocks, end, target) - topInset);
    pinnedHeading = null;
    updateHeading();
  }

  function topLine() {
    const { blocks, end } = measureBlocks();
    return wholeLineAt(blocks, end, global.scrollY + topInset);
  }

  function bodyAttributes() {
    const attributes = {};
    for (const name of ['data-anchor', 'data-line', 'data-scroll']) {
      if (document.body.hasAttribute(name)) attributes[name] = document.body.getAttribute(name);
    }
    return attributes;
  }

  function applyStartPosition() {
    const start = startPosition(bodyAttributes());
    if (!start) return;
    if (start.anchor !== undefined) scrollToAnchor(start.anchor);
    else if (start.line !== undefined) scrollToLine(start.line);
    else scrollToY(start.scroll);
  }

  // ---- Code blocks: highlighting, copy buttons, diagrams. ----

  let highlightQueue = [];
  let highlightNext = 0;
  let highlightTimer = 0;

  function highlighter() {
    const hljs = global.hljs;
    return hljs && typeof hljs.highlightElement === 'function' && typeof hljs.getLanguage === 'function' ? hljs : null;
  }

  function queueHighlighting(root) {
    const hljs = highlighter();
    highlightQueue = [];
    highlightNext = 0;
    if (!hljs) return;
    for (const code of root.querySelectorAll('pre > code[class*="language-"]')) {
      if (code.dataset.highlighted || code.textContent.length > maxHighlightedLength) continue;
      const language = codeLanguage(code.className);
      if (language && hljs.getLanguage(language)) highlightQueue.push(code);
    }
    if (highlightQueue.length && !highlightTimer) highlightTimer = global.setTimeout(runHighlightSlice, 0);
  }

  function highlightOne(code) {
    if (!code.isConnected) return;
    try {
      highlighter().highlightElement(code);
    } catch (e) {
      // A grammar that fails leaves the block plain.
    }
  }

  function runHighlightSlice() {
    highlightTimer = 0;
    const stop = global.performance.now() + highlightSlice;
    while (highlightNext < highlightQueue.length && global.performance.now() < stop) {
      highlightOne(highlightQueue[highlightNext++]);
    }
    if (highlightNext < highlightQueue.length) highlightTimer = global.setTimeout(runHighlightSlice, 0);
  }

  // Highlighting rewrites a block's markup, which would drop find marks inside it,
  // so a search first finishes what is still queued.
  function finishHighlighting() {
    while (highlightNext < highlightQueue.length) highlightOne(highlightQueue[highlightNext++]);
  }

  function addCopyButtons(root) {
    for (const code of root.querySelectorAll('pre > code')) {
      const pre = code.parentElement;
      if (pre.parentElement && pre.parentElement.classList.contains('code-block')) continue;
      const block = document.createElement('div');
      block.className = 'code-block';
      pre.parentNode.insertBefore(block, pre);
      block.appendChild(pre);
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'copy-button';
      button.textContent = 'Copy';
      button.setAttribute('aria-label', 'Copy code');
      block.appendChild(button);
    }
  }

  function onClick(event) {
    const button = event.target instanceof Element ? event.target.closest('.copy-button') : null;
    if (!button || !content.contains(button)) return;
    event.preventDefault();
    const code = button.parentElement.querySelector('pre > code');
    if (!code) return;
    // What the reader sees: text that the note hides stays off the clipboard.
    post({ type: 'copy', text: copyText(code.innerText) });
    button.textContent = 'Copied';
    button.classList.add('copied');
    global.setTimeout(() => {
      button.textContent = 'Copy';
      button.classList.remove('copied');
    }, 1200);
  }

  function prefersDark() {
    return !!(global.matchMedia && global.matchMedia('(prefers-color-scheme: dark)').matches);
  }

  // Diagrams are drawn only when a mermaid script has been loaded; without one the
  // source stays on the page as a code block.
  function renderDiagrams(root) {
    const mermaid = global.mermaid;
    if (!mermaid || typeof mermaid.run !== 'function') return;
    const drawn = [];
    for (const box of root.querySelectorAll('div.mermaid-diagram')) {
      const code = box.querySelector('pre > code');
      if (!code) continue;
      const source = Array.from(box.childNodes);
      const target = document.createElement('div');
      target.className = 'mermaid';
      target.textContent = code.textContent;
      box.replaceChildren(target);
      box.classList.add('drawn');
      drawn.push({ box, source, target });
    }
    if (!drawn.length) return;
    const restore = () => {
      for (const { box, source } of drawn) {
        box.replaceChildren(...source);
        box.classList.remove('drawn');
        addCopyButtons(box);
      }
    };
    try {
      if (typeof mermaid.initialize === 'function') {
        mermaid.initialize({ startOnLoad: false, securityLevel: 'strict', theme: prefersDark() ? 'dark' : 'default' });
      }
      Promise.resolve(mermaid.run({ nodes: drawn.map((d) => d.target) })).catch(restore);
    } catch (e) {
      restore();
    }
  }

  function enhance(root) {
    renderDiagrams(root);
    addCopyButtons(root);
    queueHighlighting(root);
  }

  // ---- Find. Matches are wrapped in <mdr-find> elements, never in <mark>, which
  // the note uses for its own highlights. ----

  let findQuery = '';
  let findMatches = [];
  let findCurrent = -1;

  function searchableText(root) {
    const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT, {
      acceptNode(node) {
        const parent = node.parentElement;
        if (!parent || parent.namespaceURI !== 'http://www.w3.org/1999/xhtml') return NodeFilter.FILTER_REJECT;
        if (parent.closest('script, style, template, .copy-button')) return NodeFilter.FILTER_REJECT;
        return NodeFilter.FILTER_ACCEPT;
      },
    });
    const nodes = [];
    const starts = [];
    let text = '';
    let lastBlock = null;
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      let block = node.parentElement;
      while (block !== root && !blockTags.has(block.tagName)) block = block.parentElement;
      if (lastBlock !== null && block !== lastBlock) text += blockSeparator;
      lastBlock = block;
      nodes.push(node);
      starts.push(text.length);
      text += node.data;
    }
    return { text, nodes, starts };
  }

  function wrapMatches(ranges, nodes, starts) {
    const matches = ranges.map(() => []);
    // Pieces per text node, each a [start, end, match] within that node.
    const pieces = nodes.map(() => []);
    let n = 0;
    ranges.forEach(([start, end], match) => {
      while (n + 1 < nodes.length && starts[n + 1] <= start) n++;
      for (let i = n; i < nodes.length && starts[i] < end; i++) {
        const from = Math.max(start, starts[i]) - starts[i];
        const to = Math.min(end, starts[i] + nodes[i].data.length) - starts[i];
        if (to > from) pieces[i].push([from, to, match]);
      }
    });
    nodes.forEach((node, i) => {
      // From the last piece back, so that the node keeps the text before each piece.
      const wrapped = [];
      for (const [from, to, match] of pieces[i].slice().reverse()) {
        if (to < node.data.length) node.splitText(to);
        const piece = from > 0 ? node.splitText(from) : node;
        const mark = document.createElement('mdr-find');
        piece.parentNode.insertBefore(mark, piece);
        mark.appendChild(piece);
        wrapped.unshift([match, mark]);
      }
      for (const [match, mark] of wrapped) matches[match].push(mark);
    });
    return matches;
  }

  function unwrapMatches() {
    const parents = new Set();
    for (const marks of findMatches) {
      for (const mark of marks) {
        const parent = mark.parentNode;
        if (!parent) continue;
        while (mark.firstChild) parent.insertBefore(mark.firstChild, mark);
        parent.removeChild(mark);
        parents.add(parent);
      }
    }
    for (const parent of parents) parent.normalize();
    findMatches = [];
    findCurrent = -1;
  }

  function isInView(element) {
    const rect = element.getBoundingClientRect();
    return rect.top >= topInset && rect.bottom <= global.innerHeight;
  }

  function showCurrent(index, reveal) {
    if (findCurrent >= 0 && findMatches[findCurrent]) {
      for (const mark of findMatches[findCurrent]) mark.classList.remove('current');
    }
    findCurrent = index;
    const marks = findMatches[index];
    if (!marks || !marks.length) return;
    for (const mark of marks) mark.classList.add('current');
    if (!reveal) return;
    revealElement(marks[0]);
    if (!isInView(marks[0])) marks[0].scrollIntoView({ block: 'center', inline: 'nearest' });
  }

  // The first match at or below the top of the view, so that typing a query does
  // not take the reader away from where they are; the first one when none is.
  function firstMatchInView() {
    const viewTop = global.scrollY + topInset;
    const index = findMatches.findIndex((marks) => pageTop(marks[0]) >= viewTop);
    return index >= 0 ? index : 0;
  }

  function search(query) {
    unwrapMatches();
    findQuery = typeof query === 'string' ? query : String(query ?? '');
    if (!findQuery) return;
    finishHighlighting();
    const { text, nodes, starts } = searchableText(content);
    findMatches = wrapMatches(findRanges(foldForFind(text), foldForFind(findQuery)), nodes, starts);
  }

  function find(query) {
    search(query);
    if (findMatches.length) showCurrent(firstMatchInView(), true);
    return findStatus(findCurrent, findMatches.length);
  }

  function findStep(forward) {
    const next = stepIndex(findCurrent, findMatches.length, !!forward);
    if (next >= 0) showCurrent(next, true);
    return findStatus(findCurrent, findMatches.length);
  }

  function clearFind() {
    unwrapMatches();
    findQuery = '';
  }

  // ---- The interface the application calls. ----

  function setContent(html, line) {
    const y = global.scrollY;
    const query = findQuery;
    const current = findCurrent;
    findMatches = [];
    findCurrent = -1;
    content.innerHTML = typeof html === 'string' ? html : '';
    enhance(content);
    if (typeof line === 'number' && Number.isFinite(line)) scrollToLine(line);
    else scrollToY(y);
    // A search that was open goes on in the new text, without moving the page, and the
    // application hears where it now stands.
    if (query) {
      search(query);
      if (findMatches.length) showCurrent(Math.min(Math.max(current, 0), findMatches.length - 1), false);
      post({ type: 'find', ...findStatus(findCurrent, findMatches.length) });
    }
    pinnedHeading = null;
    updateHeading();
  }

  function setAppearance(face, scale, measure) {
    keepingPosition(() => {
      const body = document.body;
      for (const name of Array.from(body.classList)) {
        if (name.startsWith('font-')) body.classList.remove(name);
      }
      body.classList.add('font-' + String(face));
      const root = document.documentElement.style;
      if (Number.isFinite(Number(scale))) root.setProperty('--scale', String(scale));
      if (Number.isFinite(Number(measure))) root.setProperty('--measure', String(measure) + 'rem');
    });
    scheduleHeadingUpdate();
  }

  Object.defineProperty(global, 'mdr', {
    value: Object.freeze({ setContent, setAppearance, scrollToAnchor, scrollToLine, topLine, find, findStep, clearFind }),
    enumerable: true,
  });

  enhance(content);
  applyStartPosition();
  updateHeading();

  global.addEventListener('scroll', onScroll, { passive: true });
  global.addEventListener('resize', scheduleHeadingUpdate);
  for (const type of ['wheel', 'keydown', 'mousedown', 'touchstart']) {
    global.addEventListener(type, onUserMove, { passive: true, capture: true });
  }
  document.addEventListener('click', onClick);
  // Images above the start position change the layout as they arrive; until the
  // reader moves, the page goes back to where it was asked to start.
  global.addEventListener(
    'load',
    () => {
      if (!userMoved) applyStartPosition();
    },
    { once: true },
  );
})(typeof window !== 'undefined' ? window : globalThis);
