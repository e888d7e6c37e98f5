<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>CsvTable</name>
    <message>
        <source>最後まで読めません: %1</source>
        <translation>Cannot be read to its end: %1</translation>
    </message>
    <message>
        <source>UTF-8 ではない文字があります。</source>
        <translation>There are characters that are not UTF-8.</translation>
    </message>
    <message>
        <source>%1 %2行目 %3: %4</source>
        <translation>%1 line %2 %3: %4</translation>
    </message>
    <message>
        <source>%1 %2行目: %3</source>
        <translation>%1 line %2: %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>閉じた引用符のあとに「%1」があります。</source>
        <translation>There is &quot;%1&quot; after a closing quotation mark.</translation>
    </message>
    <message>
        <source>引用符が閉じていません。</source>
        <translation>A quotation mark is not closed.</translation>
    </message>
    <message>
        <source>見出しの%1列より多い%2列があります。</source>
        <translation>There are %2 columns, more than the %1 of the header.</translation>
    </message>
</context>
<context>
    <name>FareImport</name>
    <message>
        <source>stops.txt %1行目 stop_name: 停留所 %2 の「%3」に改行などの制御文字があります。</source>
        <translation>stops.txt line %1 stop_name: &quot;%3&quot; of stop %2 has a line break or another control character.</translation>
    </message>
    <message>
        <source>stops.txt %1行目 stop_name: 停留所 %2 の「%3」の「%4」はコードページ932で表せません。</source>
        <translation>stops.txt line %1 stop_name: &quot;%4&quot; in &quot;%3&quot; of stop %2 cannot be written in code page 932.</translation>
    </message>
    <message>
        <source>停留所 %1 から %2 までの運賃 %3 円は 32767 円を超えます。</source>
        <translation>The fare from stop %1 to %2, %3 yen, is over 32767 yen.</translation>
    </message>
    <message>
        <source>停留所 %1（ゾーン %2）から %3（ゾーン %4）までの運賃がありません。</source>
        <translation>There is no fare from stop %1 (zone %2) to %3 (zone %4).</translation>
    </message>
    <message>
        <source>ほかに %1 組の運賃がありません。</source>
        <translation>%1 more pairs have no fare.</translation>
    </message>
    <message>
        <source>trips.txt: 路線 %1 の方向 %2 の便がありません。</source>
        <translation>trips.txt: route %1 has no trip in direction %2.</translation>
    </message>
    <message>
        <source>trips.txt: 便 %1 がありません。</source>
        <translation>trips.txt: there is no trip %1.</translation>
    </message>
    <message>
        <source>便 %1 の停留所は %2 です。2 から %3 までにしか使えません。</source>
        <translation>Trip %1 has %2 stops; only 2 to %3 can be used.</translation>
    </message>
    <message>
        <source>便 %1 の停留所は %2 あります。整理券番号は最初の %3 停留所にだけ付けます。</source>
        <translation>Trip %1 has %2 stops; ticket numbers go to the first %3 stops only.</translation>
    </message>
</context>
<context>
    <name>Feed</name>
    <message>
        <source>%1: 列 %2 がありません。</source>
        <translation>%1: there is no column %2.</translation>
    </message>
    <message>
        <source>「%1」は0以上の整数ではありません。</source>
        <translation>&quot;%1&quot; is not a whole number of 0 or more.</translation>
    </message>
    <message>
        <source>「%1」は2度目です。</source>
        <translation>&quot;%1&quot; comes a second time.</translation>
    </message>
    <message>
        <source>停留所「%1」は stops.txt にありません。</source>
        <translation>The stop &quot;%1&quot; is not in stops.txt.</translation>
    </message>
    <message>
        <source>stop_times.txt %1行目 %2: %3 は同じ便で2度目です。</source>
        <translation>stop_times.txt line %1 %2: %3 comes a second time in the same trip.</translation>
    </message>
    <message>
        <source>「%1」は fare_attributes.txt にありません。</source>
        <translation>&quot;%1&quot; is not in fare_attributes.txt.</translation>
    </message>
</context>
<context>
    <name>FeedSource</name>
    <message>
        <source>フィードがありません。</source>
        <translation>There is no feed.</translation>
    </message>
    <message>
        <source>ZIP ファイルとして読めません: %1</source>
        <translation>Cannot be read as a ZIP file: %1</translation>
    </message>
    <message>
        <source>ZIP の中の名前「%1」はフォルダーの外を指しうるので、このファイルは読みません。</source>
        <translation>The name &quot;%1&quot; in the ZIP could point outside the folder, so this file is not read.</translation>
    </message>
    <message>
        <source>%1 がありません。</source>
        <translation>%1 is missing.</translation>
    </message>
    <message>
        <source>%1: ZIP から取り出せません: %2</source>
        <translation>%1: cannot be taken out of the ZIP: %2</translation>
    </message>
    <message>
        <source>%1: 展開すると表の合計が %2 バイトを超えます。</source>
        <translation>%1: unpacked, the tables would be over %2 bytes in all.</translation>
    </message>
    <message>
        <source>%1: 読めません: %2</source>
        <translation>%1: cannot be read: %2</translation>
    </message>
    <message>
        <source>%1: 表の合計が %2 バイトを超えます。</source>
        <translation>%1: the tables are over %2 bytes in all.</translation>
    </message>
    <message>
        <source>%1: 最後まで読めません: %2</source>
        <translation>%1: cannot be read to its end: %2</translation>
    </message>
