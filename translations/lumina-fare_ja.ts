<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>ImportCommand</name>
    <message>
        <source>cannot make its folder</source>
        <translation>フォルダーを作れません</translation>
    </message>
    <message>
        <source>--number N is needed: route %1 has no short name of 1 to 5 digits (and N must be one)</source>
        <translation>--number N が必要です: 路線 %1 には 1 から 5 桁の短い名前がありません（N もそうである必要があります）</translation>
    </message>
    <message>
        <source>%1: %2 stops of trip %3
</source>
        <translation>%1: 便 %3 の停留所 %2
</translation>
    </message>
    <message>
        <source>one of --route ROUTE_ID and --trip TRIP_ID is needed</source>
        <translation>--route ROUTE_ID か --trip TRIP_ID のどちらかが必要です</translation>
    </message>
    <message>
        <source>-o DIR is needed: the folder the fare data file goes to</source>
        <translation>-o DIR が必要です: 運賃データを書き出すフォルダー</translation>
    </message>
    <message>
        <source>--direction is 0 or 1, not &apos;%1&apos;</source>
        <translation>--direction は 0 か 1 です。「%1」は使えません</translation>
    </message>
    <message>
        <source>FEED (--list | --route ROUTE_ID [--direction 0|1] | --trip TRIP_ID) [--number N] [--tape] [--allow-missing] -o DIR</source>
        <translation>FEED (--list | --route ROUTE_ID [--direction 0|1] | --trip TRIP_ID) [--number N] [--tape] [--allow-missing] -o DIR</translation>
    </message>
    <message>
        <source>Make a route&apos;s fare data file (and announcement file) from a GTFS / GTFS-JP feed.</source>
        <translation>GTFS / GTFS-JP のフィードから系統の運賃データ（と放送用データ）を作ります。</translation>
    </message>
    <message>
        <source>FEED is a GTFS zip file or a folder of its .txt files. The stops are those of the
trip named, or of the route&apos;s trip with the most stops in the direction; the
fares come from fare_attributes.txt and fare_rules.txt by the stops&apos; zones.
Writes DIR/N.hy3 (and DIR/tape/Ntp.csv with --tape), or nothing on a problem.
See docs/gtfs-import.md.</source>
        <translation>FEED は GTFS の zip ファイルか、その .txt ファイルのフォルダーです。停留所は指定した便の
もの、または路線のその方向でいちばん停留所の多い便のものです。運賃は停留所のゾーン
により fare_attributes.txt と fare_rules.txt から取ります。
DIR/N.hy3（--tape があれば DIR/tape/Ntp.csv も）を書き出し、問題があれば何も書きません。
docs/gtfs-import.md を参照してください。</translation>
    </message>
    <message>
        <source>List the feed&apos;s routes and the stops of their longest trip each way.</source>
        <translation>フィードの路線と、方向ごとにいちばん長い便の停留所を一覧にします。</translation>
    </message>
    <message>
        <source>The route (route_id) to import.</source>
        <translation>取り込む路線（route_id）。</translation>
    </message>
    <message>
        <source>The route&apos;s direction (direction_id), 0 or 1.</source>
        <translation>路線の方向（direction_id）、0 か 1。</translation>
    </message>
    <message>
        <source>The trip (trip_id) to import.</source>
        <translation>取り込む便（trip_id）。</translation>
    </message>
    <message>
        <source>The route number naming the file (default: the route&apos;s short name).</source>
        <translation>ファイル名にする系統番号（既定: 路線の短い名前）。</translation>
    </message>
    <message>
        <source>Also write the announcement file: one entry a stop.</source>
        <translation>放送用データも書き出します: 一停留所に一件。</translation>
    </message>
    <message>
        <source>Leave the cell of a pair without a fare dark, not an error.</source>
        <translation>運賃のない組のコマはエラーにせず消灯のままにします。</translation>
    </message>
    <message>
        <source>The folder written to (made when missing).</source>
        <translation>書き出すフォルダー（なければ作ります）。</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>[%1%2] %3% %4 left</source>
        <translation>[%1%2] %3% 残り %4</translation>
    </message>
</context>
<context>
    <name>lumina::fare</name>
    <message>
        <source>usage: lumina-fare [--help] [--version] COMMAND [ARGS]
</source>
        <translation>使い方: lumina-fare [--help] [--version] コマンド [引数]
