// The browser tests themselves (run.mjs runs one by its name).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import * as P from './page.mjs';

const TEST = 'test&seed=7&data=demo-ja&lang=ja';

async function toTitle(page) {
  await P.wait(page, 2200);
  assert.equal((await P.state(page)).GameMode, 1);
}

export const tests = {
  async whole_game(env) {
    const page = await P.openPage(env, TEST);
    const shots = await env.playReplay(page, join(env.source, 'tests/replays/whole_game.replay'),
      join(env.source, 'tests/golden/whole_game'));
    assert.equal(shots, 14);
    // The HTML menu bar: ヘルプ > バージョン情報 opens the version box as a dialog; the
    // game takes no menu command while it is open, and goes on once it is closed.
    await P.menuClick(page, ...(await P.gameMenuPath(page, 'About_Btn')));
    await page.waitForSelector('dialog[open] .about');
    assert.equal((await P.state(page)).dialog, 'about');
    await page.click('dialog[open] button');
    await page.waitForFunction(() => !document.querySelector('dialog[open]'));
    await P.menuClick(page, ...(await P.gameMenuPath(page, 'Start_Btn')));
    await P.settle(page);
    assert.equal((await P.state(page)).Adv.Day, 1);
  },
};
