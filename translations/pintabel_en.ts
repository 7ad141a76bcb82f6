<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AppError</name>
    <message>
        <source>メモリが不足しています</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>保存する画像がありません。</source>
        <translation>There is no picture to save.</translation>
    </message>
    <message>
        <source>プロパティ TProgressBar の範囲を超えています</source>
        <translation>The picture is too small to convert. Use a picture at least 3 pixels wide and try again.</translation>
    </message>
</context>
<context>
    <name>BmpWriter</name>
    <message>
        <source>画像が大きすぎるため、ビットマップとして保存できません。</source>
        <translation>The picture is too large to save as a bitmap.</translation>
    </message>
</context>
<context>
    <name>BookDialog</name>
    <message>
        <source>塗り絵ブック</source>
        <translation>Colouring Book</translation>
    </message>
    <message>
        <source>白黒のページを線(ベクトル)で書き出す</source>
        <translation>Write black-and-white pages as lines (vectors)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>用紙</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>余白</source>
        <translation>Margin</translation>
    </message>
    <message>
        <source>数字で塗り絵にして書き出す</source>
        <translation>Write as colour-by-number pages</translation>
    </message>
    <message>
        <source>塗り終えた見本を次のページに付ける</source>
        <translation>Add the painted picture on the next page</translation>
    </message>
    <message>
        <source>色の数</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>塗る人</source>
        <translation>Who colours it</translation>
    </message>
    <message>
        <source>ページ</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>色の組</source>
        <translation>Colours from</translation>
    </message>
</context>
<context>
    <name>CleanLinesDialog</name>
    <message>
        <source>プレビューを描いています…</source>
        <translation>Drawing the preview…</translation>
    </message>
    <message>
        <source>線画に変換</source>
        <translation>Convert to Line Drawing</translation>
    </message>
    <message>
        <source>小さすぎる領域を線の色で塗りつぶす</source>
        <translation>Fill regions too small to colour with the line colour</translation>
    </message>
    <message>
        <source>少ない</source>
        <translation>Fewer</translation>
    </message>
    <message>
        <source>多い</source>
        <translation>More</translation>
    </message>
    <message>
        <source>線の量</source>
        <translation>Amount of lines</translation>
    </message>
    <message>
        <source>線の太さ</source>
        <translation>Line width</translation>
    </message>
    <message>
        <source>塗る人</source>
        <translation>Who colours it</translation>
    </message>
    <message>
        <source>（A4で約 %1 mm）</source>
        <translation>(about %1 mm on A4)</translation>
    </message>
    <message>
        <source>インク %1% ・ 閉じた領域 %2 ・ 小さすぎる領域 %3（A4で幅%4 mm未満、赤）</source>
        <translation>Ink %1% · closed regions %2 · regions too small %3 (under %4 mm across on A4, red)</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>pintabel-cli %1: &quot;%2&quot; を書き出せません。フォルダー &quot;%3&quot; に書き込めません
</source>
        <translation>pintabel-cli %1: cannot write &quot;%2&quot;: the folder &quot;%3&quot; cannot be written to
</translation>
    </message>
    <message>
        <source>pintabel-cli check: &quot;%1&quot; を書き出せません。--overlay は PNG を書き出すので、名前の拡張子を .png にしてください
</source>
        <translation>pintabel-cli check: cannot write &quot;%1&quot;: --overlay writes PNG, so give it the extension .png
</translation>
    </message>
    <message>
        <source>  （ありません）
</source>
        <translation>  (none available)
</translation>
    </message>
    <message>
        <source>pintabel-cli info: ファイルが指定されていません
</source>
        <translation>pintabel-cli info: no file given
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: %2 には 1 から 50 までの幅 (mm) を指定してください
</source>
        <translation>pintabel-cli %1: %2 needs a width from 1 to 50 mm
</translation>
    </message>
    <message>
        <source>: 読み込めません
</source>
        <translation>: unreadable
</translation>
    </message>
    <message>
        <source>pintabel-cli convert: INPUT と OUTPUT を 1 つずつ指定してください
</source>
        <translation>pintabel-cli convert: give one INPUT and one OUTPUT
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: %2 の後に %3 を指定してください
</source>
        <translation>pintabel-cli %1: %2 needs a %3
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: INPUT を 1 つ指定してください
</source>
        <translation>pintabel-cli %1: give one INPUT
</translation>
    </message>
    <message>
        <source>pintabel-cli check: 重ねた絵を作れません
