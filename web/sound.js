// The game's sound effects through Web Audio: one WAV at a time, a new one cutting off
// the last; a missing or unplayable file stays silent. The audio starts with the
// player's first gesture, as browsers require.

export class Sound {
  constructor(readFile) {
    this.readFile = readFile;  // path -> bytes, or null
    this.ctx = null;
    this.buffers = new Map();
    this.playing = null;
    const unlock = () => {
      this.context()?.resume();
    };
    addEventListener('pointerdown', unlock, { capture: true });
    addEventListener('keydown', unlock, { capture: true });
  }

  context() {
    if (!this.ctx && window.AudioContext) this.ctx = new AudioContext();
    return this.ctx;
  }

  async play(path) {
    const ctx = this.context();
    if (!ctx) return;
    this.playing?.stop();
    this.playing = null;
    let buffer = this.buffers.get(path);
    if (buffer === undefined) {
      const bytes = this.readFile(path);
      buffer = null;
      if (bytes) {
        try {
          buffer = await ctx.decodeAudioData(bytes.slice().buffer);
        } catch {
          buffer = null;
        }
      }
      this.buffers.set(path, buffer);
    }
    if (!buffer) return;
    this.playing?.stop();
    const source = ctx.createBufferSource();
    source.buffer = buffer;
    source.connect(ctx.destination);
    source.start();
    this.playing = source;
  }

  // The game data changed: its sounds are other files.
  forget() {
    this.buffers.clear();
  }
}