</context>
<context>
    <name>lumina::BoardPictures</name>
    <message>
        <source>設定ファイル「%1」を開けませんでした。</source>
        <translation>Could not open the settings file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>設定ファイル「%1」は壊れているか、途中で終わっています。</source>
        <translation>The settings file &quot;%1&quot; is damaged or ends too early.</translation>
    </message>
</context>
<context>
    <name>lumina::BoardUpdate</name>
    <message>
        <source>%1 %2 （既定の表示）</source>
        <translation>%1 %2 (default)</translation>
    </message>
</context>
<context>
    <name>lumina::BoardWindow</name>
    <message>
        <source>エラーです。<byte value="xd"/>
<byte value="xd"/>
エラーコード：%1&#x3000;画像ファイルが見つからないか、指定している場所が不正です。</source>
        <translation>Error.<byte value="xd"/>
<byte value="xd"/>
Error code: %1&#x3000;The picture file is missing or its location is not valid.</translation>
    </message>
    <message>
        <source>エラーです。<byte value="xd"/>
<byte value="xd"/>
エラーコード：%1&#x3000;指定した画像の内容が不正です。この部分では扱えません。</source>
        <translation>Error.<byte value="xd"/>
<byte value="xd"/>
Error code: %1&#x3000;The picture chosen is not valid and cannot be used here.</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>エラーです！<byte value="xd"/>
<byte value="xd"/>
コード：%1<byte value="xd"/>
<byte value="xd"/>
内容：インデックスが有効範囲にありません。<byte value="xd"/>
<byte value="xd"/>
モジュール：%2</source>
        <translation>Error!<byte value="xd"/>
<byte value="xd"/>
Code: %1<byte value="xd"/>
<byte value="xd"/>
What: the index is out of range.<byte value="xd"/>
<byte value="xd"/>
Module: %2</translation>
    </message>
    <message>
        <source>エラー！</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>ルミナ - 型番:%1</source>
        <translation>Lumina - model:%1</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>常に手前に表示</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>画像をコピー</source>
        <translation>Copy picture</translation>
    </message>
    <message>
        <source>画像を保存...</source>
        <translation>Save picture...</translation>
    </message>
    <message>
        <source>運行を再生...</source>
        <translation>Play a trip...</translation>
    </message>
    <message>
        <source>運行を停止</source>
        <translation>Stop the trip</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>ルミナ.png</source>
        <translation>Lumina.png</translation>
    </message>
    <message>
        <source>画像を保存</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>画像を保存できませんでした。<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
%2</source>
        <translation>Could not save the picture.<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
%2</translation>
    </message>
</context>
<context>
    <name>lumina::CommandLine</name>
    <message>
        <source>ルミナ：路線バスの運賃表示器と、それを動かす運転席の集中操作盤。</source>
        <translation>Lumina (ルミナ): the fare display board of a Japanese route bus and the driver&apos;s control panel that drives it.</translation>
    </message>
    <message>
        <source>いつもの設定ファイルの代わりに FILE で設定を読み書きします。まだないファイルはサンプルの設定で始めます。</source>
        <translation>Read and write the settings in FILE instead of the usual settings file; a file that does not exist yet starts with the sample set-up.</translation>
    </message>
    <message>
        <source>両方のウィンドウが出たら、TRIP の運行を操作盤で再生します。</source>
        <translation>Play the trip in TRIP on the panel once both windows show.</translation>
    </message>
    <message>
        <source>表示言語を LANG（ja：日本語、en：英語）にします。オプションで選んだ言語とシステムの言語より優先します。</source>
        <translation>Show the interface in LANG (ja: Japanese, en: English), over the language chosen in the options and the system&apos;s.</translation>
    </message>
    <message>
        <source>%1: %2
詳しくは「%1 --help」を見てください。
</source>
        <translation>%1: %2
Try &apos;%1 --help&apos; for more information.
</translation>
    </message>
    <message>
        <source>余分な引数「%1」があります。</source>
        <translation>Unexpected argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>「--settings」にはファイル名が必要です。</source>
        <translation>The option &apos;--settings&apos; needs a file name.</translation>
    </message>
    <message>
        <source>「--lang」は ja か en です。「%1」は使えません。</source>
        <translation>The option &apos;--lang&apos; takes ja or en, not &apos;%1&apos;.</translation>
    </message>
</context>
<context>
    <name>lumina::FareCsv</name>
    <message>
        <source>%1行目: 停留所名と整理券番号が必要です。</source>
        <translation>line %1: a stop name and a ticket number are needed.</translation>
    </message>
    <message>
        <source>%1行目: 値が%2個あります。一つの停留所に入れられる値は%3個までです。</source>
        <translation>line %1: %2 values; a stop holds at most %3.</translation>
    </message>
    <message>
        <source>%1行目%2列目: 「%3」は-32768から32767までの整数ではありません。</source>
        <translation>line %1, column %2: &quot;%3&quot; is not a whole number from -32768 to 32767.</translation>
    </message>
    <message>
        <source>%1行目: 引用符が閉じられていません。</source>
        <translation>line %1: a quotation mark is not closed.</translation>
    </message>