</translation>
    </message>
    <message>
        <source>usage: lumina-fare %1 %2

%3
</source>
        <translation>使い方: lumina-fare %1 %2

%3
</translation>
    </message>
    <message>
        <source>
Makes, checks and draws the data of Lumina, the fare board simulator: fare
data files (.hy3) and their CSV text, announcement files (tp.csv) and
ticket plug-ins (.4SP).

Commands:
</source>
        <translation>
運賃表示器シミュレーター「ルミナ」のデータを作り、調べ、描きます：運賃データ
（.hy3）とその CSV テキスト、放送用データ（tp.csv）、整理券プラグイン（.4SP）。

コマンド：
</translation>
    </message>
    <message>
        <source>  help [COMMAND]
      This text, or one command&apos;s (also: COMMAND --help).

A FILE of &quot;-&quot; is standard input; -o - is standard output.
Exit status: 0 done, 1 a file refused, missing or not written, 2 a misused
command line. Formats: lumina-fare(1), docs/fare-data.md.
</source>
        <translation>  help [COMMAND]
      この説明、または一つのコマンドの説明（COMMAND --help でも）。

FILE の「-」は標準入力、-o - は標準出力です。
終了ステータス：0 完了、1 ファイルを受け付けない・見つからない・書けない、
2 コマンドラインの誤り。形式：lumina-fare(1)、docs/fare-data.md。
</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a command</source>
        <translation>「%1」というコマンドはありません</translation>
    </message>
    <message>
        <source>a file is needed: %1 %2</source>
        <translation>ファイルが必要です: %1 %2</translation>
    </message>
    <message>
        <source>one file only, not &apos;%1&apos;</source>
        <translation>ファイルは一つだけです。「%1」は多すぎます</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>「%1」というオプションはありません</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>コマンドがありません</translation>
    </message>
    <message>
        <source>(standard input)</source>
        <translation>（標準入力）</translation>
    </message>
    <message>
        <source>%1: %2 (see &apos;%3&apos;)</source>
        <translation>%1: %2（「%3」を参照）</translation>
    </message>
    <message>
        <source>no such file (looked for %1)</source>
        <translation>ファイルがありません（探した場所: %1）</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>ファイルではなくフォルダーです</translation>
    </message>
    <message>
        <source>cannot read: %1</source>
        <translation>読めません: %1</translation>
    </message>
    <message>
        <source>(standard output)</source>
        <translation>（標準出力）</translation>
    </message>
    <message>
        <source>cannot write: %1</source>
        <translation>書けません: %1</translation>
    </message>
    <message>
        <source>write error</source>
        <translation>書き込みエラー</translation>
    </message>
    <message>
        <source>cannot write: no such folder (looked for %1)</source>
        <translation>書けません: フォルダーがありません（探した場所: %1）</translation>
    </message>
    <message>
        <source>no stops</source>
        <translation>停留所なし</translation>
    </message>
    <message>
        <source>%1 stops, %2 → %3, ticket numbers up to %4</source>
        <translation>停留所 %1、%2 → %3、整理券番号 %4 まで</translation>
    </message>
    <message>
        <source>Write a fare data file as UTF-8 CSV, one stop a line.</source>
        <translation>運賃データを UTF-8 の CSV に、一行に一停留所で書き出します。</translation>
    </message>
    <message>
        <source>Each line is a stop: its name, the ticket number issued there, then the
150 values (fares for ticket numbers 1..60, then values 61..150).
A file the program would refuse (broken, or fewer than two stops) is an error.</source>
        <translation>各行が一つの停留所です：停留所名、そこで出す整理券番号、続いて 150 個の値
（整理券番号 1..60 の運賃、その後に値 61..150）。
プログラムが受け付けないファイル（壊れている、停留所が二つ未満）はエラーです。</translation>
    </message>
    <message>
        <source>The CSV written (default: standard output).</source>
        <translation>書き出す CSV（既定: 標準出力）。</translation>
    </message>
    <message>
        <source>-o FILE.hy3 is needed: the fare data file to write</source>
        <translation>-o FILE.hy3 が必要です: 書き出す運賃データ</translation>
    </message>
    <message>
        <source>Make a fare data file from UTF-8 CSV (as dump writes it).</source>
        <translation>UTF-8 の CSV（dump の書く形）から運賃データを作ります。</translation>
    </message>
    <message>
        <source>Blank lines and lines starting with # are skipped. Nothing is written when
