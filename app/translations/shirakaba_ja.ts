<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>AppOptions</name>
    <message>
        <source>--data needs a directory</source>
        <translation>--data にはフォルダを指定してください</translation>
    </message>
    <message>
        <source>--shots needs a directory</source>
        <translation>--shots にはフォルダを指定してください</translation>
    </message>
    <message>
        <source>--user-dir needs a directory</source>
        <translation>--user-dir にはフォルダを指定してください</translation>
    </message>
    <message>
        <source>--scale takes a whole number from 1 to 4</source>
        <translation>--scale には 1 から 4 までの整数を指定してください</translation>
    </message>
    <message>
        <source>--lang needs a language code such as ja or en</source>
        <translation>--lang には ja や en などの言語コードを指定してください</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>不明なオプションです: %1</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>余分な引数です: %1</translation>
    </message>
    <message>
        <source>Usage: %1 [--data DIR] [--scale N | --fullscreen] [--shots DIR] [--speak]
       %2 [--clipboard] [--user-dir DIR] [--lang CODE] [--continue]
       %1 --headless ...

  --data DIR    game directory holding data/ and readme.txt (default: the working
                directory if it holds data/lumora.red, else the installed demo)
  --scale N     show the 640x480 screen N times larger, N = 1..4 (default 1)
  --fullscreen  fill the screen with the largest whole zoom that fits
  --shots DIR   where F12 saves screenshots (default: your pictures folder)
  --user-dir DIR
                where saves, pages read and settings.ini are kept
                (default: ~/.local/share/shirakaba)
  --lang CODE   the window&apos;s own menus and dialogs in this language (ja, en;
                default: the system&apos;s); the game&apos;s own texts stay as they are
  --continue    go on where the last game was left: load the autosave
  --speak       read the text on the screen aloud (needs a Japanese voice)
  --clipboard   copy each page to the clipboard as it is shown
  --headless    run without a window (replays, state dumps, screenshots)
  --help        show this text
  --version     show the version

Keys: F11 or Alt+Enter full screen on/off, F12 screenshot, F5 quick save,
F9 quick load, Ctrl+S save, Ctrl+L load; wheel up or Page Up rolls back, wheel
down or Page Down rolls forward; Ctrl held skips, Tab skips on/off, A auto mode
on/off, H history, Ctrl+C copies the text on the screen. The right mouse button
opens a menu with all of these and the window&apos;s settings (kept in
USERDIR/settings.ini; the options above count for their run only).
</source>
        <translation>使い方: %1 [--data DIR] [--scale N | --fullscreen] [--shots DIR] [--speak]
        %2 [--clipboard] [--user-dir DIR] [--lang CODE] [--continue]
        %1 --headless ...

  --data DIR    data/ と readme.txt のあるゲームのフォルダ（省略時: 作業フォルダ
                に data/lumora.red があればそこ、なければ付属の体験版）
  --scale N     640x480 の画面を N 倍の大きさで表示します。N は 1〜4（省略時 1）
  --fullscreen  画面に収まる最大の整数倍で全画面表示します
  --shots DIR   F12 で撮るスクリーンショットの保存先（省略時: ピクチャフォルダ）
  --user-dir DIR
                セーブ、既読ページの記録、settings.ini の保存先
                （省略時: ~/.local/share/shirakaba）
  --lang CODE   ウィンドウ独自のメニューとダイアログの言語（ja、en など。省略時
                はシステムの設定）。ゲーム本来のテキストは変わりません
  --continue    前回の続きから始めます（オートセーブをロードします）
  --speak       画面のテキストを読み上げます（日本語の音声が必要です）
  --clipboard   ページが表示されるたびにクリップボードへコピーします
  --headless    ウィンドウなしで動かします（リプレイ、状態の出力、画面の保存）
  --help        この説明を表示します
  --version     バージョンを表示します