</context>
<context>
    <name>lumina::FareFile</name>
    <message>
        <source>運賃データを読み込めませんでした（%1）。</source>
        <translation>Could not read the fare data (%1).</translation>
    </message>
    <message>
        <source>運賃データが壊れています。データの数を読み取れません。</source>
        <translation>The fare data is damaged: its count cannot be read.</translation>
    </message>
    <message>
        <source>運賃データが途中で終わっています。データの数は%1ですが、%2番目のデータが欠けています。</source>
        <translation>The fare data ends too early: its count is %1, but entry %2 is missing.</translation>
    </message>
    <message>
        <source>運賃データが壊れています。データの数が%1になっています。</source>
        <translation>The fare data is damaged: its count is %1.</translation>
    </message>
    <message>
        <source>運賃データの停留所が多すぎます。データの数は%1ですが、扱えるのは%2までです。</source>
        <translation>The fare data has too many stops: its count is %1, at most %2 can be used.</translation>
    </message>
    <message>
        <source>停留所が%1あります。運賃データに入れられるのは%2までです。</source>
        <translation>There are %1 stops; fare data holds at most %2.</translation>
    </message>
    <message>
        <source>%1番目の停留所名「%2」にはShift-JIS（コードページ932）で表せない文字があります。</source>
        <translation>Stop name %1 &quot;%2&quot; has a character that Shift-JIS (code page 932) cannot hold.</translation>
    </message>
    <message>
        <source>%1番目の停留所名が長すぎます（%2バイト）。</source>
        <translation>Stop name %1 is too long (%2 bytes).</translation>
    </message>
    <message>
        <source>運賃データを書き込めませんでした（%1）。</source>
        <translation>Could not write the fare data (%1).</translation>
    </message>
</context>
<context>
    <name>lumina::IniError</name>
    <message>
        <source>アプリケーション定義またはオブジェクト定義のエラーです。</source>
        <translation>Application-defined or object-defined error.</translation>
    </message>
    <message>
        <source>ファイル名または番号が不正です。</source>
        <translation>Bad file name or number.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>デバイス I/O エラーです。</source>
        <translation>Device I/O error.</translation>
    </message>
    <message>
        <source>ディスクの空き容量が不足しています。</source>
        <translation>Disk full.</translation>
    </message>
    <message>
        <source>書き込みできません。</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>パス名が無効です。</source>
        <translation>Path/File access error.</translation>
    </message>
    <message>
        <source>パスが見つかりません。</source>
        <translation>Path not found.</translation>
    </message>
    <message>
        <source>プロパティの値が不正です。</source>
        <translation>Invalid property value.</translation>
    </message>
    <message>
        <source>エラー Code:%1<byte value="xd"/>
内容:%2</source>
        <translation>Error Code:%1<byte value="xd"/>
What:%2</translation>
    </message>
</context>
<context>
    <name>lumina::Lumina</name>
    <message>
        <source>文字コード「windows-31j」（シフトJIS）の変換機能が見つかりません。<byte value="xd"/>
停留所名などの日本語の文字を正しく読み書きできません。<byte value="xd"/>
設定ファイルを壊さないよう、終了しても設定は保存しません。</source>
        <translation>No converter for the character set &quot;windows-31j&quot; (Shift-JIS) was found.<byte value="xd"/>
Japanese text such as stop names cannot be read or written correctly.<byte value="xd"/>
To keep the settings file whole, the settings are not saved on quitting.</translation>
    </message>
    <message>
        <source>運行ファイル「%1」は再生できません。<byte value="xd"/>
%2</source>
        <translation>The trip file &quot;%1&quot; cannot be played.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>運行ファイル(*.trip)%1*.trip%1すべてのファイル(*.*)%1*.*%1%1</source>
        <translation>Trip files (*.trip)%1*.trip%1All files (*.*)%1*.*%1%1</translation>
    </message>
    <message>
        <source>運行を再生</source>
        <translation>Play a trip</translation>
    </message>
    <message>
        <source>ルミナを終了しますか？</source>
        <translation>Quit Lumina?</translation>
    </message>
    <message>
        <source>ルミナの終了確認</source>
        <translation>Quit Lumina</translation>
    </message>
