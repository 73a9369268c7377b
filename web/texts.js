// The page's own texts in English and Japanese; the game's texts come from its data.

const en = {
  loading: 'Loading the game…',
  loadFailed: 'The game could not be loaded: {0}',
  saves: 'Saves',
  page: 'Page',
  quickSave: 'Quick save', quickLoad: 'Quick load', saveDots: 'Save…', loadDots: 'Load…',
  loadFile: 'Load a save file…', continueGame: 'Continue',
  rollBack: 'Roll back', rollForward: 'Roll forward', skip: 'Skip', skipMode: 'Skip mode',
  readOnly: 'Read pages only', allPages: 'All pages', autoMode: 'Auto mode', autoSpeed: 'Auto speed',
  slow: 'Slow', normal: 'Normal', fast: 'Fast', history: 'History…', copyText: 'Copy text',
  copyEachPage: 'Copy each page', fullScreen: 'Full screen', openData: 'Open your game data…',
  gameData: 'Game data', demoJa: 'Demo (Japanese)', demoEn: 'Demo (English)', ownData: 'Your game data',
  language: 'Language',
  markSkip: 'Skip', markAuto: 'Auto',
  titleQuick: 'Quick save', titleAuto: 'Autosave', titleSlot: 'Slot {0}',
  inQuick: 'the quick slot', inAuto: 'the autosave', inSlot: 'slot {0}',
  saved: 'Saved to {0}', cannotSave: 'Cannot save to {0}: {1}', loaded: 'Loaded {0}', cannotLoad: 'Cannot load {0}: {1}',
  notKept: 'the browser did not keep it ({0})',
  noStorage: 'This browser keeps nothing for this page: saves will not be kept after you leave it.',
  empty: 'Empty', beforeGame: 'Before a new game', day: 'Day {0}, {1}',
  autoRow: 'Written when you leave the page during a game', cannotRead: 'Cannot be read: {0}',
  saveTitle: 'Save', loadTitle: 'Load', choose: 'Choose', download: 'Download', del: 'Delete', close: 'Close',
  overwrite: 'Overwrite {0}?', deleteAsk: 'Delete {0}?', yes: 'Yes', no: 'No', ok: 'OK',
  openTitle: 'Open your game data', openHelp: 'Choose the folder of the game (it holds data/lumora.red, data/wav/ and readme.txt), or its files. They stay in this browser and are never sent anywhere.',
  folder: 'Folder…', files: 'Files…', notPack: 'This is not game data: {0}', noPack: 'data/lumora.red is not among the files',
  dataKept: 'Your game data is kept in this browser.', dataNotKept: 'Your game data plays now but will not be kept: {0}',
  ended: 'The game has ended.', playAgain: 'Play again',
  copied: 'Copied', historyTitle: 'History', choiceMark: '[Choice]',
  continueFailed: 'Cannot go on from the autosave: {0}',
  autosaveFailed: 'The autosave was not kept: {0}',
  readPagesProblem: 'The pages read are not remembered: {0}',
  cannotSaveNow: 'Cannot save: {0}', cannotLoadNow: 'Cannot load: {0}',
  noData: 'there is no game data ({0})', noGame: 'no game is under way yet; start or load one first', slotEmpty: 'it is empty',
};

const ja = {
  loading: 'ゲームを読み込んでいます…',
  loadFailed: 'ゲームを読み込めませんでした: {0}',
  saves: 'セーブ',
  page: 'ページ',
  quickSave: 'クイックセーブ', quickLoad: 'クイックロード', saveDots: 'セーブ…', loadDots: 'ロード…',
  loadFile: 'セーブファイルを開く…', continueGame: 'つづきから',
  rollBack: 'ひとつ前に戻る', rollForward: 'ひとつ先に進む', skip: 'スキップ', skipMode: 'スキップの対象',
  readOnly: '既読のみ', allPages: 'すべて', autoMode: 'オートモード', autoSpeed: 'オートの速さ',
  slow: '遅い', normal: '普通', fast: '速い', history: '履歴…', copyText: 'テキストをコピー',
  copyEachPage: 'ページごとにコピー', fullScreen: '全画面', openData: 'ゲームデータを開く…',
  gameData: 'ゲームデータ', demoJa: '体験版（日本語）', demoEn: '体験版（英語）', ownData: 'お手持ちのゲームデータ',
  language: '言語',
  markSkip: 'スキップ', markAuto: 'オート',
  titleQuick: 'クイックセーブ', titleAuto: 'オートセーブ', titleSlot: 'スロット {0}',
  inQuick: 'クイックスロット', inAuto: 'オートセーブ', inSlot: 'スロット {0}',
  saved: '{0}にセーブしました', cannotSave: '{0}にセーブできません: {1}', loaded: '{0}をロードしました', cannotLoad: '{0}をロードできません: {1}',
  notKept: 'ブラウザーが保存しませんでした（{0}）',
  noStorage: 'このブラウザーはこのページのデータを保存しません。ページを閉じるとセーブは残りません。',
  empty: '空き', beforeGame: 'ゲーム開始前', day: '{0}日目 {1}',
  autoRow: 'ゲーム中にページを離れると書き込まれます', cannotRead: '読み込めません: {0}',
  saveTitle: 'セーブ', loadTitle: 'ロード', choose: '決定', download: 'ダウンロード', del: '削除', close: '閉じる',
  overwrite: '{0}に上書きしますか?', deleteAsk: '{0}を削除しますか?', yes: 'はい', no: 'いいえ', ok: 'OK',
  openTitle: 'ゲームデータを開く', openHelp: 'ゲームのフォルダー（data/lumora.red、data/wav/、readme.txt があるところ）かそのファイルを選んでください。このブラウザーの中に置かれ、どこにも送られません。',
  folder: 'フォルダー…', files: 'ファイル…', notPack: 'ゲームデータではありません: {0}', noPack: 'data/lumora.red がありません',
  dataKept: 'ゲームデータをこのブラウザーに保存しました。', dataNotKept: 'ゲームデータで遊べますが、保存されません: {0}',
  ended: 'ゲームは終了しました。', playAgain: 'もう一度遊ぶ',
  copied: 'コピーしました', historyTitle: '履歴', choiceMark: '［選択］',
  continueFailed: 'オートセーブから続けられません: {0}',
  autosaveFailed: 'オートセーブが保存されませんでした: {0}',
  readPagesProblem: '既読のページを記録できません: {0}',
  cannotSaveNow: 'セーブできません: {0}', cannotLoadNow: 'ロードできません: {0}',
  noData: 'ゲームデータがありません（{0}）', noGame: 'まだゲームが始まっていません。はじめるか、ロードしてください', slotEmpty: 'セーブデータがありません',
};

const catalogs = { en, ja };  // early.js chooses among these

let current = en;
export function setLanguage(code) {
  current = catalogs[code] || en;
  document.documentElement.lang = code;
}

// The text for `key` with {0}, {1}... filled in.
export function t(key, ...args) {
  const text = current[key] ?? en[key] ?? key;
  return text.replace(/\{(\d)\}/g, (_, i) => String(args[Number(i)]));
}

export function slotTitle(name) {
  return name === 'quick' ? t('titleQuick') : name === 'auto' ? t('titleAuto') : t('titleSlot', name);
}

export function slotInSentence(name) {
  return name === 'quick' ? t('inQuick') : name === 'auto' ? t('inAuto') : t('inSlot', name);
}