キー操作: F11 か Alt+Enter で全画面表示の切り替え、F12 でスクリーンショット、
F5 でクイックセーブ、F9 でクイックロード、Ctrl+S でセーブ、Ctrl+L でロード。
ホイールを上に回すか Page Up でひとつ戻り、下に回すか Page Down でひとつ
進みます。Ctrl を押している間はスキップ、Tab でスキップの切り替え、A でオート
モードの切り替え、H で履歴、Ctrl+C で画面の文章をコピーします。右クリックで開く
メニューに、これらすべてとウィンドウの設定があります（設定は
USERDIR/settings.ini に保存されます。上のオプションはその回の起動にだけ有効
です）。
</translation>
    </message>
</context>
<context>
    <name>Screenshot</name>
    <message>
        <source>cannot create %1</source>
        <translation>%1 を作成できません</translation>
    </message>
    <message>
        <source>%1 holds %2 screenshots already</source>
        <translation>%1 にはすでに %2 枚のスクリーンショットがあります</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
</context>
<context>
    <name>SlotTexts</name>
    <message>
        <source>Quick save</source>
        <translation>クイックセーブ</translation>
    </message>
    <message>
        <source>Autosave</source>
        <translation>オートセーブ</translation>
    </message>
    <message>
        <source>Slot %1</source>
        <translation>スロット%1</translation>
    </message>
    <message>
        <source>the quick slot</source>
        <translation>クイックスロット</translation>
    </message>
    <message>
        <source>the autosave</source>
        <translation>オートセーブ</translation>
    </message>
    <message>
        <source>slot %1</source>
        <translation>スロット%1</translation>
    </message>
    <message>
        <source>Before a new game</source>
        <translation>ゲーム開始前</translation>
    </message>
    <message>
        <source>Day %1</source>
        <translation>%1日目</translation>
    </message>
    <message>
        <source>Day %1, %2</source>
        <translation>%1日目 %2</translation>
    </message>
</context>
<context>
    <name>WindowSaves</name>
    <message>
        <source>there is no game data (%1)</source>
        <translation>ゲームデータがありません（%1）</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>セーブデータがありません</translation>
    </message>
    <message>
        <source>no game is under way yet; start or load one first</source>
        <translation>まだゲームが始まっていません。はじめるか、ロードしてください</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The game&apos;s Japanese font was not found.
Please install the package fonts-ipafont-gothic.

%1</source>
        <translation>ゲームの日本語フォントが見つかりません。
fonts-ipafont-gothic パッケージをインストールしてください。

%1</translation>
    </message>
</context>
<context>
    <name>shirakaba::HistoryWindow</name>
    <message>
        <source>[Choice] %1</source>
        <translation>［選択］%1</translation>
    </message>
    <message>
        <source>History</source>
        <translation>履歴</translation>
    </message>
</context>
<context>
    <name>shirakaba::MainWindow</name>
    <message>
        <source>Screenshot failed: %1</source>
        <translation>スクリーンショットを保存できません: %1</translation>
    </message>
    <message>
        <source>Screenshot saved: %1</source>
        <translation>スクリーンショットを保存しました: %1</translation>
    </message>
    <message>
        <source>Quick save	F5</source>
        <translation>クイックセーブ	F5</translation>
    </message>
    <message>
        <source>Quick load	F9</source>
        <translation>クイックロード	F9</translation>
    </message>
    <message>
        <source>Save…	Ctrl+S</source>
        <translation>セーブ…	Ctrl+S</translation>
    </message>
    <message>
        <source>Load…	Ctrl+L</source>
        <translation>ロード…	Ctrl+L</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>表示倍率</translation>
    </message>
    <message>
        <source>%1×</source>
        <translation>%1倍</translation>
    </message>
    <message>
        <source>Full screen	F11</source>
        <translation>全画面表示	F11</translation>
    </message>
    <message>
        <source>Read aloud</source>
        <translation>テキストの読み上げ</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>%1にセーブしました</translation>
    </message>
    <message>
        <source>Cannot save to %1: %2</source>
        <translation>%1にセーブできません: %2</translation>
    </message>
    <message>
        <source>The pages read are not remembered: %1</source>
        <translation>既読のページを記録できません: %1</translation>
    </message>
    <message>
        <source>Loaded %1</source>
        <translation>%1をロードしました</translation>
    </message>
    <message>
        <source>Cannot load %1: %2</source>
        <translation>%1をロードできません: %2</translation>
    </message>
    <message>
        <source>Cannot save: %1</source>
        <translation>セーブできません: %1</translation>
    </message>
    <message>
        <source>Cannot load: %1</source>
        <translation>ロードできません: %1</translation>
    </message>
    <message>
        <source>Nothing was saved: close the window &quot;%1&quot; first</source>
        <translation>セーブしていません: 先にウィンドウ「%1」を閉じてください</translation>
    </message>
    <message>
        <source>zoom %1 does not fit the screen (%2 x %3 available); zoom %4 is used instead</source>
        <translation>%1倍は画面 (使える広さ %2 x %3) に収まらないため、%4倍で表示します</translation>
    </message>