</context>
<context>
    <name>lumina::OptionsDialog</name>
    <message>
        <source>「1」の場合</source>
        <translation>Value &quot;1&quot;</translation>
    </message>
    <message>
        <source>「2」の場合</source>
        <translation>Value &quot;2&quot;</translation>
    </message>
    <message>
        <source>「3」の場合</source>
        <translation>Value &quot;3&quot;</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>運賃データと&#x3000;放送用データ</source>
        <translation>Data folders</translation>
    </message>
    <message>
        <source>パネルと整理券番号表示</source>
        <translation>Panel and ticket numbers</translation>
    </message>
    <message>
        <source>デジタル部品と情報用数字</source>
        <translation>Digits and info numbers</translation>
    </message>
    <message>
        <source>停名の設定</source>
        <translation>Stop name</translation>
    </message>
    <message>
        <source>サウンド</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;整理券&#x3000;&#x3000;&#x3000;プレビュー</source>
        <translation>Ticket preview</translation>
    </message>
    <message>
        <source>運賃データと放送用データ</source>
        <translation>Fare and announcement data</translation>
    </message>
    <message>
        <source>サウンド（鳴らさなくてもいい項目にはファイル名を入れないで下さい）</source>
        <translation>Sounds (leave the file name empty for a sound you do not want)</translation>
    </message>
    <message>
        <source>整理券プレビュー</source>
        <translation>Ticket preview</translation>
    </message>
    <message>
        <source>運賃データ(*.hy3)のあるフォルダー：</source>
        <translation>Folder of the fare data (*.hy3):</translation>
    </message>
    <message>
        <source>上記運賃データの場所をエクスプローラで開く</source>
        <translation>Open this folder in the file manager</translation>
    </message>
    <message>
        <source>放送用データ(*****Tp.csv)のあるフォルダー：</source>
        <translation>Folder of the announcement data (*****Tp.csv):</translation>
    </message>
    <message>
        <source>上記放送用データの場所をエクスプローラで開く</source>
        <translation>Open this folder in the file manager</translation>
    </message>
    <message>
        <source>表示言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>整理券番号自動表示機能を使用</source>
        <translation>Show the ticket numbers automatically</translation>
    </message>
    <message>
        <source>本体パネル</source>
        <translation>Board panel</translation>
    </message>
    <message>
        <source>内蔵しているパネルを自動で割り当てる</source>
        <translation>Use the built-in panels</translation>
    </message>
    <message>
        <source>個別に設定する</source>
        <translation>Choose each one</translation>
    </message>
    <message>
        <source>バックライトOFF時の画像：</source>
        <translation>Picture with the backlight OFF:</translation>
    </message>
    <message>
        <source>ON1の画像：</source>
        <translation>Picture for ON1:</translation>
    </message>
    <message>
        <source>ON2の画像：</source>
        <translation>Picture for ON2:</translation>
    </message>
    <message>
        <source>内蔵</source>
        <translation>Built-in</translation>
    </message>
    <message>
        <source>ユーザーパネル</source>
        <translation>User panel</translation>
    </message>
    <message>
        <source>※ユーザーパネルには、現在の機種に対応の画像をご使用ください。大きいパネルの場合、はみ出た部分（右・下）が切り取られます。逆に小さいパネルの場合は左上から表示され、余白部分はグレーになりますのでご注意ください。</source>
        <translation>Note: use a user panel picture made for this model. A larger picture is cut at the right and bottom; a smaller one is shown from the top left, with the rest grey.</translation>
    </message>
    <message>
        <source>整理券番号のバックライトカラー(文字色)</source>
        <translation>Ticket number colour (text) per backlight</translation>
    </message>
    <message>
        <source>OFF：</source>
        <translation>OFF:</translation>
    </message>
    <message>
        <source>ON1：</source>
        <translation>ON1:</translation>
    </message>
    <message>
        <source>ON2：</source>
        <translation>ON2:</translation>
    </message>
    <message>
        <source>整理券番号表示設定</source>
        <translation>Ticket number style</translation>
    </message>
    <message>
        <source>数字が1桁の番号は頭に0を付け足す</source>
        <translation>Leading 0 for one-digit numbers</translation>
    </message>
    <message>
        <source>※ユーザーパネルに直接番号をデザインしている場合には上記チェックをOFFにしてください。</source>
        <translation>Note: turn the box above off if the user panel has the numbers drawn on it.</translation>
    </message>
    <message>
        <source>デジタル部品の背景色と文字色（時計つきの場合はこの部分も同色となります）</source>
        <translation>Digit colours (the clock, if any, shows the same colours)</translation>
    </message>
    <message>
        <source>背景色：</source>
        <translation>Back:</translation>
    </message>
    <message>
        <source>未発光時の文字色：</source>
        <translation>Unlit digits:</translation>
    </message>
    <message>
        <source>発光時の文字色：</source>
        <translation>Lit digits:</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>情報用数字の設定</source>
        <translation>Information numbers</translation>
    </message>
    <message>
        <source>停留所の順番（区間・個数）を、&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;  コマ目に表示する。</source>
        <translation>Show the stop position (section) in cell&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;  .</translation>
    </message>
    <message>
        <source>整理券番号を、  &#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;コマ目に表示する。</source>
        <translation>Show the ticket number in cell  &#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;.</translation>
    </message>
    <message>
        <source>系統番号を、  &#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;コマ目に表示する。</source>
        <translation>Show the route number in cell  &#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;.</translation>
    </message>
    <message>
        <source>データの&#x3000;&#x3000;&#x3000;  &#x3000;&#x3000;&#x3000;&#x3000;&#x3000;列目の値を、  &#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;コマ目に表示する。</source>
        <translation>Show data column&#x3000;&#x3000;&#x3000;  &#x3000;&#x3000;&#x3000;&#x3000;&#x3000;in cell  &#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;.</translation>
    </message>
    <message>
        <source>0から数える</source>
        <translation>Count from 0</translation>
    </message>
    <message>
        <source>デジタル数字の桁ずらし、ゼロ埋めの設定は各部品をダブルクリックして設定してください。また、これら情報用数字は運賃の表示よりも優先されます。</source>
        <translation>To shift digits or fill with zeros, double-click a digit display on the board. Information numbers take the place of fares.</translation>
    </message>
    <message>
        <source>文字色：</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>フォントオプション：</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>太字（表示の不具合はサポート対象外）</source>
        <translation>Bold (its display faults are not supported)</translation>
    </message>
    <message>
        <source>系統設定時のサウンド：</source>
        <translation>Sound on route set:</translation>
    </message>
    <message>
        <source>リセット時のサウンド：</source>
        <translation>Sound on reset:</translation>
    </message>
    <message>
        <source>送り・戻し時のサウンド...</source>
        <translation>Step sounds...</translation>
    </message>
    <message>
        <source>放送前のサウンド...</source>
        <translation>Pre-announcement...</translation>
    </message>
    <message>
        <source>「放送前のサウンド」再生時は、停名のスクロールが停止することがありますので、あらかじめご了承ください。</source>
        <translation>While a pre-announcement sound plays, the stop name may stop scrolling.</translation>
    </message>
    <message>
        <source>常に右記のサウンドを鳴らす</source>
        <translation>Always play this sound</translation>
    </message>
    <message>
        <source>送り・戻し時のサウンド</source>
        <translation>Sound when stepping</translation>
    </message>
    <message>
        <source>運賃データ(*.hy3)の特定の列のデータから判断して、以下の指定したサウンドを鳴らす（指定した列のデータの内容が1～3以外の場合はサウンドは鳴りません）</source>
        <translation>Play a sound below chosen by a column of the fare data (*.hy3); a value other than 1 to 3 plays none</translation>
    </message>
    <message>
        <source>列目</source>
        <translation>column</translation>
    </message>
    <message>
        <source>同期再生(サウンドが完全に再生された後で運賃切り替え)</source>
        <translation>Synchronous (the fares change once the sound has ended)</translation>
    </message>
    <message>
        <source>非同期再生(サウンドを再生しながら運賃切り替え)</source>
        <translation>Asynchronous (the fares change while the sound plays)</translation>
    </message>
    <message>
        <source>再生方法</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>放送前のサウンド：※音声合成放送機能が有効でない場合は以下の設定は意味を持ちません。</source>
        <translation>Pre-announcement sound (used only with spoken announcements)</translation>
    </message>
    <message>
        <source>放送データ(*****Tp.csv)内のフラグから判断して、以下の指定したサウンドを鳴らす（フラグの内容が1～3以外の場合はサウンドは鳴りません）</source>
        <translation>Play a sound below chosen by the flag in the announcement data (*****Tp.csv); a flag other than 1 to 3 plays none</translation>
    </message>
    <message>
        <source>同期再生(サウンドが完全に再生された後で放送開始)</source>
        <translation>Synchronous (the announcement starts once the sound has ended)</translation>
    </message>
    <message>
        <source>非同期再生(サウンドを再生しながら放送開始)</source>
        <translation>Asynchronous (the announcement starts while the sound plays)</translation>
    </message>
    <message>
        <source>整理券プレビュー機能を使用する</source>
        <translation>Use the ticket preview</translation>
    </message>
    <message>
        <source>整理券プラグイン設定</source>
        <translation>Ticket plug-in</translation>
    </message>
    <message>
        <source>整理券プラグイン（整理券プレビューを使用しない場合は、何も入れないでください）：</source>
        <translation>Ticket plug-in (leave empty when the preview is not used):</translation>
    </message>
    <message>
        <source>×</source>
        <translation>×</translation>
    </message>
    <message>
        <source>プラグインの指定を解除します</source>
        <translation>Forget the plug-in</translation>
    </message>
    <message>
        <source>上記プラグインのプロパティ：</source>
        <translation>Properties of the plug-in:</translation>
    </message>
    <message>
        <source>上記プラグインの特記事項：</source>
        <translation>Notes of the plug-in:</translation>
    </message>
    <message>
        <source>日付の設定（整理券プラグインが日付の印字をサポートしているときに有効）</source>
        <translation>Date (when the ticket plug-in prints the date)</translation>
    </message>
    <message>
        <source>システムの日付を使用（整理券印字と同時に日付を更新、デフォルト）</source>
        <translation>The system&apos;s date, renewed at each ticket (default)</translation>
    </message>
    <message>
        <source>システムの日付を使用（系統設定した時点の日付を保持）</source>
        <translation>The system&apos;s date when the route was set</translation>
    </message>
    <message>
        <source>系統設定した際の日付が保持され、日付が途中で変わっても次回系統設定するまで整理券の日付変更を行いません。</source>
        <translation>The date of setting the route is kept: the tickets keep it until the route is set again, even after midnight.</translation>
    </message>
    <message>
        <source>右記の日付に固定</source>
        <translation>Always this date</translation>
    </message>
    <message>
        <source>日付選択...</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>ゴシック体</source>
        <translation>Gothic</translation>
    </message>
    <message>
        <source>明朝体</source>
        <translation>Mincho</translation>
    </message>
    <message>
        <source>漢字はゴシック、それ以外は明朝</source>
        <translation>Kanji in Gothic, the rest in Mincho</translation>
    </message>
    <message>
        <source>漢字は明朝、それ以外はゴシック</source>
        <translation>Kanji in Mincho, the rest in Gothic</translation>
    </message>
    <message>
        <source>英数字はゴシック、それ以外は明朝</source>
        <translation>Letters and digits in Gothic, the rest in Mincho</translation>
    </message>
    <message>
        <source>システムに従う</source>
        <translation>System</translation>
    </message>
    <message>
        <source>「%1」には設定ファイルに保存できない文字「%2」が含まれています。<byte value="xd"/>