</source>
        <translation>pintabel-cli check: cannot make the overlay
</translation>
    </message>
    <message>
        <source>値</source>
        <translation>value</translation>
    </message>
    <message>
        <source>pintabel-cli book: 用紙 %1 はありません
</source>
        <translation>pintabel-cli book: unknown paper %1
</translation>
    </message>
    <message>
        <source>pintabel-cli book: 余白 %1 が正しくありません
</source>
        <translation>pintabel-cli book: bad margin %1
</translation>
    </message>
    <message>
        <source>pintabel-cli book: OUTPUT.pdf と 1 つ以上の INPUT を指定してください
</source>
        <translation>pintabel-cli book: give OUTPUT.pdf and at least one INPUT
</translation>
    </message>
    <message>
        <source>pintabel-cli book: OUTPUT の名前は .pdf で終わるものにしてください
</source>
        <translation>pintabel-cli book: OUTPUT must end in .pdf
</translation>
    </message>
    <message>
        <source>%1 ページ: 細かすぎてなぞれないため、画像として入れました
</source>
        <translation>page %1: too detailed to trace, put in as an image
</translation>
    </message>
    <message>
        <source>pintabel-cli: %1 というコマンドはありません

</source>
        <translation>pintabel-cli: unknown command %1

</translation>
    </message>
    <message>
        <source>使い方:
  pintabel-cli info FILE...
      各 FILE をプログラムと同じように読み込み、FILE&lt;TAB&gt;幅x高さ&lt;TAB&gt;深さ（ページの
      1 ピクセルあたりのビット数）か、FILE&lt;TAB&gt;unreadable を出力します。読めない
      ファイルが一つでもあれば終了コードは 1 です。
  pintabel-cli convert [STEPS...] INPUT OUTPUT
      INPUT を読み込み、指定した順に処理を施して、ページを OUTPUT に書き出します。
      形式は拡張子（大文字小文字を問わない）で決まります: .png は PNG（2 色のページは
      1 ピクセル 1 ビット、256 色以下のページはその色のパレット付き）、.jpg と .jpeg
      は JPEG（品質 90）、.bmp はページの深さの Windows ビットマップ、.svg は SVG 図
      （最後の処理が --colour-by-number か --clean-lines のページだけ）です。ほかの拡張子、
      フォルダー、書き込めないフォルダーの中の名前の OUTPUT は、何もする前に断ります
      （終了コード 2）。INPUT が読めなければ何も書き出しません。
  pintabel-cli print [--printer NAME] [STEPS...] INPUT
      INPUT を読み込み、処理を施して、ウィンドウの印刷コマンドと同じようにページを
      印刷します: 1 ページに収まるよう拡大縮小して中央に置き、INPUT の名前のジョブで
      送ります。--printer がなければ既定のプリンタに送ります。
  pintabel-cli book OUTPUT.pdf [--paper A4|Letter] [--margin MM] [--vector]
                   [--with-preview] [STEPS...] INPUT...
      各 INPUT を読み込み、処理を施して、すべてを 1 つの PDF に、指定した順に 1 枚
      1 ページで書き出します。用紙は A4（既定）か Letter、余白は MM ミリメートル
      （既定 10）です: 各画像は余白の内側に収まるよう拡大縮小し、印刷と同じく中央に
      置き、用紙は画像が大きく見える向きにします。--vector では白と黒だけのページを
      画像ではなくなぞった曲線で入れます。細かすぎてなぞれないページは画像で入れ、
      そのことを知らせます。--vector で処理の最後が --clean-lines なら、各ページを
      滑らかにした中心線として、線の幅で端の丸い線を引いて入れます。文書の題は最初の
      INPUT の名前です。ページを一つ終えるごとに標準エラーに &quot;page N/TOTAL&quot; と出し
      ます。OUTPUT は .pdf で終わる名前にします。すべてのページができたときだけ書き
      出し、まるごと置き換えます。PDF を書く側が扱える 2 GiB を超える本は断ります。
      処理の最後が --colour-by-number なら、各ページを線、文字、色見本で書き出し
      ます。--with-preview で塗った絵を次の用紙に加えます。
  pintabel-cli check [--overlay OUT.png] [--smallest-region MM] [STEPS...] INPUT
      INPUT を読み込み、処理を施して、ページが塗れるかどうかを 1 行に 1 つの数で示し
      ます: size 幅x高さ、ink-share（0 から 1、中間の灰色より暗いピクセルの割合）、
      regions（線かページの端で閉じた白い領域の数）、tiny-regions（ページを A4 に
      合わせたとき幅 MM 未満の領域の数。--smallest-region がなければ 3 mm）、
      tiny-under-px（その幅をページのピクセルで表したもの）。--overlay は小さすぎる
      領域を赤く塗ったページを PNG で書き出します。
  pintabel-cli --help
      この説明を表示します。
  pintabel-cli --version
      バージョンを表示します。

