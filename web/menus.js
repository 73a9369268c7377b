// Menus of the page as HTML: the game's menu bar (GAME, 設定, ヘルプ with the states the
// game gives them) and pop-up menus (the page's own, and the aids' menu over the screen).
// An entry: {label, shortcut, checked, disabled, action, submenu, separator, item}.

let openMenu = null;

export function closeMenus() {
  openMenu?.remove();
  openMenu = null;
  document.querySelectorAll('[aria-expanded="true"]').forEach((b) => b.setAttribute('aria-expanded', 'false'));
}

addEventListener('pointerdown', (e) => {
  if (openMenu && !openMenu.contains(e.target) && !e.target.closest?.('[aria-haspopup]')) closeMenus();
}, true);
addEventListener('keydown', (e) => {
  if (e.key === 'Escape' && openMenu) closeMenus();
}, true);

function menuList(entries) {
  const ul = document.createElement('ul');
  ul.className = 'menu';
  ul.setAttribute('role', 'menu');
  for (const entry of entries) {
    const li = document.createElement('li');
    if (entry.separator) {
      li.setAttribute('role', 'separator');
      ul.append(li);
      continue;
    }
    li.setAttribute('role', entry.checked === undefined ? 'menuitem' : 'menuitemcheckbox');
    if (entry.checked !== undefined) li.setAttribute('aria-checked', String(Boolean(entry.checked)));
    if (entry.disabled) li.setAttribute('aria-disabled', 'true');
    if (entry.item) li.dataset.item = entry.item;
    li.tabIndex = -1;
    const label = document.createElement('span');
    label.textContent = entry.label;
    li.append(label);
    if (entry.shortcut) {
      const key = document.createElement('kbd');
      key.textContent = entry.shortcut;
      li.append(key);
    }
    if (entry.submenu) {
      li.classList.add('sub');
      li.setAttribute('aria-haspopup', 'menu');
      li.append(menuList(entry.submenu));
      li.addEventListener('click', (e) => {
        if (e.target.closest('li') !== li) return;
        li.classList.toggle('open');
        e.stopPropagation();
      });
    } else {
      li.addEventListener('click', (e) => {
        e.stopPropagation();
        if (entry.disabled) return;
        closeMenus();
        entry.action?.();
      });
    }
    ul.append(li);
  }
  return ul;
}

// A menu at (x, y) of the page, kept inside the window.
export function popUp(entries, x, y) {
  closeMenus();
  const ul = menuList(entries);
  ul.classList.add('popup');
  document.body.append(ul);
  const r = ul.getBoundingClientRect();
  ul.style.left = `${Math.max(0, Math.min(x, innerWidth - r.width))}px`;
  ul.style.top = `${Math.max(0, Math.min(y, innerHeight - r.height))}px`;
  openMenu = ul;
  ul.querySelector('[role^="menuitem"]:not([aria-disabled])')?.focus();
  return ul;
}

// A button of a menu bar that opens entries() under it.
export function menuButton(bar, label, entries, name) {
  const button = document.createElement('button');
  button.type = 'button';
  button.textContent = label;
  button.setAttribute('aria-haspopup', 'menu');
  button.setAttribute('aria-expanded', 'false');
  if (name) button.dataset.item = name;
  button.addEventListener('click', () => {
    const wasOpen = button.getAttribute('aria-expanded') === 'true';
    closeMenus();
    if (wasOpen) return;
    const r = button.getBoundingClientRect();
    popUp(entries(), r.left, r.bottom);
    button.setAttribute('aria-expanded', 'true');
  });
  bar.append(button);
  return button;
}

// The game's menu bar: returns show(items) for its state (web_news's "menu"). Hidden
// items are left out, disabled ones greyed, checked ones marked; a click runs
// command(id). A menu that is open shows the new state the next time it opens.
export function gameMenuBar(bar, command) {
  let items = [];
  let shown = '';
  const entriesUnder = (parent) =>
    items
      .filter((i) => i.parent === parent && i.visible)
      .map((i) => {
        if (i.separator) return { separator: true };
        const children = items.some((c) => c.parent === i.id);
        return {
          label: i.caption,
          item: i.name,
          checked: i.checked ? true : undefined,
          disabled: !i.enabled,
          submenu: children ? entriesUnder(i.id) : undefined,
          action: () => command(i.id),
        };
      });
  return (next) => {
    items = next;
    const tops = items.filter((i) => i.parent === -1 && i.visible);
    const signature = JSON.stringify(tops.map((i) => [i.caption, i.enabled]));
    if (signature === shown) return;
    shown = signature;
    bar.replaceChildren();
    for (const top of tops) menuButton(bar, top.caption, () => entriesUnder(top.id), top.name).disabled = !top.enabled;
  };
}
