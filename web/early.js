// The first thing the page runs, a plain script before any module has arrived (web.sh
// writes it into index.html): it chooses the page's language and game data and asks
// for everything the start needs, so that the game's code compiles while the demo and
// the font arrive and inflate in workers. main.js takes the rest from `shirakabaStart`.
'use strict';
window.shirakabaStart = (() => {
  const params = new URLSearchParams(location.search);
  const remembered = (key) => {
    try {
      return localStorage.getItem('shirakaba.' + key);
    } catch {
      return null;  // storage refused: the page goes on
    }
  };
  // The page's language: the one asked for, else the first of the browser's it has texts in.
  const languages = ['en', 'ja'];
  const asked = params.get('lang') || remembered('lang');
  const language = languages.includes(asked) ? asked
    : (navigator.languages || [navigator.language]).map((l) => String(l).toLowerCase().split('-')[0])
      .find((l) => languages.includes(l)) || 'en';
  const builtInData = language === 'ja' ? 'demo-ja' : 'demo-en';
  const wantedData = params.get('data') || remembered('data') || builtInData;

  // A gzip-compressed file of the site, inflated in a worker of its own (so that the
  // font and the demo inflate side by side while the page's thread compiles the game).
  // The pieces are joined once at the end: Response.arrayBuffer() takes half as long
  // again on the demo's 50 MB.
  const inflater = URL.createObjectURL(new Blob([`onmessage = async ({ data: url }) => {
    try {
      const response = await fetch(url);
      if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
      const reader = response.body.pipeThrough(new DecompressionStream('gzip')).getReader();
      const pieces = [];
      let size = 0;
      for (let r; !(r = await reader.read()).done; size += r.value.length) pieces.push(r.value);
      const bytes = new Uint8Array(size);
      pieces.reduce((at, piece) => (bytes.set(piece, at), at + piece.length), 0);
      postMessage(bytes.buffer, [bytes.buffer]);
    } catch (e) {
      postMessage(String(e.message || e));
    }
  };`], { type: 'text/javascript' }));
  const fetchGzip = (url) => new Promise((resolve, reject) => {
    const worker = new Worker(inflater);
    worker.onmessage = ({ data }) => {
      worker.terminate();
      if (typeof data === 'string') reject(new Error(data));
      else resolve(new Uint8Array(data));
    };
    worker.onerror = (e) => reject(new Error(e.message || `${url}: cannot be inflated`));
    worker.postMessage(new URL(url, location.href).href);
  });
  // Each promise is awaited later; none may count as unhandled meanwhile.
  const early = (promise) => (promise.catch(() => {}), promise);
  // Compiled as it arrives; from its bytes where the host does not serve it as application/wasm.
  const wasm = 'shirakaba-web.wasm';
  return {
    params, language, builtInData, wantedData, fetchGzip,
    demo: wantedData === 'own' ? null : early(fetchGzip(`data/${wantedData}.tar.gz`)),
    font: early(fetchGzip('fonts/ipag.ttf.gz')),
    wasm: early(WebAssembly.compileStreaming(fetch(wasm))
      .catch(() => fetch(wasm).then((r) => r.arrayBuffer()).then((bytes) => WebAssembly.compile(bytes)))),
  };
})();