環境変数:
  PINTABEL_LOAD_BUDGET_MB  1 枚の画像の読み込みか、そのページへの 1 つの処理が使える
      メモリの上限（MiB）。それより多く要るものはメモリ不足のメッセージで断ります。
      指定がなければ、上限はツールが使える空きメモリ（システム、コントロール
      グループ、アドレス空間の制限）に従います。

処理:
</source>
        <translation>Usage:
  pintabel-cli info FILE...
      Loads each FILE as the program does and prints FILE&lt;TAB&gt;WIDTHxHEIGHT&lt;TAB&gt;DEPTH
      (bits per pixel of the page), or FILE&lt;TAB&gt;unreadable. Exits with 1 if any
      file could not be read.
  pintabel-cli convert [STEPS...] INPUT OUTPUT
      Loads INPUT, applies the steps in the order given and writes the page to
      OUTPUT in the format its extension names, in any letter case: .png as PNG (a
      page of two colours 1 bit a pixel, one of at most 256 colours with those
      colours as its palette), .jpg or .jpeg as JPEG (quality 90), .bmp as a
      Windows bitmap at the page&apos;s depth, .svg as an SVG drawing (only a page
      whose last step is --colour-by-number or --clean-lines). An OUTPUT with
      another extension, a
      folder or a name in a folder that cannot be written to is refused with exit
      status 2 before anything is done; an unreadable INPUT writes nothing.
  pintabel-cli print [--printer NAME] [STEPS...] INPUT
      Loads INPUT, applies the steps and prints the page as the window&apos;s Print
      command does: one page, scaled to fit and centred, in a job named after
      INPUT. Without --printer it goes to the default printer.
  pintabel-cli book OUTPUT.pdf [--paper A4|Letter] [--margin MM] [--vector]
                   [--with-preview] [STEPS...] INPUT...
      Loads each INPUT, applies the steps and writes all of them as one PDF, one
      page each in the order given, on A4 (the default) or Letter paper with
      margins of MM millimetres (10 by default): each picture scaled to fit inside
      the margins and centred as printing does, on the paper turned whichever way
      shows it larger. With --vector, pages of pure black and white go in as traced
      curves instead of images; a page too detailed to trace goes in as an image,
      and the tool says so. With --vector and --clean-lines last among the steps,
      each page goes in as its smoothed centre lines, stroked at the lines&apos; width
      with round ends. The document is titled after the first INPUT.
      Says &quot;page N/TOTAL&quot; on standard error as each page is done. OUTPUT must end
      in .pdf; it is written only when every page is, and replaced whole. A book
      that would pass 2 GiB, the most a PDF writer can address, is refused.
      With --colour-by-number last among the steps, each page is written as lines,
      text and swatches; --with-preview adds its painted picture on the next sheet.
  pintabel-cli check [--overlay OUT.png] [--smallest-region MM] [STEPS...] INPUT
      Loads INPUT, applies the steps and tells whether the page can be coloured,
      one figure a line: size WIDTHxHEIGHT, ink-share (0 to 1, pixels darker than
      middle grey), regions (white regions closed by lines or the page&apos;s edge),
      tiny-regions (those under MM across with the page fitted to A4, 3 mm
      without --smallest-region) and tiny-under-px (that width in pixels of the
      page). --overlay writes the page as PNG with the tiny regions filled red.
  pintabel-cli --help
      Shows this text.
  pintabel-cli --version
      Prints the version.

Environment:
  PINTABEL_LOAD_BUDGET_MB  caps the memory loading one picture, or one step on
      its page, may use (MiB); one needing more is refused with the out-of-memory
      message. Without it the cap follows the memory free to the tool: the
      system&apos;s, its control group&apos;s and its address space limit.

Steps:
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: %2 には GIMP のパレットファイル (.gpl) か組み込みの色の組の名前を指定してください
</source>
        <translation>pintabel-cli %1: %2 needs a GIMP palette file (.gpl) or the name of a built-in set