the program would refuse the result: every problem is told with its line.
Name the file after the route number: route 34 is read from 34.hy3.</source>
        <translation>空行と # で始まる行は読み飛ばします。プログラムが受け付けない結果になるときは
何も書きません：問題はすべて行番号とともに知らせます。
ファイル名は系統番号にしてください：系統 34 は 34.hy3 から読みます。</translation>
    </message>
    <message>
        <source>The fare data file written (&quot;-&quot;: standard output).</source>
        <translation>書き出す運賃データ（「-」: 標準出力）。</translation>
    </message>
    <message>
        <source>%1 announcements, %2 of them recordings</source>
        <translation>放送 %1 件、うち録音 %2 件</translation>
    </message>
    <message>
        <source>ticket plug-in, preview %1 x %2 twips, %3 elements, %4 companies</source>
        <translation>整理券プラグイン、プレビュー %1 x %2 twip、要素 %3、社名 %4</translation>
    </message>
    <message>
        <source>trip of %1 steps, %2 long</source>
        <translation>運行 %1 ステップ、長さ %2</translation>
    </message>
    <message>
        <source>--type takes hy3, csv, tape, plugin or trip, not &apos;%1&apos;</source>
        <translation>--type は hy3、csv、tape、plugin、trip のどれかです。「%1」は使えません</translation>
    </message>
    <message>
        <source>the kind of standard input is not known; give --type</source>
        <translation>標準入力の種類がわかりません。--type を付けてください</translation>
    </message>
    <message>
        <source>%1: the kind of file is not told by its name; give --type</source>
        <translation>%1: 名前からファイルの種類がわかりません。--type を付けてください</translation>
    </message>
    <message>
        <source>%1: ok: %2
</source>
        <translation>%1: ok: %2
</translation>
    </message>
    <message>
        <source>Check fare data, fare CSV, announcement files, ticket plug-ins and trips.</source>
        <translation>運賃データ、運賃 CSV、放送用データ、整理券プラグイン、運行ファイルを調べます。</translation>
    </message>
    <message>
        <source>The kind is told by the name: *tp.csv (any case) an announcement file,
*.csv a fare CSV, *.hy3 a fare data file, *.4SP a ticket plug-in, *.trip a trip.
Every problem is told with its line; a good file gets &quot;ok&quot; and a summary.</source>
        <translation>種類は名前でわかります：*tp.csv（大文字小文字を問わず）は放送用データ、
*.csv は運賃 CSV、*.hy3 は運賃データ、*.4SP は整理券プラグイン、*.trip は運行ファイル。
問題はすべて行番号とともに知らせます。問題のないファイルには「ok」と概要を出します。</translation>
    </message>
    <message>
        <source>The kind of every FILE: hy3, csv, tape, plugin or trip (needed for &quot;-&quot;).</source>
        <translation>すべての FILE の種類: hy3、csv、tape、plugin、trip（「-」には必要）。</translation>
    </message>
    <message>
        <source>the picture could not be made</source>
        <translation>画像を作れませんでした</translation>
    </message>
    <message>
        <source>either --stop N with -o FILE.png, or --all DIR</source>
        <translation>--stop N と -o FILE.png か、--all DIR のどちらかです</translation>
    </message>
    <message>
        <source>--stop N and -o FILE.png go together</source>
        <translation>--stop N と -o FILE.png は一緒に使います</translation>
    </message>
    <message>
        <source>--section takes a number from 1 to 300</source>
        <translation>--section は 1 から 300 までの数です</translation>
    </message>
    <message>
        <source>--scale takes 1, 2 or 3</source>
        <translation>--scale は 1、2、3 のどれかです</translation>
    </message>
    <message>
        <source>--stop takes a stop number from 1</source>
        <translation>--stop は 1 からの停留所の番号です</translation>
    </message>
    <message>
        <source>--background takes a colour such as white or #e8eef4</source>
        <translation>--background は white や #e8eef4 のような色です</translation>
    </message>
    <message>
        <source>%1 (looked for %2)</source>
        <translation>%1（探した場所: %2）</translation>
    </message>
    <message>
        <source>cannot make the folder</source>
        <translation>フォルダーを作れません</translation>
    </message>
    <message>
        <source>Draw the board as the program shows a stop, as PNG.</source>
        <translation>プログラムが停留所を表示するとおりに盤面を PNG に描きます。</translation>
    </message>
    <message>
        <source>The program&apos;s own drawing, without a display. The route is set at the