</context>
<context>
    <name>shirakaba::SaveDialog</name>
    <message>
        <source>Save game</source>
        <translation>セーブ</translation>
    </message>
    <message>
        <source>Load game</source>
        <translation>ロード</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>セーブする</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>ロードする</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>&lt;i&gt;Empty&lt;/i&gt;</source>
        <translation>（空き）</translation>
    </message>
    <message>
        <source>Cannot be read: %1</source>
        <translation>読み込めません: %1</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>セーブ日時 %1</translation>
    </message>
    <message>
        <source>Play time %1</source>
        <translation>プレイ時間 %1</translation>
    </message>
    <message>
        <source>&lt;i&gt;Written when you close the window during a game&lt;/i&gt;</source>
        <translation>ゲーム中にウィンドウを閉じると自動で記録されます</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>空き</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>画像なし</translation>
    </message>
    <message>
        <source>%1, saved %2</source>
        <translation>%1、%2 にセーブ</translation>
    </message>
    <message>
        <source>a save that cannot be read</source>
        <translation>読み込めません</translation>
    </message>
    <message>
        <source>Overwrite %1 (%2)?</source>
        <translation>%1のデータ（%2）を上書きしますか？</translation>
    </message>
    <message>
        <source>Delete the save in %1? This cannot be undone.</source>
        <translation>%1のデータを削除しますか？削除すると元に戻せません。</translation>
    </message>
    <message>
        <source>Cannot delete: %1</source>
        <translation>削除できません: %1</translation>
    </message>
</context>
<context>
    <name>shirakaba::WindowAids</name>
    <message>
        <source>Roll back	Page Up</source>
        <translation>ひとつ戻る	Page Up</translation>
    </message>
    <message>
        <source>Roll forward	Page Down</source>
        <translation>ひとつ進む	Page Down</translation>
    </message>
    <message>
        <source>Skip	Tab</source>
        <translation>スキップ	Tab</translation>
    </message>
    <message>
        <source>Skip mode</source>
        <translation>スキップするページ</translation>
    </message>
    <message>
        <source>Read pages only</source>
        <translation>既読ページのみ</translation>
    </message>
    <message>
        <source>All pages</source>
        <translation>すべてのページ</translation>
    </message>
    <message>
        <source>Auto mode	A</source>
        <translation>オートモード	A</translation>
    </message>
    <message>
        <source>Auto speed</source>
        <translation>オートの速さ</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>遅い</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>速い</translation>
    </message>
    <message>
        <source>History…	H</source>
        <translation>履歴…	H</translation>
    </message>
    <message>
        <source>Copy text	Ctrl+C</source>
        <translation>文章をコピー	Ctrl+C</translation>
    </message>
    <message>
        <source>Copy each page</source>
        <translation>表示のたびにページをコピー</translation>
    </message>
    <message>
        <source>[Skip]</source>
        <translation>［スキップ］</translation>
    </message>
    <message>
        <source>[Auto]</source>
        <translation>［オート］</translation>
    </message>
</context>
</TS>