この文字を含まない場所や名前を選んでください。</source>
        <translation>&quot;%1&quot; has the character &quot;%2&quot;, which the settings file cannot hold.<byte value="xd"/>
Choose a place or name without it.</translation>
    </message>
    <message>
        <source>フォルダーを選択してください</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>ビットマップ(*.bmp)</source>
        <translation>Bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>GIF画像(*.gif)</source>
        <translation>GIF picture (*.gif)</translation>
    </message>
    <message>
        <source>JPEG画像(*.jpg)</source>
        <translation>JPEG picture (*.jpg)</translation>
    </message>
    <message>
        <source>パネル画像の選択</source>
        <translation>Choose a panel picture</translation>
    </message>
    <message>
        <source>Waveサウンド(*.wav)</source>
        <translation>Wave sound (*.wav)</translation>
    </message>
    <message>
        <source>MP3サウンド(*.mp3)</source>
        <translation>MP3 sound (*.mp3)</translation>
    </message>
    <message>
        <source>MIDIシーケンス(*.mid)</source>
        <translation>MIDI sequence (*.mid)</translation>
    </message>
    <message>
        <source>サウンドの選択</source>
        <translation>Choose a sound</translation>
    </message>
    <message>
        <source>---&gt; 可能</source>
        <translation>---&gt; yes</translation>
    </message>
    <message>
        <source>---&gt; 不可</source>
        <translation>---&gt; no</translation>
    </message>
    <message>
        <source>日付の印字 %1</source>
        <translation>Prints the date %1</translation>
    </message>
    <message>
        <source>時刻の印字 %1</source>
        <translation>Prints the time %1</translation>
    </message>
    <message>
        <source>系統番号の印字 %1</source>
        <translation>Prints the route number %1</translation>
    </message>
    <message>
        <source>停名の印字 %1</source>
        <translation>Prints the stop name %1</translation>
    </message>
    <message>
        <source>バーコード印字 %1</source>
        <translation>Prints a barcode %1</translation>
    </message>
    <message>
        <source>バーコード本数 ---&gt; %1</source>
        <translation>Barcodes ---&gt; %1</translation>
    </message>
    <message>
        <source>バーコード系統方式 ---&gt; 連番式</source>
        <translation>Barcode route coding ---&gt; serial</translation>
    </message>
    <message>
        <source>バーコード系統方式 ---&gt; 系統番号＋往復フラグ</source>
        <translation>Barcode route coding ---&gt; route number + direction</translation>
    </message>
    <message>
        <source>設定可能な系統範囲 ---&gt; 1 ～ %1</source>
        <translation>Routes ---&gt; 1 to %1</translation>
    </message>
    <message>
        <source>停留所認識範囲 ---&gt; %1 ～ %2</source>
        <translation>Stops ---&gt; %1 to %2</translation>
    </message>
    <message>
        <source>社名切り替え:%1</source>
        <translation>Company names:%1</translation>
    </message>
    <message>
        <source>整理券プラグイン(*.4SP)</source>
        <translation>Ticket plug-in (*.4SP)</translation>
    </message>
    <message>
        <source>プラグインの選択</source>
        <translation>Choose a plug-in</translation>
    </message>
    <message>
        <source>指定したファイルはプラグインでないか、内容が不正です<byte value="xd"/>
