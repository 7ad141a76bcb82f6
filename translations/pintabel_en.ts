<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AppError</name>
    <message>
        <source>プロパティ %1 の範囲を超えています</source>
        <translation>Property %1 is out of range</translation>
    </message>
    <message>
        <source>メモリが不足しています</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>保存する画像がありません。</source>
        <translation>There is no picture to save.</translation>
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
</context>
<context>
    <name>CleanLinesDialog</name>
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
        <source>インク %1% ・ 閉じた領域 %2 ・ 小さすぎる領域 %3（A4で幅3 mm未満、赤）</source>
        <translation>Ink %1% · closed regions %2 · regions too small %3 (under 3 mm across on A4, red)</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>  (none available)
</source>
        <translation>  (none available)
</translation>
    </message>
    <message>
        <source>pintabel-cli info: no file given
</source>
        <translation>pintabel-cli info: no file given
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: %2 needs a width from 1 to 50 mm
</source>
        <translation>pintabel-cli %1: %2 needs a width from 1 to 50 mm
</translation>
    </message>
    <message>
        <source>pintabel-cli convert: give one INPUT and one OUTPUT
</source>
        <translation>pintabel-cli convert: give one INPUT and one OUTPUT
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: %2 needs a %3
</source>
        <translation>pintabel-cli %1: %2 needs a %3
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: give one INPUT
</source>
        <translation>pintabel-cli %1: give one INPUT
</translation>
    </message>
    <message>
        <source>pintabel-cli check: cannot make the overlay
</source>
        <translation>pintabel-cli check: cannot make the overlay
</translation>
    </message>
    <message>
        <source>pintabel-cli book: unknown paper %1
</source>
        <translation>pintabel-cli book: unknown paper %1
</translation>
    </message>
    <message>
        <source>pintabel-cli book: bad margin %1
</source>
        <translation>pintabel-cli book: bad margin %1
</translation>
    </message>
    <message>
        <source>pintabel-cli book: give OUTPUT.pdf and at least one INPUT
</source>
        <translation>pintabel-cli book: give OUTPUT.pdf and at least one INPUT
</translation>
    </message>
    <message>
        <source>pintabel-cli book: OUTPUT must end in .pdf
</source>
        <translation>pintabel-cli book: OUTPUT must end in .pdf
</translation>
    </message>
    <message>
        <source>page %1: too detailed to trace, put in as an image
</source>
        <translation>page %1: too detailed to trace, put in as an image
</translation>
    </message>
    <message>
        <source>pintabel-cli: unknown command %1

</source>
        <translation>pintabel-cli: unknown command %1

</translation>
    </message>
    <message>
        <source>Usage:
  pintabel-cli info FILE...
      Loads each FILE as the program does and prints FILE&lt;TAB&gt;WIDTHxHEIGHT&lt;TAB&gt;DEPTH
      (bits per pixel of the page), or FILE&lt;TAB&gt;unreadable. Exits with 1 if any
      file could not be read.
  pintabel-cli convert [STEPS...] INPUT OUTPUT
      Loads INPUT, applies the steps in the order given and writes the page as the
      window&apos;s Save As does: OUTPUT ending in .jpg as JPEG (quality 90, the name&apos;s
      extension made .jpg), ending in .bmp as a Windows bitmap at the page&apos;s depth.
      An unreadable INPUT or another extension writes nothing.
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
  pintabel-cli check [--overlay OUT.png] [STEPS...] INPUT
      Loads INPUT, applies the steps and tells whether the page can be coloured,
      one figure a line: size WIDTHxHEIGHT, ink-share (0 to 1, pixels darker than
      middle grey), regions (white regions closed by lines or the page&apos;s edge),
      tiny-regions (those under 3 mm across with the page fitted to A4) and
      tiny-under-px (that width in pixels of the page). --overlay writes the page
      as PNG with the tiny regions filled red.
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
</source>
        <translation>Usage:
  pintabel-cli info FILE...
      Loads each FILE as the program does and prints FILE&lt;TAB&gt;WIDTHxHEIGHT&lt;TAB&gt;DEPTH
      (bits per pixel of the page), or FILE&lt;TAB&gt;unreadable. Exits with 1 if any
      file could not be read.
  pintabel-cli convert [STEPS...] INPUT OUTPUT
      Loads INPUT, applies the steps in the order given and writes the page as the
      window&apos;s Save As does: OUTPUT ending in .jpg as JPEG (quality 90, the name&apos;s
      extension made .jpg), ending in .bmp as a Windows bitmap at the page&apos;s depth.
      An unreadable INPUT or another extension writes nothing.
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
  pintabel-cli check [--overlay OUT.png] [STEPS...] INPUT
      Loads INPUT, applies the steps and tells whether the page can be coloured,
      one figure a line: size WIDTHxHEIGHT, ink-share (0 to 1, pixels darker than
      middle grey), regions (white regions closed by lines or the page&apos;s edge),
      tiny-regions (those under 3 mm across with the page fitted to A4) and
      tiny-under-px (that width in pixels of the page). --overlay writes the page
      as PNG with the tiny regions filled red.
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
        <source>