</translation>
    </message>
    <message>
        <source>pintabel-cli convert: SVG に書き出せるのは数字で塗り絵か線画のページだけです。最後の処理に --colour-by-number か --clean-lines を指定してください
</source>
        <translation>pintabel-cli convert: only a colour-by-number or clean-lines page can be written as SVG; give --colour-by-number or --clean-lines as the last step
</translation>
    </message>
    <message>
        <source>pintabel-cli convert: &quot;%1&quot; を書き出せません。名前の拡張子を .png、.jpg、.jpeg、.bmp、.svg のどれかにしてください
</source>
        <translation>pintabel-cli convert: cannot write &quot;%1&quot;: give it the extension .png, .jpg, .jpeg, .bmp or .svg
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: %2 には画像のピクセルで X,Y,W,H の枠を、幅と高さを 0 より大きくして指定してください
</source>
        <translation>pintabel-cli %1: %2 needs a box X,Y,W,H in the picture&apos;s pixels, with a width and height above 0
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: %2 には none、simple、full のどれかを指定してください
</source>
        <translation>pintabel-cli %1: %2 needs none, simple or full
</translation>
    </message>
    <message>
        <source>
主題（--clean-lines と --colour-by-number に）:
  --subject X,Y,W,H
      画像の主題を囲む枠。読み込んだ（正立させた）画像のピクセルで指定します。主題を
      枠から切り抜き、その特徴を多めに描きます。画像の外にある枠は断ります。
  --background none|simple|full
      主題のまわりに残すもの: 白い紙（none、既定）、背景の大きな形いくつか
      （simple）、背景すべて（full）。
</source>
        <translation>
Subject (for --clean-lines and --colour-by-number):
  --subject X,Y,W,H
      The box around the picture&apos;s subject, in pixels of the picture as loaded
      (upright): the subject is cut out of it and drawn with more of its features.
      A box wholly outside the picture is refused.
  --background none|simple|full
      What the page keeps around the subject: white paper (none, the default),
      the background&apos;s few largest shapes (simple) or all of it (full).
</translation>
    </message>
    <message>
        <source>pintabel-cli book: --with-preview は無視します。塗った絵を加えられるのは数字で塗り絵のページだけです
</source>
        <translation>pintabel-cli book: --with-preview is ignored: only a colour-by-number page has a painted picture to add
</translation>
    </message>
</context>
<context>
    <name>ColourByNumber</name>
    <message>
        <source>色の数は %1 から %2 までで選んでください。</source>
        <translation>Choose from %1 to %2 colours.</translation>
    </message>
    <message>
        <source>画像が小さすぎて、数字の入る領域を一つも作れません。</source>
        <translation>The picture is too small: not one region would be large enough to hold a number. Use a larger picture.</translation>
    </message>
</context>
<context>
    <name>ColourByNumberDialog</name>
    <message>
        <source>プレビューを描いています…</source>
        <translation>Drawing the preview…</translation>
    </message>
    <message>
        <source>数字で塗り絵に変換</source>
        <translation>Convert to Colour by Number</translation>
    </message>
    <message>
        <source>色の数</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>塗る人</source>
        <translation>Who colours it</translation>
    </message>
    <message>
        <source>色 %1 ・ 領域 %2</source>
        <translation>Colours %1 · Regions %2</translation>
    </message>
    <message>
        <source>色の組</source>
        <translation>Colours from</translation>
    </message>
</context>
<context>
    <name>ColourerChoice</name>
    <message>
        <source>小さな子ども (8 mm)</source>
        <translation>Small child (8 mm)</translation>
    </message>
    <message>
        <source>子ども (5 mm)</source>
        <translation>Child (5 mm)</translation>
    </message>
    <message>
        <source>大人 (3 mm)</source>
        <translation>Adult (3 mm)</translation>
    </message>
</context>
<context>
    <name>ColouringBook</name>
    <message>
        <source>PDF を書き出せませんでした。</source>
        <translation>Could not write the PDF.</translation>
    </message>
    <message>
        <source>余白 %1 mm は用紙に収まりません。</source>
        <translation>A margin of %1 mm does not fit on the paper.</translation>
    </message>
    <message>
        <source>PDF にするページがありません。</source>
        <translation>There are no pages to put in the PDF.</translation>
    </message>
    <message>
        <source>PDF が %1 バイトを超えるため書き出せません。ページを分けてください。</source>
        <translation>The PDF cannot be written as it would exceed %1 bytes. Please split the pages into smaller books.</translation>
    </message>
    <message>
        <source>PDF にする線が細かすぎます。</source>
        <translation>The lines are too detailed to write as a PDF.</translation>
    </message>
    <message>
        <source>フォントが見つからないため、色の名前を PDF に書けません。フォント（fonts-dejavu-core など）を入れてください。</source>
        <translation>No font is installed, so the colours&apos; names cannot be written into the PDF. Install a font (for example fonts-dejavu-core).</translation>
    </message>