（%1）</source>
        <translation>The file chosen is no plug-in, or its content is not valid<byte value="xd"/>
(%1)</translation>
    </message>
    <message>
        <source>プラグインロードエラー</source>
        <translation>Plug-in load error</translation>
    </message>
</context>
<context>
    <name>lumina::PanelController</name>
    <message>
        <source>型番：%1<byte value="xd"/>
バージョン：%2<byte value="xd"/>
<byte value="xd"/>
配布：ルミナ プロジェクト<byte value="xd"/>
開発：ルミナ開発チーム (C) %3<byte value="xd"/>
</source>
        <translation>Model: %1<byte value="xd"/>
Version: %2<byte value="xd"/>
<byte value="xd"/>
Published by the Lumina project<byte value="xd"/>
Made by the Lumina developers (C) %3<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>lumina::PanelKeys</name>
    <message>
        <source>キー：%1</source>
        <translation>Key: %1</translation>
    </message>
</context>
<context>
    <name>lumina::PanelWindow</name>
    <message>
        <source>集中操作盤</source>
        <translation>Control panel</translation>
    </message>
    <message>
        <source>表示消去</source>
        <translation>Blank</translation>
    </message>
    <message>
        <source>設定...</source>
        <translation>Options...</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>整理券プレビューを開きます</source>
        <translation>Opens the ticket preview</translation>
    </message>
    <message>
        <source>整理券プレビューを隠します</source>
        <translation>Hides the ticket preview</translation>
    </message>
    <message>
        <source>音合使用可</source>
        <translation>Speech on</translation>
    </message>
    <message>
        <source>音合使用不可</source>
        <translation>No speech</translation>
    </message>
    <message>
        <source>データ戻し</source>
        <translation>Stop back</translation>
    </message>
    <message>
        <source>データ送り</source>
        <translation>Next stop</translation>
    </message>
    <message>
        <source>戻し</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>送り</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>調整</source>
        <translation>Voice</translation>
    </message>
    <message>
        <source>バックライト</source>
        <translation>Backlight</translation>
    </message>
    <message>
        <source>整理券プレビュー</source>
        <translation>Ticket preview</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>系統</source>
        <translation>Rte</translation>
    </message>
    <message>
        <source>区間</source>
        <translation>Sect.</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>系統設定</source>
        <translation>Set route</translation>
    </message>
    <message>
        <source>系&#x3000;統</source>
        <translation>Route</translation>
    </message>
    <message>
        <source>ｽｸﾛｰﾙ速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>ｽｸﾛｰﾙ間隔</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>深夜料金</source>
        <translation>Night fare</translation>
    </message>
