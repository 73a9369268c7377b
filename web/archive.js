// The game data built into the page: a gzip-compressed tar of data/ and readme.txt,
// inflated by the page (early.js) so that any static web host serves it as it is.

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