section as when keyed; --all writes stop-001.png, stop-002.png, ...</source>
        <translation>ディスプレイなしで、プログラム自身の描画を使います。系統はキー入力と同じく区間に
設定します。--all は stop-001.png、stop-002.png、... を書き出します。</translation>
    </message>
    <message>
        <source>The stop shown (1 = first).</source>
        <translation>表示する停留所（1 = 最初）。</translation>
    </message>
    <message>
        <source>The picture written (&quot;-&quot;: standard output).</source>
        <translation>書き出す画像（「-」: 標準出力）。</translation>
    </message>
    <message>
        <source>One picture per stop into DIR.</source>
        <translation>停留所ごとに一枚を DIR へ。</translation>
    </message>
    <message>
        <source>The section the route is set at (default 1).</source>
        <translation>系統を設定する区間（既定 1）。</translation>
    </message>
    <message>
        <source>Late-night fares.</source>
        <translation>深夜料金。</translation>
    </message>
    <message>
        <source>Board scale 1, 2 or 3 (default 1).</source>
        <translation>盤面の倍率 1、2、3（既定 1）。</translation>
    </message>
    <message>
        <source>Colours, digits and fonts from this settings file.</source>
        <translation>色、数字、フォントをこの設定ファイルから。</translation>
    </message>
    <message>
        <source>Put the board on this colour, with a margin.</source>
        <translation>盤面をこの色の上に余白付きで置きます。</translation>
    </message>
    <message>
        <source>--every takes seconds from 0.1 to 3600</source>
        <translation>--every は 0.1 から 3600 までの秒数です</translation>
    </message>
    <message>
        <source>Write a starting trip for the route, for lumina --play.</source>
        <translation>lumina --play のために、系統の運行のひな形を書き出します。</translation>
    </message>
    <message>
        <source>The route&apos;s announcement file.</source>
        <translation>系統の放送用データ。</translation>
    </message>
    <message>
        <source>Seconds between presses (default 20).</source>
        <translation>ボタンを押す間隔の秒数（既定 20）。</translation>
    </message>
    <message>
        <source>The trip written (default: standard output).</source>
        <translation>書き出す運行ファイル（既定: 標準出力）。</translation>
    </message>
    <message>
        <source>The video written: .mp4, .webm or .mkv.</source>
        <translation>書き出す動画: .mp4、.webm、.mkv。</translation>
    </message>
    <message>
        <source>Options from this settings file (default: the samples&apos;).</source>
        <translation>この設定ファイルのオプション（既定: サンプルのもの）。</translation>
    </message>
    <message>
        <source>The board centred, unscaled, on a WxH canvas.</source>
        <translation>盤面を等倍で WxH のキャンバスの中央に。</translation>
    </message>
    <message>
        <source>The canvas colour (default black).</source>
        <translation>キャンバスの色（既定 黒）。</translation>
    </message>
    <message>
        <source>Frames a second (default 30).</source>
        <translation>毎秒のフレーム数（既定 30）。</translation>
    </message>
    <message>
        <source>The board&apos;s clock at the start (default 10:00).</source>
        <translation>始めの盤面の時計（既定 10:00）。</translation>
    </message>
    <message>
        <source>-o OUT is needed</source>
        <translation>-o OUT が必要です</translation>
    </message>
    <message>
        <source>--fps takes a number from 1 to 120</source>
        <translation>--fps は 1 から 120 までの数です</translation>
    </message>
    <message>
        <source>--clock takes a time as HH:MM</source>
        <translation>--clock は HH:MM の形の時刻です</translation>
    </message>
    <message>
        <source>--background takes a colour name or #rrggbb</source>
        <translation>--background は色の名前か #rrggbb です</translation>
    </message>
    <message>
        <source>--canvas takes even sides as WxH, e.g. 1920x1080</source>
        <translation>--canvas は偶数の辺を WxH で書きます（例 1920x1080）</translation>
    </message>
    <message>
        <source>Play a trip on the board into a video file, picture and sound.</source>
        <translation>運行を盤面で再生し、映像と音声を動画ファイルにします。</translation>
    </message>
    <message>
        <source>The trip is played on the program&apos;s own board and panel, hidden and in