</context>
<context>
    <name>lumina::QtHostLib</name>
    <message>
        <source>数字表示の設定</source>
        <translation>Digit display</translation>
    </message>
    <message>
        <source>0 と -1 の表示</source>
        <translation>Showing 0 and -1</translation>
    </message>
    <message>
        <source>0 は表示しない（消灯）</source>
        <translation>Show no 0 (unlit)</translation>
    </message>
    <message>
        <source>0 は「0」と表示する</source>
        <translation>Show 0 as &quot;0&quot;</translation>
    </message>
    <message>
        <source>-1 を「0」と表示し、0 は表示しない</source>
        <translation>Show -1 as &quot;0&quot;, and no 0</translation>
    </message>
    <message>
        <source>-1 も 0 も「0」と表示する</source>
        <translation>Show both -1 and 0 as &quot;0&quot;</translation>
    </message>
    <message>
        <source> 桁</source>
        <translation> digits</translation>
    </message>
    <message>
        <source>数字を右端から何桁左に寄せて表示するか</source>
        <translation>How many digits the number moves left from the right end</translation>
    </message>
    <message>
        <source>左へずらす桁数：</source>
        <translation>Shift left by:</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>この桁数に満たない数字の頭に 0 を補う（5 を 3 桁なら 005）</source>
        <translation>Numbers shorter than this get leading zeros (5 in 3 digits is 005)</translation>
    </message>
    <message>
        <source>0 で埋める桁数：</source>
        <translation>Fill with 0 to:</translation>
    </message>
    <message>
        <source>表示できる桁数：%1</source>
        <translation>Digits shown: %1</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>日付の選択</source>
        <translation>Choose a date</translation>
    </message>
</context>
<context>
    <name>lumina::RouteSetting</name>
    <message>
        <source>指定した系統のデータがありません...</source>
        <translation>There is no data for this route...</translation>
    </message>
    <message>
        <source>指定した系統のデータがありません...<byte value="xd"/>
探したファイル：%1<byte value="xd"/>
運賃データのあるフォルダーは「設定...」の「運賃データと放送用データ」で変えられます。</source>
        <translation>There is no data for this route...<byte value="xd"/>
File looked for: %1<byte value="xd"/>
The fare data folder is set in &quot;Options...&quot;, page &quot;Data folders&quot;.</translation>
    </message>
    <message>
        <source>指定した系統はデータの数が0(未登録)の可能性があります...</source>
        <translation>This route may have a count of 0 (not set up)...</translation>
    </message>
    <message>
        <source>指定した区間はデータの数よりも多いです...<byte value="xd"/>
  解決法：正しい区間を入力して下さい.</source>
        <translation>The section is beyond the count of the data...<byte value="xd"/>
  What to do: enter a valid section.</translation>
    </message>
    <message>
        <source>運賃データ「%1」はフォルダーです。ファイルではないため読み込めません。</source>
        <translation>The fare data &quot;%1&quot; is a folder, not a file, and cannot be read.</translation>
    </message>
    <message>
        <source>運賃データ「%1」を開けませんでした（%2）。</source>
        <translation>Could not open the fare data &quot;%1&quot; (%2).</translation>
    </message>
</context>
<context>
    <name>lumina::SettingsStore</name>
    <message>
        <source>モジュール:%1</source>
        <translation>Module:%1</translation>
    </message>
    <message>
        <source>元のファイルの控えを作れませんでした。終了時に上書きされます。</source>
        <translation>No copy of the original file could be made. It will be overwritten on quitting.</translation>
    </message>
    <message>
        <source>元のファイルは「%1」として残しました。</source>
        <translation>The original file was kept as &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>設定ファイル「%1」は壊れているか、途中で終わっています。</source>
        <translation>The settings file &quot;%1&quot; is damaged or ends too early.</translation>
    </message>
    <message>
        <source>使える設定はありませんでした。すべて既定の値で始めます。</source>
        <translation>No usable settings were found. Everything starts with its default.</translation>
    </message>
    <message>
        <source>先頭の%1バイト（全%2項目のうち初めの%3項目）の設定を使い、残りは既定の値で始めます。</source>
        <translation>The settings of the first %1 bytes (the first %3 of %2 items) are used, the rest start with their defaults.</translation>
    </message>
    <message>
        <source>元の設定ファイルの控え：%1</source>
        <translation>Copy of the original settings file: %1</translation>
    </message>
    <message>
        <source>次の設定は設定ファイルに保存できない文字を含むため、以前の値のまま保存しました。</source>
        <translation>These settings have characters the settings file cannot hold, so their former values were saved:</translation>
    </message>
    <message>
        <source><byte value="xd"/>
