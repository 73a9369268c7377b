// The page in Debian's Chromium, headless, served from 127.0.0.1: opening it, its
// canvas as RGBA, and the player's real input (mouse, touch, keys, the HTML menus).
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { serve } from '../../scripts/serve-site.mjs';

export async function startBrowser(site) {
  const server = await serve(site, 0);
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: mkdtempSync(join(tmpdir(), 'shirakaba-chromium-')),  // an empty cache every run
    args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required', '--mute-audio'],
  });
  const url = `http://127.0.0.1:${server.address().port}/`;
  // The network taken away: the server stops and drops every connection it holds.
  const stopServer = () => (server.close(), server.closeAllConnections());
  return { browser, url, stopServer, close: async () => (await browser.close(), stopServer()) };
}

// Opens the page (query: "test&seed=7&data=demo-ja", ...) and waits for the game.
export async function openPage(env, query, { viewport = { width: 800, height: 600 }, before } = {}) {
  const page = await env.browser.newPage();
  await page.setViewport(viewport);
  page.on('pageerror', (e) => console.error('page error:', e.message));
  page.on('console', (m) => m.type() === 'error' && console.error('console:', m.text()));
  if (before) await before(page);
  await page.goto(`${env.url}?${query}`);
  await page.evaluate(() => window.shirakaba.ready);
  return page;
}

export const state = (page) => page.evaluate(() => window.shirakaba.state());
export const wait = (page, ms) => page.evaluate((n) => window.shirakaba.wait(n), ms);
export const settle = (page) => page.evaluate(() => window.shirakaba.settle());

// The game's 640 x 480 screen as the canvas shows it (one sample per game pixel).
export async function canvasPixels(page) {
  await page.evaluate(() => window.shirakaba.drawn());
  const base64 = await page.evaluate(() => {
    const c = document.getElementById('screen');
    const step = c.width / 640;
    const all = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    const out = new Uint8Array(640 * 480 * 4);
    for (let y = 0; y < 480; ++y)
      for (let x = 0; x < 640; ++x) out.set(all.subarray(((y * step) * c.width + x * step) * 4, ((y * step) * c.width + x * step) * 4 + 4), (y * 640 + x) * 4);
    let s = '';
    for (let i = 0; i < out.length; i += 0x8000) s += String.fromCharCode(...out.subarray(i, i + 0x8000));
    return btoa(s);
  });
  return Buffer.from(base64, 'base64');
}

// Where the point (x, y) of the game's screen lies on the page.
export async function pagePoint(page, x, y) {
  const r = await page.$eval('#screen', (c) => c.getBoundingClientRect().toJSON());
  return [r.left + ((x + 0.5) * r.width) / 640, r.top + ((y + 0.5) * r.height) / 480];
}

export async function click(page, x, y, button = 'left') {
  const [px, py] = await pagePoint(page, x, y);
  await page.mouse.click(px, py, { button });
}

// A click on a menu item of the page: the menu bar's button, then each item on the way.
export async function menuClick(page, ...path) {
  await page.click(`#bar [data-item="${path[0]}"]`);
  for (const item of path.slice(1)) await page.click(`ul.menu [data-item="${item}"]`);
}

// The chain of items from the menu bar down to the game's menu item `name`.
export async function gameMenuPath(page, name) {
  return page.evaluate((n) => {
    const items = window.shirakaba.page.menu;
    const path = [];
    for (let i = items.find((x) => x.name === n); i; i = items[i.parent]) path.unshift(i.name);
    return path;
  }, name);
}

export function sameImage(actual, expected) {
  if (actual.length !== expected.length) return 'sizes differ';
  for (let i = 0; i < actual.length; ++i)
    if (actual[i] !== expected[i]) {
      const p = i >> 2;
      return `pixel (${p % 640}, ${Math.floor(p / 640)}) differs: ${actual.subarray(p * 4, p * 4 + 4).join(',')} vs ${expected.subarray(p * 4, p * 4 + 4).join(',')}`;
    }
  return null;
}