Subject (for --clean-lines and --colour-by-number):
  --subject X,Y,W,H
      The box around the picture&apos;s subject, in pixels of the picture as loaded
      (upright): the subject is cut out of it and drawn with more of its features.
      A box wholly outside the picture is refused.
  --background none|simple|full
      What the page keeps around the subject: white paper (none, the default),
      the background&apos;s few largest shapes (simple) or all of it (full).
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
        <source>pintabel-cli %1: %2 needs a box X,Y,W,H in the picture&apos;s pixels, with a width and height above 0
</source>
        <translation>pintabel-cli %1: %2 needs a box X,Y,W,H in the picture&apos;s pixels, with a width and height above 0
</translation>
    </message>
    <message>
        <source>pintabel-cli %1: %2 needs none, simple or full
</source>
        <translation>pintabel-cli %1: %2 needs none, simple or full
</translation>
    </message>
</context>
<context>
    <name>ColourByNumberDialog</name>
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
</context>
<context>
    <name>CommandDispatch</name>
    <message>
        <source>予期しないエラーが発生しました</source>
        <translation>An unexpected error occurred</translation>
    </message>
</context>
<context>
    <name>ImageLoader</name>
    <message>
        <source>メモリが不足しているため、画像 &quot;%1&quot; を読み込めません。</source>
        <translation>Not enough memory to load the picture &quot;%1&quot;.</translation>
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
        <source>%1 takes DETAIL,THICKNESS, not %2</source>
        <translation>%1 takes DETAIL,THICKNESS, not %2</translation>
    </message>
    <message>
        <source>bad detail %1 in %2: give a whole number from 0 to 100</source>
        <translation>bad detail %1 in %2: give a whole number from 0 to 100</translation>
    </message>
    <message>
        <source>bad thickness %1 in %2: give a whole number from 1 to 200</source>
        <translation>bad thickness %1 in %2: give a whole number from 1 to 200</translation>
    </message>
    <message>
        <source>convert into a colouring page</source>
        <translation>convert into a colouring page</translation>
    </message>
    <message>
        <source>make the picture lighter</source>
        <translation>make the picture lighter</translation>
    </message>
    <message>
        <source>make the picture darker</source>
        <translation>make the picture darker</translation>
    </message>
    <message>
        <source>convert into clean black lines on white (1 bit); --clean-lines=DETAIL,THICKNESS chooses detail from 0 (few lines) to 100 (many, default 50) and the lines&apos; width in pixels (default about 0.6 mm on A4); --smallest-region MM makes every region at least MM mm across on A4 (default 3; 5 for a child, 8 for a small child)</source>
        <translation>convert into clean black lines on white (1 bit); --clean-lines=DETAIL,THICKNESS chooses detail from 0 (few lines) to 100 (many, default 50) and the lines&apos; width in pixels (default about 0.6 mm on A4); --smallest-region MM makes every region at least MM mm across on A4 (default 3; 5 for a child, 8 for a small child)</translation>
    </message>
    <message>
        <source>fill with black the white regions under 3 mm across on A4</source>
        <translation>fill with black the white regions under 3 mm across on A4</translation>
    </message>
    <message>
        <source>unknown step %1</source>
        <translation>unknown step %1</translation>
    </message>
    <message>
        <source>%1: %2 is not a number of colours; give a whole number from %3 to %4</source>
        <translation>%1: %2 is not a number of colours; give a whole number from %3 to %4</translation>
    </message>
    <message>
        <source>convert into a colour-by-number page: regions of a few colours, each with its number, and the key below; --colour-by-number=COLOURS chooses 2 to 36 colours (default 16); --smallest-region MM as for --clean-lines</source>
        <translation>convert into a colour-by-number page: regions of a few colours, each with its number, and the key below; --colour-by-number=COLOURS chooses 2 to 36 colours (default 16); --smallest-region MM as for --clean-lines</translation>
    </message>
    <message>
        <source>the colour-by-number page painted, to compare: --colour-by-number-preview=COLOURS chooses the colours as above</source>
        <translation>the colour-by-number page painted, to compare: --colour-by-number-preview=COLOURS chooses the colours as above</translation>
    </message>
    <message>
        <source>%1 %2,%3,%4,%5 lies outside the picture of %6 x %7 pixels</source>
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
        <source>変更を保存していない画面が %1 画面あります。<byte value="xd"/>
終了しますか？</source>
        <translation>Pages with unsaved changes: %1<byte value="xd"/>
Exit anyway?</translation>
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
        <source>数字で塗り絵に変換...</source>
        <translation>Convert to Colour by &amp;Number...</translation>
    </message>
</context>
</TS>
