// The game in WebAssembly, as the page drives it: every call is followed by taking
// what the game asked for, re-arming one timer for the game's next due time (none
// while nothing is due) and drawing the screen once in the next animation frame when
// it changed.
import createGame from './shirakaba-web.js';

const kGameWidth = 640, kGameHeight = 480;

export class Game {
  // hooks: news(news) after every call; frame(imageData) when the screen changed.
  constructor(module, hooks) {
    this.m = module;
    this.hooks = hooks;
    this.timer = 0;
    this.framePending = false;
    this.frameDrawn = Promise.resolve();
    this.virtual = false;
    this.image = new ImageData(kGameWidth, kGameHeight);
    const f = (name, ret, args) => module.cwrap(name, ret, args);
    this.api = {
      start: f('web_start', null, ['string', 'string', 'string', 'string', 'string', 'number', 'number', 'number']),
      pointer: f('web_pointer', null, ['number', 'number', 'number', 'number', 'number']),
      menu: f('web_menu', null, ['number', 'number']),
      dialogClosed: f('web_dialog_closed', null, ['number']),
      key: f('web_key', null, ['number', 'number', 'number', 'number', 'number']),
      wheel: f('web_wheel', null, ['number', 'number']),
      aid: f('web_aid', 'number', ['string', 'number']),
      wake: f('web_wake', null, ['number']),
      sleep: f('web_sleep', 'number', ['number']),
      wait: f('web_wait', null, ['number']),
      settle: f('web_settle', 'number', []),
      news: f('web_news', 'string', []),
      frame: f('web_frame', 'number', []),
      frameArea: f('web_frame_area', 'number', []),
      state: f('web_state', 'string', []),
      windowTexts: f('web_window_texts', 'string', []),
      readme: f('web_readme', 'string', []),
      screenText: f('web_screen_text', 'string', []),
      history: f('web_history', 'string', []),
      settings: f('web_settings', 'string', []),
      slots: f('web_slots', 'string', ['number']),
      save: f('web_save', 'string', ['string', 'number']),
      load: f('web_load', 'string', ['string', 'number']),
      loadFile: f('web_load_file', 'string', ['string', 'number']),
      slotPath: f('web_slot_path', 'string', ['string']),
      remove: f('web_delete', 'string', ['string']),
      autosave: f('web_autosave', 'string', []),
      prepareSaves: f('web_prepare_saves', null, []),
      readPagesPath: f('web_read_pages_path', 'string', []),
      readPagesCount: f('web_read_pages_count', 'number', []),
      checkData: f('web_check_data', 'string', ['string']),
    };
  }

  // The game's runtime on its code, compiled already (early.js).
  static async load(compiled) {
    const wasm = await compiled;
    let failed;
    const instantiateFailed = new Promise((_, reject) => (failed = reject));
    const instantiateWasm = (imports, receive) => {
      WebAssembly.instantiate(wasm, imports).then((instance) => receive(instance, wasm), failed);
      return {};
    };
    return Promise.race([createGame({ print: (s) => console.log(s), printErr: (s) => console.warn(s), instantiateWasm }),
      instantiateFailed]);
  }

  get fs() {
    return this.m.FS;
  }

  // Wall time in milliseconds; with virtual time the game's clock moves only by wait()
  // and settle().
  now() {
    return this.virtual ? 0 : performance.now();
  }

  // saveReasons: {noData, noGame, empty}, why a save or load is refused, in the page's language.
  start({ gameDir, userDir, settings, saveReasons, fonts, seed = -1, virtual = false }) {
    clearTimeout(this.timer);
    this.virtual = virtual;
    this.api.start(gameDir, userDir, settings, JSON.stringify(saveReasons), fonts, seed, virtual ? 1 : 0, this.now());
    this.after();
  }

  // Runs f(wallNow) and everything that follows a call into the game; its result.
  call(f) {
    const result = f(this.now());
    this.after();
    return result;
  }

  after() {
    const news = JSON.parse(this.api.news());
    this.hooks.news(news);
    clearTimeout(this.timer);
    this.timer = 0;
    if (!this.virtual) {
      const sleep = this.api.sleep(this.now());
      if (sleep >= 0) this.timer = setTimeout(() => this.call((wall) => this.api.wake(wall)), sleep);
    }
    if (!this.framePending) this.frameDrawn = this.nextFrame();
  }

  // The screen drawn at the next animation frame when it changed; while it stays as it
  // is no frame is asked for, so that a waiting game costs the browser nothing.
  nextFrame() {
    const changed = this.takeFrame();
    if (!changed) return Promise.resolve();
    this.framePending = true;
    return new Promise((resolve) =>
      requestAnimationFrame(() => {
        this.framePending = false;
        this.hooks.frame(this.image, changed);
        const later = this.takeFrame();  // what changed while the frame was awaited
        if (later) this.hooks.frame(this.image, later);
        resolve();
      }),
    );
  }

  // Only the rows that changed are copied into the page's image; their area, or null.
  takeFrame() {
    const at = this.api.frame();
    if (!at) return null;
    const [x, y, width, height] = this.m.HEAP32.subarray(this.api.frameArea() >> 2, (this.api.frameArea() >> 2) + 4);
    const rows = [at + y * kGameWidth * 4, at + (y + height) * kGameWidth * 4];
    this.image.data.set(this.m.HEAPU8.subarray(...rows), y * kGameWidth * 4);
    return { x, y, width, height };
  }

  json(name, ...args) {
    return JSON.parse(this.api[name](...args));
  }
}

export { kGameWidth, kGameHeight };
