// The player's input on the page, as in the window: the left button plays, the right
// one opens the aids' menu, the wheel rolls back and forth; a tap is a left click at
// that point and a long press opens the aids' menu; and the window's keys.

const kLongPressMs = 500;
const kTapSlop = 12;  // CSS pixels a finger may wander during a tap

// The game's button for a mouse button: 0 left, 2 middle; -1 for the others.
const gameButton = (e) => (e.button === 0 ? 0 : e.button === 1 ? 2 : -1);

export function attachPointer(screen, game, openAidsMenu) {
  const canvas = screen.canvas;
  const send = (action, button, e) => {
    const [x, y] = screen.toGame(e.clientX, e.clientY);
    game.call((wall) => game.api.pointer(action, button, x, y, wall));
  };
  let touch = null;  // the finger down: where, and its long-press timer

  canvas.addEventListener('pointerdown', (e) => {
    if (e.pointerType === 'touch') {
      if (touch || !e.isPrimary) return;
      touch = { id: e.pointerId, x: e.clientX, y: e.clientY };
      touch.timer = setTimeout(() => {
        touch = null;
        openAidsMenu(e.clientX, e.clientY);
      }, kLongPressMs);
      e.preventDefault();
      return;
    }
    // The game takes the left and the middle button; the right one opens the aids' menu.
    const button = gameButton(e);
    if (button < 0) return;
    canvas.setPointerCapture(e.pointerId);  // the screen keeps the mouse while it is held
    send(0, button, e);
  });
  canvas.addEventListener('pointermove', (e) => {
    if (e.pointerType === 'touch') {
      if (touch && touch.id === e.pointerId && Math.hypot(e.clientX - touch.x, e.clientY - touch.y) > kTapSlop) {
        clearTimeout(touch.timer);
        touch = null;
      }
      return;
    }
    send(1, 0, e);  // moves with no button held too: the title's buttons light up under the pointer
  });
  canvas.addEventListener('pointerup', (e) => {
    if (e.pointerType === 'touch') {
      if (!touch || touch.id !== e.pointerId) return;
      clearTimeout(touch.timer);
      touch = null;
      send(1, 0, e);
      send(0, 0, e);
      send(2, 0, e);
      e.preventDefault();
      return;
    }
    if (gameButton(e) >= 0) send(2, gameButton(e), e);
  });
  canvas.addEventListener('pointercancel', () => {
    if (touch) clearTimeout(touch.timer);
    touch = null;
  });
  canvas.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    if (e.pointerType !== 'touch' && !e.sourceCapabilities?.firesTouchEvents) openAidsMenu(e.clientX, e.clientY);
  });
  canvas.addEventListener(
    'wheel',
    (e) => {
      e.preventDefault();
      // In eighths of a degree, up positive, as the window counts: a notch is 120.
      const delta = Math.round(-e.deltaY * (e.deltaMode === 1 ? 40 : 1.2));
      if (delta) game.call((wall) => game.api.wheel(delta, wall));
    },
    { passive: false },
  );
}

// keys: {name: handler} for the page's own keys ("F5", "Ctrl+C", ...); the rest goes
// to the aids' Ctrl-hold rule only. Nothing is taken while a dialog is open.
export function attachKeys(game, keys, dialogOpen) {
  const nameOf = (e) => (e.ctrlKey && e.key.length === 1 ? 'Ctrl+' + e.key.toUpperCase() : e.key.length === 1 ? e.key.toUpperCase() : e.key);
  addEventListener('keydown', (e) => {
    if (dialogOpen()) return;
    const isCtrl = e.key === 'Control';
    game.call((wall) => game.api.key(0, isCtrl ? 1 : 0, e.shiftKey || e.altKey || e.metaKey ? 1 : 0, e.repeat ? 1 : 0, wall));
    const plain = !e.shiftKey && !e.altKey && !e.metaKey && (!e.ctrlKey || e.key.length === 1);
    const handler = plain && !isCtrl && keys[nameOf(e)];
    if (!handler) return;
    e.preventDefault();
    if (!e.repeat || nameOf(e) === 'PageUp' || nameOf(e) === 'PageDown') handler();
  });
  addEventListener('keyup', (e) => {
    game.call((wall) => game.api.key(1, e.key === 'Control' ? 1 : 0, 0, e.repeat ? 1 : 0, wall));
  });
  addEventListener('blur', () => game.call((wall) => game.api.key(2, 0, 0, 0, wall)));
}
