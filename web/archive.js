// The game data built into the page: a gzip-compressed tar of data/ and readme.txt,
// inflated in the page (so that any static web host serves it as it is).

// Inflated in a worker of its own, so that the font and the demo inflate side by side
// while the page's thread compiles the game.
const inflater = `onmessage = async ({ data: url }) => {
  try {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
    const bytes = await new Response(response.body.pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
    postMessage(bytes, [bytes]);
  } catch (e) {
    postMessage(String(e.message || e));
  }
};`;
const inflaterUrl = URL.createObjectURL(new Blob([inflater], { type: 'text/javascript' }));

export function fetchGzip(url) {
  return new Promise((resolve, reject) => {
    const worker = new Worker(inflaterUrl);
    worker.onmessage = ({ data }) => {
      worker.terminate();
      if (typeof data === 'string') reject(new Error(data));
      else resolve(new Uint8Array(data));
    };
    worker.onerror = (e) => reject(new Error(e.message || `${url}: cannot be inflated`));
    worker.postMessage(new URL(url, location.href).href);
  });
}

// The files of a ustar archive as [path, bytes] (the bytes are views into `tar`).
export function* tarFiles(tar) {
  const text = (at, n) => new TextDecoder().decode(tar.subarray(at, at + n)).replace(/\0.*$/s, '');
  for (let at = 0; at + 512 <= tar.length; ) {
    const name = text(at, 100);
    if (!name) break;
    const size = parseInt(text(at + 124, 12).trim() || '0', 8);
    const type = String.fromCharCode(tar[at + 156] || 48);
    const path = (text(at + 345, 155) ? text(at + 345, 155) + '/' : '') + name;
    if (type === '0' || type === '\0') yield [path.replace(/^\.\//, ''), tar.subarray(at + 512, at + 512 + size)];
    at += 512 + Math.ceil(size / 512) * 512;
  }
}