「%1」（文字「%2」）</source>
        <translation><byte value="xd"/>
&quot;%1&quot; (character &quot;%2&quot;)</translation>
    </message>
</context>
<context>
    <name>lumina::SpeechSynth</name>
    <message>
        <source>espeak-ng を始められませんでした。</source>
        <translation>espeak-ng could not be started.</translation>
    </message>
    <message>
        <source>espeak-ng に日本語の声がありません。</source>
        <translation>espeak-ng has no Japanese voice.</translation>
    </message>
</context>
<context>
    <name>lumina::TripReader</name>
    <message>
        <source>%1行目: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>運行ファイルが読み込み用に開かれていません。</source>
        <translation>The trip file is not open for reading.</translation>
    </message>
    <message>
        <source>運行ファイルを最後まで読めませんでした: %1</source>
        <translation>The trip file could not be read to its end: %1</translation>
    </message>
    <message>
        <source>運行ファイルが%1バイトを超えています。</source>
        <translation>The trip file is larger than %1 bytes.</translation>
    </message>
    <message>
        <source>UTF-8の文字として読めないバイトがあります。</source>
        <translation>There are bytes that are not UTF-8 characters.</translation>
    </message>
    <message>
        <source>最後の行に end がありません。運行の終わる時刻に end を書いてください。</source>
        <translation>The last line has no end. Write end at the time the trip ends.</translation>
    </message>
    <message>
        <source>「%1」は時刻ではありません。m:ss、m:ss.s または秒数で書いてください。</source>
        <translation>&quot;%1&quot; is no time. Write m:ss, m:ss.s or seconds.</translation>
    </message>
    <message>
        <source>end の後ろに行があります。end は最後の行です。</source>
        <translation>There are lines after end. end is the last line.</translation>
    </message>
    <message>
        <source>時刻 %1 が前の行の時刻 %2 より前です。</source>
        <translation>The time %1 is before the time %2 of the line before.</translation>
    </message>
    <message>
        <source>時刻 %1 の後ろに動作がありません。</source>
        <translation>There is no action after the time %1.</translation>
    </message>
    <message>
        <source>route の後ろには系統番号（%1桁まで）と区間番号（%2桁まで）を書いてください。</source>
        <translation>After route write the route number (up to %1 digits) and the section (up to %2 digits).</translation>
    </message>
    <message>
        <source>「%1」という動作はありません。</source>
        <translation>There is no action &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>lumina::TripRun</name>
    <message>
        <source>中断しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>%1 行目: 系統 %2 の放送用データ（%3）を読めません。</source>
        <translation>line %1: the announcement data of route %2 (%3) cannot be read.</translation>
    </message>
</context>
<context>
    <name>lumina::TripVideo</name>
    <message>
        <source>.mp4、.webm、.mkv のどれかにしてください。</source>
        <translation>Use .mp4, .webm or .mkv.</translation>
    </message>
    <message>
        <source>盤面（%1x%2）がキャンバスに収まりません。</source>
        <translation>The board (%1x%2) does not fit the canvas.</translation>
    </message>
</context>
<context>
    <name>lumina::VideoEncoder</name>
    <message>
        <source>GStreamer の要素がありません: %1</source>
        <translation>GStreamer elements missing: %1</translation>
    </message>
    <message>
        <source>「%1」に書き込めませんでした。</source>
        <translation>Could not write to &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>エンコードに失敗しました。</source>
        <translation>Encoding failed.</translation>
    </message>
    <message>
        <source>エンコードが途中で止まりました。</source>
        <translation>Encoding stopped before its end.</translation>
    </message>
    <message>
        <source>フレームの大きさが違います。</source>
        <translation>The frame has the wrong size.</translation>
    </message>
</context>
<context>
    <name>lumina::VoiceDialog</name>
    <message>
        <source>音声の調節</source>
        <translation>Voice</translation>
    </message>
    <message>
        <source>エンジン：</source>
        <translation>Engine:</translation>
    </message>
    <message>
        <source>言語：</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>声：</source>
        <translation>Voice:</translation>
    </message>
    <message>
        <source>速さ：</source>
        <translation>Rate:</translation>
    </message>
    <message>
        <source>高さ：</source>
        <translation>Pitch:</translation>
    </message>
    <message>
        <source>音量：</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>試しに話す</source>
        <translation>Try it</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>音声合成を使えません（準備中か、エンジンがありません）</source>
        <translation>Speech cannot be used (still starting, or no engine).</translation>
    </message>
</context>
</TS>