</context>
<context>
    <name>CommandDispatch</name>
    <message>
        <source>予期しないエラーが発生しました</source>
        <translation>An unexpected error occurred</translation>
    </message>
</context>
<context>
    <name>CrayonPalette</name>
    <message>
        <source>GIMP のパレットではありません（1 行目が &quot;GIMP Palette&quot; ではありません）。</source>
        <translation>not a GIMP palette (the first line is not &quot;GIMP Palette&quot;).</translation>
    </message>
    <message>
        <source>色の行は「赤 緑 青 名前」の形で書いてください: %1</source>
        <translation>a colour row must read &quot;RED GREEN BLUE name&quot;: %1</translation>
    </message>
    <message>
        <source>色の値 %1 は 0 から 255 までではありません。</source>
        <translation>the colour value %1 is not from 0 to 255.</translation>
    </message>
    <message>
        <source>パレットの色は %1 色までです。</source>
        <translation>a palette holds at most %1 colours.</translation>
    </message>
    <message>
        <source>パレットには色が %1 色以上必要です。</source>
        <translation>a palette needs at least %1 colours.</translation>
    </message>
    <message>
        <source>パレット %1 を読めません: %2</source>
        <translation>cannot read the palette %1: %2</translation>
    </message>
    <message>
        <source>パレット %1 はありません。組み込みのパレットは %2 です（GIMP の .gpl ファイルも指定できます）。</source>
        <translation>there is no palette %1. The built-in sets are %2 (or give a GIMP .gpl file).</translation>
    </message>
</context>
<context>
    <name>ImageLoader</name>
    <message>
        <source>メモリが不足しているため、画像 &quot;%1&quot; を読み込めません。</source>
        <translation>Not enough memory to load the picture &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>画像 &quot;%1&quot; は大きすぎるため読み込めません（%2 × %3 ピクセル）。</source>
        <translation>Cannot load the picture &quot;%1&quot;: it is too large (%2 × %3 pixels).</translation>
    </message>
</context>
<context>
    <name>JpegWriter</name>
    <message>
        <source>JPEG エラー #%1</source>
        <translation>JPEG error #%1</translation>
    </message>
</context>
<context>
    <name>LineArt</name>
    <message>
        <source>%1 をこの画像に使うことができませんでした。</source>
        <translation>%1 could not be used on this picture.</translation>
    </message>
</context>
<context>
    <name>LineTracing</name>
    <message>
        <source>線画をなぞれませんでした。</source>
        <translation>Could not trace the line drawing.</translation>
    </message>
</context>
<context>
    <name>OpenFilter</name>
    <message>
        <source>WebP 画像</source>
        <translation>WebP Image</translation>
    </message>
    <message>
        <source>TIFF 画像</source>
        <translation>TIFF Image</translation>
    </message>
    <message>
        <source>メタファイル</source>
        <translation>Metafile</translation>
    </message>
    <message>
        <source>エンハンス メタファイル</source>
        <translation>Enhanced Metafile</translation>
    </message>
    <message>
        <source>アイコン</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>ビットマップ</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>JPEG イメージファイル</source>
        <translation>JPEG Image File</translation>
    </message>
    <message>
        <source>GIF 画像</source>
        <translation>GIF Image</translation>
    </message>
    <message>
        <source>すべて (%1)</source>
        <translation>All Pictures (%1)</translation>
    </message>
</context>
<context>
    <name>PageChoiceList</name>
    <message>
        <source>（写真のまま）</source>
        <translation> (photo, not converted)</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
</context>
<context>
    <name>PaletteChoice</name>
    <message>
        <source>パレットを開く</source>
        <translation>Open palette</translation>
    </message>
    <message>
        <source>GIMP パレット (*.gpl)</source>
        <translation>GIMP palettes (*.gpl)</translation>
    </message>
    <message>
        <source>パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>写真の色</source>
        <translation>Colours of the photo</translation>
    </message>
    <message>
        <source>ファイルから...</source>
        <translation>From file…</translation>
    </message>
