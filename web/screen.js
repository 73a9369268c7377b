// The game's 640 x 480 screen in the page: scaled in whole steps of device pixels to
// fit (sharp also at 150 % and 200 %), and the pointer mapped back onto it.
import { kGameWidth, kGameHeight } from './game.js';

export class Screen {
  constructor(canvas, stage) {
    this.canvas = canvas;
    this.stage = stage;
    this.ctx = canvas.getContext('2d', { alpha: false });
    this.source = document.createElement('canvas');
    this.source.width = kGameWidth;
    this.source.height = kGameHeight;
    this.sourceCtx = this.source.getContext('2d', { alpha: false });
    this.steps = 1;
    new ResizeObserver(() => this.fit()).observe(stage);
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => this.fit(), { once: true });
  }

  // Device pixels per game pixel: the largest whole step that fits. On a display of
  // two or more device pixels per CSS pixel uneven steps do not show, so there the
  // screen fills the room where whole steps would leave more than a fifth of it (a
  // phone upright); below one step it shrinks to fit. The browser scales the backing
  // store by nearest pixels (image-rendering: pixelated): never blurred.
  fit() {
    const dpr = devicePixelRatio || 1;
    const box = this.stage.getBoundingClientRect();
    const fits = Math.min((box.width * dpr) / kGameWidth, (box.height * dpr) / kGameHeight);
    const whole = Math.max(1, Math.floor(fits + 1e-6));
    const uneven = fits < 1 || (dpr >= 2 && whole / fits < 0.8);
    const steps = uneven ? Math.max(1, Math.ceil(fits)) : whole;
    const shown = uneven ? fits : whole;
    this.steps = steps;
    if (this.canvas.width !== kGameWidth * steps) {
      this.canvas.width = kGameWidth * steps;
      this.canvas.height = kGameHeight * steps;
    }
    this.canvas.style.width = `${(kGameWidth * shown) / dpr}px`;
    this.canvas.style.height = `${(kGameHeight * shown) / dpr}px`;
    this.paint();
  }

  // The changed area of the screen (image: all of it, as RGBA).
  draw(image, { x, y, width, height }) {
    this.sourceCtx.putImageData(image, 0, 0, x, y, width, height);
    this.paint(x, y, width, height);
  }

  paint(x = 0, y = 0, width = kGameWidth, height = kGameHeight) {
    const s = this.steps;
    this.ctx.imageSmoothingEnabled = false;
    this.ctx.drawImage(this.source, x, y, width, height, x * s, y * s, width * s, height * s);
  }

  // The point of the game's screen under a point of the page.
  toGame(clientX, clientY) {
    const r = this.canvas.getBoundingClientRect();
    return [
      Math.floor(((clientX - r.left) * kGameWidth) / r.width),
      Math.floor(((clientY - r.top) * kGameHeight) / r.height),
    ];
  }
}