its own time; the sound is mixed offline. The same inputs give the same
frames and samples. Nothing is written unless the video is complete.</source>
        <translation>運行はプログラム自身の盤面と操作盤で、画面に出さず独自の時間で再生し、音声は
オフラインで混ぜます。同じ入力からは同じフレームとサンプルができます。
動画が完成しない限り何も書きません。</translation>
    </message>
    <message>
        <source>The route (named by the file: 12.hy3 is route 12) is set at 0:00, then every
SECONDS the tape&apos;s &quot;送り&quot; (&quot;データ送り&quot; without --tape) is pressed until the
last stop, and the trip ends SECONDS after that. Format: docs/trips.md.</source>
        <translation>系統（ファイル名で決まります: 12.hy3 は系統 12）を 0:00 に設定し、その後 SECONDS
ごとにテープの「送り」（--tape がなければ「データ送り」）を最後の停留所まで押し、
その SECONDS 後に運行を終えます。形式: docs/trips.md。</translation>
    </message>
    <message>
        <source>no stops: Lumina cannot set this route.</source>
        <translation>停留所が一つもありません。Lumina はこの系統を設定できません。</translation>
    </message>
    <message>
        <source>only one stop: a route needs two or more.</source>
        <translation>停留所が1つしかありません。系統を設定するには停留所が2つ以上要ります。</translation>
    </message>
    <message>
        <source>%1 stops: at most %2 can be used.</source>
        <translation>停留所が%1あります。扱えるのは%2までです。</translation>
    </message>
    <message>
        <source>%1: &quot;%3&quot; in the stop name &quot;%2&quot; has no form in Shift-JIS (code page 932).</source>
        <translation>%1: 停留所名「%2」の「%3」はShift-JIS（コードページ932）で表せません。</translation>
    </message>
    <message>
        <source>%1: the stop name is too long (%2 bytes, at most 65535).</source>
        <translation>%1: 停留所名が長すぎます（%2バイト、65535まで）。</translation>
    </message>
    <message>
        <source>line %1: bytes that are no UTF-8; was the file saved as Shift-JIS?</source>
        <translation>%1行目: UTF-8 として読めない文字があります（Shift-JIS のまま保存されていませんか）。</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>%1行目</translation>
    </message>
    <message>
        <source>record %1</source>
        <translation>%1番目のデータ</translation>
    </message>
    <message>
        <source>line %1: bytes that are no Shift-JIS (code page 932); was the file saved as UTF-8?</source>
        <translation>%1行目: Shift-JIS（コードページ932）として読めないバイトがあります（UTF-8 のまま保存されていませんか）。</translation>
    </message>
    <message>
        <source>line %1: %2 fields; at most 3: the text, the step and the sound.</source>
        <translation>%1行目: 項目が%2あります。文、ステップ、サウンドの3つまでです。</translation>
    </message>
    <message>
        <source>line %1: the step &quot;%2&quot; is 0 or 1.</source>
        <translation>%1行目: ステップ「%2」は 0 か 1 です。</translation>
    </message>
    <message>
        <source>line %1: the pre-announcement sound &quot;%2&quot; is 0 to 3.</source>
        <translation>%1行目: 放送前サウンド「%2」は 0 から 3 です。</translation>
    </message>
    <message>
        <source>line %1: the recording &quot;%2&quot; is not in this file&apos;s folder (its name would be read out as it stands).</source>
        <translation>%1行目: 録音「%2」がこのファイルと同じフォルダーにありません（名前がそのまま読み上げられます）。</translation>
    </message>
    <message>
        <source>larger than %1 bytes.</source>
        <translation>%1バイトを超えています。</translation>
    </message>
    <message>
        <source>no announcements.</source>
        <translation>放送が一つもありません。</translation>
    </message>
    <message>
        <source>line %1: </source>
        <translation>%1行目: </translation>
    </message>
    <message>
        <source>there is no stop %1 (the route has %2).</source>
        <translation>停留所 %1 はありません（全 %2 停留所）。</translation>
    </message>
    <message>
        <source>the file name is no route number (such as 12.hy3).</source>
        <translation>ファイル名が系統番号ではありません（例: 12.hy3）。</translation>
    </message>
</context>
</TS>