</context>
<context>
    <name>PictureSaver</name>
    <message>
        <source>保存ファイルはJpeg,BMPのみ対応です。</source>
        <translation>Only JPEG and BMP files can be saved.</translation>
    </message>
</context>
<context>
    <name>PixelAccess</name>
    <message>
        <source>スキャンライン のインデックスが範囲を越えました</source>
        <translation>Scan line index out of range</translation>
    </message>
</context>
<context>
    <name>PrintLayout</name>
    <message>
        <source>印刷する画像がありません。</source>
        <translation>There is no picture to print.</translation>
    </message>
</context>
<context>
    <name>QtPrompts</name>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>プリンタの設定</source>
        <translation>Printer Setup</translation>
    </message>
    <message>
        <source>印刷するページ</source>
        <translation>Pages to Print</translation>
    </message>
    <message>
        <source>書き出し</source>
        <translation>Export</translation>
    </message>
</context>
<context>
    <name>QvPrinter</name>
    <message>
        <source>プリンタに印刷できる状態ではありません</source>
        <translation>The printer is not ready to print</translation>
    </message>
    <message>
        <source>選択したプリンタは有効ではありません</source>
        <translation>The selected printer is not valid</translation>
    </message>
    <message>
        <source>デフォルト プリンタが存在しません</source>
        <translation>There is no default printer</translation>
    </message>
    <message>
        <source>現在印刷中です</source>
        <translation>Printing is already in progress</translation>
    </message>
    <message>
        <source>印刷できませんでした: %1</source>
        <translation>Could not print: %1</translation>
    </message>
    <message>
        <source>TQvPrinter.CheckNoPrinter: No Printer</source>
        <translation>No printer is set up. Add a printer in the system&apos;s printer settings, then try again.</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>ファイル &quot;%1&quot; を作成できません。%2</source>
        <translation>Cannot create the file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>ストリームへの書き込みエラー
%1</source>
        <translation>Error writing to the stream
%1</translation>
    </message>
    <message>
        <source>フォルダー</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>名前付きパイプ</source>
        <translation>a named pipe</translation>
    </message>
    <message>
        <source>ソケット</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>デバイス</source>
        <translation>a device</translation>
    </message>
    <message>
        <source>特殊なファイル</source>
        <translation>a special file</translation>
    </message>
    <message>
        <source>&quot;%1&quot; は通常のファイルではありません（%2）。</source>
        <translation>&quot;%1&quot; is not a regular file (%2).</translation>
    </message>
    <message>
        <source>ストリーム</source>
        <translation>a stream</translation>
    </message>
