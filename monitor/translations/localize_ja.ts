<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>StatusDialog</name>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>TQ-51M Information</source>
        <translation>TQ-51M Information</translation>
    </message>
    <message>
        <source>select_printer</source>
        <translation>プリンターを選択</translation>
    </message>
    <message>
        <source>app_printer</source>
        <translation>%1（プリンターアプリケーション）</translation>
    </message>
    <message>
        <source>updateButton</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>mediaGroupTitle</source>
        <translation>メディア情報</translation>
    </message>
    <message>
        <source>sheets</source>
        <translation>枚</translation>
    </message>
    <message>
        <source>statusGroupBox</source>
        <translation>プリンターステータス</translation>
    </message>
    <message>
        <source>tcGroupBox</source>
        <translation>総印刷枚数</translation>
    </message>
    <message>
        <source>fwGroupBox</source>
        <translation>ファームウェアバージョン</translation>
    </message>
    <message>
        <source>serialNoGroupBox</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <source>size_00500</source>
        <translation>8x10in</translation>
    </message>
    <message>
        <source>size_00510</source>
        <translation>8x12in</translation>
    </message>
    <message>
        <source>size_00600</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>class_0001</source>
        <translation>Corvel</translation>
    </message>
    <message>
        <source>class_0002</source>
        <translation>Corvel Plus</translation>
    </message>
    <message>
        <source>class_0003</source>
        <translation>Tarsine</translation>
    </message>
    <message>
        <source>class_1304</source>
        <translation>Lustrane</translation>
    </message>
    <message>
        <source>class_1323</source>
        <translation>Opalith</translation>
    </message>
    <message>
        <source>st_00000</source>
        <translation>待機中</translation>
    </message>
    <message>
        <source>st_00001</source>
        <translation>印刷中</translation>
    </message>
    <message>
        <source>st_00500</source>
        <translation>ヘッド冷却中</translation>
    </message>
    <message>
        <source>st_00900</source>
        <translation>待機中（省電力モード）</translation>
    </message>
    <message>
        <source>st_01000</source>
        <translation>ドアが開いています</translation>
    </message>
    <message>
        <source>st_01010</source>
        <translation>紙くずボックスがありません</translation>
    </message>
    <message>
        <source>st_01100</source>
        <translation>用紙切れ</translation>
    </message>
    <message>
        <source>st_01200</source>
        <translation>リボン切れ</translation>
    </message>
    <message>
        <source>st_01300</source>
        <translation>紙詰まり</translation>
    </message>
    <message>
        <source>st_01400</source>
        <translation>リボンエラー</translation>
    </message>
    <message>
        <source>st_01500</source>
        <translation>用紙サイズ設定エラー</translation>
    </message>
    <message>
        <source>st_01600</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02000</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02100</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02200</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02300</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02400</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02500</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02600</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02610</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02700</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_02800</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_03000</source>
        <translation>システムエラー</translation>
    </message>
    <message>
        <source>st_99999</source>
        <translation>オフライン</translation>
    </message>
    <message>
        <source>ms_00001</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00002</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00003</source>
        <translation>しばらくお待ちください。
印刷は自動的に再開されます。</translation>
    </message>
    <message>
        <source>ms_00004</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00005</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00006</source>
        <translation>プリンターとパソコンを接続し、電源を入れてください。</translation>
    </message>
    <message>
        <source>ms_00100</source>
        <translation>プリンターのドアを閉めてください。</translation>
    </message>
    <message>
        <source>ms_00101</source>
        <translation>紙くずボックスを取り付けてください。</translation>
    </message>
    <message>
        <source>ms_00102</source>
        <translation>新しいメディアをセットしてください。
（用紙とリボンはセットで交換してください。）</translation>
    </message>
    <message>
        <source>ms_00103</source>
        <translation>新しいメディアをセットしてください。
（用紙とリボンはセットで交換してください。）</translation>
    </message>
    <message>
        <source>ms_00104</source>
        <translation>用紙を取り出して、正しくセットし直してください。</translation>
    </message>
    <message>
        <source>ms_00105</source>
        <translation>リボンを正しくセットし直してください。</translation>
    </message>
    <message>
        <source>ms_00106</source>
        <translation>用紙サイズの設定とリボンのサイズを確認してください。</translation>
    </message>
    <message>
        <source>ms_00107</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00108</source>
        <translation>
&lt;&lt; 正しくないメディアがセットされています。 &gt;&gt;</translation>
    </message>
    <message>
        <source>ms_00200</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00201</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00202</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00203</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00204</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00205</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00206</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00207</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00208</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00209</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>ms_00210</source>
        <translation>プリンターとパソコンを再起動してください。
再起動後も回復しない場合は、サービスセンターにお問い合わせください。</translation>
    </message>