</context>
<context>
    <name>Steps</name>
    <message>
        <source>%1 には %2 ではなく DETAIL,THICKNESS を指定してください</source>
        <translation>%1 takes DETAIL,THICKNESS, not %2</translation>
    </message>
    <message>
        <source>%2 の線の量 %1 が正しくありません。0 から 100 までの整数を指定してください</source>
        <translation>bad detail %1 in %2: give a whole number from 0 to 100</translation>
    </message>
    <message>
        <source>%2 の線の太さ %1 が正しくありません。1 から 200 までの整数を指定してください</source>
        <translation>bad thickness %1 in %2: give a whole number from 1 to 200</translation>
    </message>
    <message>
        <source>%1: %2 は色の数ではありません。%3 から %4 までの整数を指定してください</source>
        <translation>%1: %2 is not a number of colours; give a whole number from %3 to %4</translation>
    </message>
    <message>
        <source>%1 という処理はありません</source>
        <translation>unknown step %1</translation>
    </message>
    <message>
        <source>塗り絵のページに変換する</source>
        <translation>convert into a colouring page</translation>
    </message>
    <message>
        <source>画像を明るくする</source>
        <translation>make the picture lighter</translation>
    </message>
    <message>
        <source>画像を暗くする</source>
        <translation>make the picture darker</translation>
    </message>
    <message>
        <source>白地にくっきりした黒い線（1 ビット）に変換する。--clean-lines=DETAIL,THICKNESS で線の量を 0（少ない）から 100（多い、既定 50）で、線の幅をピクセルで（既定は A4 で約 0.6 mm）選ぶ。--smallest-region MM はどの領域も A4 で幅 MM mm 以上にする（既定 3。子どもは 5、小さな子どもは 8）</source>
        <translation>convert into clean black lines on white (1 bit); --clean-lines=DETAIL,THICKNESS chooses detail from 0 (few lines) to 100 (many, default 50) and the lines&apos; width in pixels (default about 0.6 mm on A4); --smallest-region MM makes every region at least MM mm across on A4 (default 3; 5 for a child, 8 for a small child)</translation>
    </message>
    <message>
        <source>A4 で最小の領域の幅（--smallest-region MM、既定は 3 mm）に満たない白い領域を黒で塗りつぶす</source>
        <translation>fill with black the white regions under the smallest region&apos;s width across on A4 (--smallest-region MM, 3 mm by default)</translation>
    </message>
    <message>
        <source>数字で塗り絵のページを塗った絵（見比べるため）。--colour-by-number-preview=COLOURS で色の数を上と同じように選ぶ</source>
        <translation>the colour-by-number page painted, to compare: --colour-by-number-preview=COLOURS chooses the colours as above</translation>
    </message>
    <message>
        <source>数字で塗り絵のページに変換する。少ない色の領域にそれぞれの番号を入れ、下に色の見本を置く。--colour-by-number=COLOURS で色の数を 2 から 36 で選ぶ（既定 16）。--smallest-region MM は --clean-lines と同じ。--palette FILE|NAME で GIMP のパレットファイル (.gpl) か組み込みの組（crayons-8、crayons-12、crayons-24）の色だけを使い、色見本にはその組での番号と名前を付ける</source>
        <translation>convert into a colour-by-number page: regions of a few colours, each with its number, and the key below; --colour-by-number=COLOURS chooses 2 to 36 colours (default 16); --smallest-region MM as for --clean-lines; --palette FILE|NAME takes the colours only from a GIMP palette file (.gpl) or a built-in set (crayons-8, crayons-12, crayons-24), each numbered by its place there and named in the key</translation>
    </message>
    <message>
        <source>%1 %2,%3,%4,%5 は %6 x %7 ピクセルの画像の外にあります</source>
        <translation>%1 %2,%3,%4,%5 lies outside the picture of %6 x %7 pixels</translation>
    </message>
</context>
<context>
    <name>SubjectControls</name>
    <message>
        <source>プレビュー上をドラッグして被写体を囲む</source>
        <translation>Drag on the preview to box the subject</translation>
    </message>
    <message>
        <source>写真全体</source>
        <translation>Whole photo</translation>
    </message>
    <message>
        <source>背景なし</source>
        <translation>No background</translation>
    </message>
    <message>
        <source>簡単な背景</source>
        <translation>Simple background</translation>
    </message>
    <message>
        <source>背景すべて</source>
        <translation>Full background</translation>
    </message>
    <message>
        <source>枠</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>残す</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>消す</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>ドラッグして被写体を枠で囲む</source>
        <translation>Drag a box around the subject</translation>
    </message>
    <message>
        <source>なぞったところを被写体として残す</source>
        <translation>Paint over what belongs to the subject</translation>
    </message>
    <message>
        <source>なぞったところを背景として消す</source>
        <translation>Paint over what belongs to the background</translation>
    </message>
</context>
<context>
    <name>SvgPage</name>
    <message>
        <source>SVG にする線が細かすぎます。</source>
        <translation>The lines are too detailed to write as SVG.</translation>
    </message>
</context>
<context>
    <name>TAbout_Form</name>
    <message>
        <source>Pintabelについて</source>
        <translation>About Pintabel</translation>
    </message>
    <message>
        <source>Pintabel 塗り絵作成ツール</source>
        <translation>Pintabel colouring page maker</translation>
    </message>
    <message>
        <source>家庭でも学校でも使えます</source>
        <translation>For home and school</translation>
    </message>
    <message>
        <source>写真から塗り絵をつくろう</source>
        <translation>Make colouring pages from photos</translation>
    </message>
    <message>
        <source>写真や絵を開いて「塗り絵に変換」を選ぶと、</source>
        <translation>Open a photo or a picture and choose &quot;Convert to Colouring Page&quot;:</translation>
    </message>
    <message>
        <source>線だけの塗り絵のページができます。</source>
        <translation>you get a colouring page made of lines only.</translation>
    </message>
    <message>
        <source>印刷して、クレヨンでぬってみましょう！</source>
        <translation>Print it and colour it in with crayons!</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>プリンタ設定</source>
        <translation>Prin&amp;ter Setup...</translation>
    </message>
    <message>
        <source>塗り絵ブックをPDFで保存...</source>
        <translation>Save Colouring &amp;Book as PDF...</translation>
    </message>
    <message>
        <source>Pintabel..情報</source>
        <translation>About P&amp;intabel...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>塗り絵に変換</source>
        <translation>Convert to &amp;Colouring Page</translation>
    </message>
    <message>
        <source>線画に変換...</source>
        <translation>Convert to &amp;Line Drawing...</translation>
    </message>
    <message>
        <source>色を薄くする</source>
        <translation>Make L&amp;ighter</translation>
    </message>
    <message>
        <source>色を濃くする</source>
        <translation>Make &amp;Darker</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>実物大で表示</source>
        <translation>&amp;Actual Size</translation>
    </message>
    <message>
        <source>標準サイズで表示</source>
        <translation>&amp;Standard Size</translation>
    </message>
    <message>
        <source>:/pictures/placeholder.png</source>
        <extracomment>The resource of the placeholder picture in this language.</extracomment>
        <translation>:/pictures/placeholder_en.png</translation>
    </message>
    <message>
        <source>PDF ファイル (*.pdf)</source>
        <translation>PDF File (*.pdf)</translation>
    </message>
    <message>
        <source>これ以上画面を開くことはできません（最大 %1 画面）。</source>
        <translation>No more pages can be opened (%1 at most).</translation>
    </message>
    <message>
        <source>この画面を消去しますか？</source>
        <translation>Close this page?</translation>
    </message>
    <message>
        <source>JPEG イメージファイル (*.jpg);;ビットマップ (*.bmp)</source>
        <translation>JPEG Image File (*.jpg);;Bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>変換処理を中断しますか？</source>
        <translation>Stop the conversion?</translation>
    </message>
    <message>
        <source>次のファイルは画像として読み込めませんでした。
%1</source>
        <translation>The following files could not be read as pictures:
%1</translation>
    </message>
    <message>
        <source>画像をjpegで上書きしますか？<byte value="xd"/>
 注意：同じファイル名は上書きします。<byte value="xd"/>
%1</source>
        <translation>Overwrite the picture as JPEG?<byte value="xd"/>
 Note: the file of the same name will be replaced.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>このファイルは読み込んだ画像とは別のファイルです。置き換えると元に戻せません。</source>
        <translation>This is not the file the page was opened from: it is another file, and replacing it cannot be undone.</translation>
    </message>
    <message>
        <source>数字で塗り絵に変換...</source>
        <translation>Convert to Colour by &amp;Number...</translation>
    </message>
    <message>
        <source>書き出し(&amp;E)...</source>
        <translation>&amp;Export...</translation>
    </message>
    <message>
        <source>すべてのページを印刷...</source>
        <translation>Print A&amp;ll Pages...</translation>
    </message>
    <message>
        <source>PNG イメージファイル (*.png);;PDF ファイル (*.pdf)</source>
        <translation>PNG image (*.png);;PDF file (*.pdf)</translation>
    </message>
    <message>
        <source>書き出せるのは PNG と PDF のファイルだけです。</source>
        <translation>Only PNG and PDF files can be exported.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; はすでにあります。<byte value="xd"/>
置き換えますか？</source>
        <translation>&quot;%1&quot; already exists.<byte value="xd"/>
Do you want to replace it?</translation>
    </message>
    <message>
        <source>ほか %1 画面</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>変更を保存していない画面が %1 画面あります。<byte value="xd"/>
%2<byte value="xd"/>
終了しますか？</source>
        <translation>Pages with unsaved changes: %1<byte value="xd"/>
%2<byte value="xd"/>
Exit anyway?</translation>
    </message>
    <message>
        <source>PDF の書き出し</source>
        <translation>Writing the PDF</translation>
    </message>
    <message>
        <source>線画への変換</source>
        <translation>The conversion to clean lines</translation>
    </message>
    <message>
        <source>数字で塗り絵への変換</source>
        <translation>The conversion to colour by number</translation>
    </message>
    <message>
        <source>;;SVG 図 (*.svg)</source>
        <translation>;;SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>書き出せるのは PNG、PDF と SVG のファイルだけです。</source>
        <translation>Only PNG, PDF and SVG files can be exported.</translation>
    </message>
    <message>
        <source>SVG に書き出せるのは、線画か数字で塗り絵に変換したページだけです。</source>
        <translation>Only a page converted to clean lines or to colour by number can be exported as SVG.</translation>
    </message>
    <message>
        <source>SVG の書き出し</source>
        <translation>Writing the SVG</translation>
    </message>
</context>
</TS>