</context>
<context>
    <name>VersionDialog</name>
    <message>
        <source>TQ-51M Information</source>
        <translation>TQ-51M Information</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>バージョン</translation>
    </message>
</context>
<context>
    <name>PrinterApplication</name>
    <message>
        <source>Prints since the last reset</source>
        <translation>前回のリセット以降の印刷枚数</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>ジョブ</translation>
    </message>
    <message>
        <source>Photo settings</source>
        <translation>写真設定</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>仕上げ</translation>
    </message>
    <message>
        <source>Glossy</source>
        <translation>光沢</translation>
    </message>
    <message>
        <source>Luster</source>
        <translation>ラスター</translation>
    </message>
    <message>
        <source>Matte</source>
        <translation>マット</translation>
    </message>
    <message>
        <source>Fine matte</source>
        <translation>ファインマット</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>フチ</translation>
    </message>
    <message>
        <source>2-inch cut</source>
        <translation>2インチカット</translation>
    </message>
    <message>
        <source>High-speed printing (300 x 600 dpi)</source>
        <translation>高速印刷 (300 x 600 dpi)</translation>
    </message>
    <message>
        <source>Retry after an error</source>
        <translation>エラー後に再試行</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>シャープネス</translation>
    </message>
    <message>
        <source>Color adjustment</source>
        <translation>色調整</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>ガンマ</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>明るさ</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>コントラスト</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>彩度</translation>
    </message>
    <message>
        <source>Save photo settings</source>
        <translation>写真設定を保存</translation>
    </message>
    <message>
        <source>Invalid form data.</source>
        <translation>フォームのデータが正しくありません。</translation>
    </message>
    <message>
        <source>Print counter reset.</source>
        <translation>印刷カウンターをリセットしました。</translation>
    </message>
    <message>
        <source>Photo settings saved.</source>
        <translation>写真設定を保存しました。</translation>
    </message>
    <message>
        <source>The defaults could not be saved.</source>
        <translation>既定値を保存できませんでした。</translation>
    </message>
    <message>
        <source>Bad value for %1.</source>
        <translation>%1 の値が正しくありません。</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>ジョブ番号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>User</source>
        <translation>ユーザー</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>理由</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>用紙</translation>
    </message>
    <message>
        <source>Sheets sent</source>
        <translation>送信したシート</translation>
    </message>
    <message>
        <source>Sheet %1</source>
        <translation>シート %1</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>待機中</translation>
    </message>
    <message>
        <source>Held</source>
        <translation>保留中</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>印刷中</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>%1 page(s) sent to the printer.</source>
        <translation>%1 ページをプリンターに送信しました。</translation>
    </message>
    <message>
        <source>Stopped after %1 page(s).</source>
        <translation>%1 ページで停止しました。</translation>
    </message>
    <message>
        <source>Sending the job to the printer again.</source>
        <translation>ジョブをプリンターに再送信しています。</translation>
    </message>
    <message>
        <source>The document has no pages.</source>
        <translation>文書にページがありません。</translation>
    </message>
    <message>
        <source>Stopped: the printer application was shut down.</source>
        <translation>停止: プリンターアプリケーションが終了しました。</translation>
    </message>
    <message>
        <source>The loaded media changed while the job waited; send the job again.</source>
        <translation>ジョブの待機中にセットされた用紙が変わりました。ジョブを再送信してください。</translation>
    </message>
    <message>
        <source>Out of memory for the print job.</source>
        <translation>印刷ジョブのためのメモリーが足りません。</translation>
    </message>
    <message>
        <source>The JPEG image cannot be opened.</source>
        <translation>JPEG 画像を開けません。</translation>
    </message>
    <message>
        <source>The PDF document has no pages.</source>
        <translation>PDF 文書にページがありません。</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document has no size.</source>
        <translation>PDF 文書の %1 ページ目にサイズがありません。</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document cannot be rendered.</source>
        <translation>PDF 文書の %1 ページ目を描画できません。</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document is too large to print.</source>
        <translation>PDF 文書の %1 ページ目は大きすぎて印刷できません。</translation>
    </message>
    <message>
        <source>The PDF document takes too long to render.</source>
        <translation>PDF 文書の描画に時間がかかりすぎます。</translation>
    </message>
    <message>
        <source>8 x 4 in</source>
        <translation>8 x 4 インチ</translation>
    </message>
    <message>
        <source>8 x 5 in</source>
        <translation>8 x 5 インチ</translation>
    </message>
    <message>
        <source>8 x 6 in</source>
        <translation>8 x 6 インチ</translation>
    </message>
    <message>
        <source>8 x 8 in</source>
        <translation>8 x 8 インチ</translation>
    </message>
    <message>
        <source>8 x 10 in</source>
        <translation>8 x 10 インチ</translation>
    </message>
    <message>
        <source>8 x 12 in</source>
        <translation>8 x 12 インチ</translation>
    </message>
    <message>
        <source>Job %1 stopped: %2</source>
        <translation>ジョブ %1 停止: %2</translation>
    </message>
    <message>
        <source>Waiting for the printer (%1)</source>
        <translation>プリンター待ち (%1)</translation>
    </message>
    <message>
        <source>Waiting for the printer: %1 (%2)</source>
        <translation>プリンター待ち: %1 (%2)</translation>
    </message>
    <message>
        <source>The backend failed to print the job.</source>
        <translation>バックエンドがジョブを印刷できませんでした。</translation>
    </message>
    <message>
        <source>The printer asks for authentication.</source>
        <translation>プリンターが認証を求めています。</translation>
    </message>
    <message>
        <source>The backend put the job on hold.</source>
        <translation>バックエンドがジョブを保留にしました。</translation>
    </message>
    <message>
        <source>The printer stopped: it needs attention.</source>
        <translation>プリンターが停止しました。確認が必要です。</translation>
    </message>
    <message>
        <source>The backend cancelled the job.</source>
        <translation>バックエンドがジョブをキャンセルしました。</translation>
    </message>
    <message>
        <source>The printer could not be reached; try again later.</source>
        <translation>プリンターに接続できません。後でもう一度お試しください。</translation>
    </message>
    <message>
        <source>The backend ended abnormally.</source>
        <translation>バックエンドが異常終了しました。</translation>
    </message>
    <message>
        <source>The backend failed with status %1.</source>
        <translation>バックエンドがステータス %1 で失敗しました。</translation>
    </message>
    <message>
        <source>%1 The job could not be kept for printing again: the spool folder has no room for it.</source>
        <translation>%1 再印刷用にジョブを保存できませんでした。スプールフォルダーに空きがありません。</translation>
    </message>
    <message>
        <source>Out of memory for page %1.</source>
        <translation>%1 ページ目のためのメモリーが足りません。</translation>
    </message>
    <message>
        <source>The printer's device is not a velmora-zelbackend device.</source>
        <translation>プリンターのデバイスが velmora-zelbackend のデバイスではありません。</translation>
    </message>
    <message>
        <source>Unsupported raster page: %1 bits per pixel.</source>
        <translation>対応していないラスターページです: 1 ピクセルあたり %1 ビット。</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is larger than any sheet of the printer.</source>
        <translation>%1 ページ目 (%2 x %3 ピクセル) はプリンターのどの用紙よりも大きいです。</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is too large to fit onto a sheet.</source>
        <translation>%1 ページ目 (%2 x %3 ピクセル) は大きすぎて用紙に合わせられません。</translation>
    </message>
    <message>
        <source>The document ends inside page %1 (%2 of %3 rows): it was not printed. Send it again.</source>
        <translation>文書が %1 ページ目の途中 (%3 行中 %2 行) で終わっています。印刷されませんでした。もう一度送信してください。</translation>
    </message>
    <message>
        <source>Out of memory while fitting the page onto the sheet.</source>
        <translation>ページを用紙に合わせるためのメモリーが足りません。</translation>
    </message>
    <message>
        <source>The PDF renderer cannot be started.</source>
        <translation>PDF レンダラーを起動できません。</translation>
    </message>
    <message>
        <source>The PDF document is encrypted: it cannot be printed without its password.</source>
        <translation>PDF 文書は暗号化されています。パスワードなしでは印刷できません。</translation>
    </message>
    <message>
        <source>The PDF document cannot be read: its description is too long.</source>
        <translation>PDF 文書を読み込めません。記述が長すぎます。</translation>
    </message>
    <message>
        <source>The JPEG image of %1 x %2 pixels is too large to print.</source>
        <translation>JPEG 画像 (%1 x %2 ピクセル) は大きすぎて印刷できません。</translation>
    </message>
    <message>
        <source>Out of memory for the JPEG image.</source>
        <translation>JPEG 画像のためのメモリーが足りません。</translation>
    </message>
    <message>
        <source>The PNG image of %1 x %2 pixels is too large to print.</source>
        <translation>PNG 画像 (%1 x %2 ピクセル) は大きすぎて印刷できません。</translation>
    </message>
    <message>
        <source>Out of memory for the PNG image.</source>
        <translation>PNG 画像のためのメモリーが足りません。</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>停止しました。</translation>
    </message>
    <message>
        <source>Sending sheets %1 to %2 to the printer again.</source>
        <translation>シート %1～%2 をプリンターに再送信しています。</translation>
    </message>
</context>
</TS>
