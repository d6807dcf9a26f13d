<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CoreMessages</name>
    <message>
        <source>%1エラー番号は%2です。
%3</source>
        <translation>%1 Error number %2.
%3</translation>
    </message>
    <message>
        <source>エラーが発生しました。</source>
        <translation>An error occurred.</translation>
    </message>
    <message>
        <source>ファイルが開けませんでした。書き込み可能なドライブを選択しているか確認して下さい。</source>
        <translation>The file could not be opened. Check that the chosen folder is on a writable disk.</translation>
    </message>
    <message>
        <source>0以上の数でなければなりません。</source>
        <translation>The value must be a number of 0 or more.</translation>
    </message>
    <message>
        <source>ステータス異常が発生しました。</source>
        <translation>The recorder reached an invalid status.</translation>
    </message>
    <message>
        <source>MP3へのエンコード中にエラーが発生しました。このエンコードを中止します。エラー番号は%1です。%2</source>
        <translation>An error occurred while encoding to MP3. This encode is abandoned. Error number %1. %2</translation>
    </message>
    <message>
        <source>保存フォルダ %1 の空き容量が不足する見込みです。今後1週間の録音%2件に約%3必要ですが、空きは%4です。</source>
        <translation>The save folder %1 is likely to run out of space: the %2 recordings of the coming week need about %3, but only %4 is free.</translation>
    </message>
    <message>
        <source>%1 の録音には約%2必要ですが、保存フォルダ %3 の空きは%4です。</source>
        <translation>The recording %1 needs about %2, but the save folder %3 has only %4 free.</translation>
    </message>
    <message>
        <source>録音中に音が途切れました。失われた%1フレーム(%2秒)は無音で補いました。</source>
        <translation>The sound broke off during the recording. The %1 frames lost (%2 s) were recorded as silence.</translation>
    </message>
    <message>
        <source>ログファイル %1 に書き込めません(エラー番号%2: %3)。録音はそのまま続けます。</source>
        <translation>Cannot write the log file %1 (error %2: %3). Recording goes on.</translation>
    </message>
    <message>
        <source>バッファ長 %1 秒は長すぎるため、録音には %2 秒を使います。</source>
        <translation>A buffer length of %1 s is too long; recordings use %2 s.</translation>
    </message>
    <message>
        <source>NoSounddBは0以下の数か-infでなければならない</source>
        <translation>The silence level must be a number of 0 or less, or -inf.</translation>
    </message>
    <message>
        <source>%1が見つからず作成も失敗したため%2の保存フォルダを%3に設定しました。</source>
        <translation>%1 was not found and could not be created, so the save folder of %2 was set to %3.</translation>
    </message>
    <message>
        <source>スケジュール「%1」の開始時刻「%2」が時刻として読めないため、このスケジュールは開始されません。</source>
        <translation>The start time &quot;%2&quot; of the schedule &quot;%1&quot; is not a time of day, so this schedule will not start.</translation>
    </message>
    <message>
        <source>schedule.txtの内容が不正です。現在のschedule.txtを破棄します。アプリケーションを再起動して下さい。現在のschedule.txtはschedule.bakにリネームされています。ファイル内容をテキストエディタなどで変更していない場合はOstrelまでご連絡下さい。</source>
        <translation>schedule.txt is invalid and is set aside; please restart the application. The file was renamed to schedule.bak. If you did not change it in a text editor or the like, please contact Ostrel.</translation>
    </message>
    <message>
        <source>DirectXコールバック発生時に予期せぬエラーが発生しました。</source>
        <translation>An unexpected error occurred while capturing sound.</translation>
    </message>
    <message>
        <source>システム上にミキサーデバイスが存在しません。</source>
        <translation>There is no mixer device on this system.</translation>
    </message>
    <message>
        <source>MP3エンコーダ(%1)を起動できません: %2</source>
        <translation>The MP3 encoder (%1) cannot be started: %2</translation>
    </message>
    <message>
        <source>応答が違います(プロトコル %1)</source>
        <translation>it gave an unexpected answer (protocol %1)</translation>
    </message>
    <message>
        <source>応答せずに終了しました</source>
        <translation>it ended without answering</translation>
    </message>
    <message>
        <source>応答がありません</source>
        <translation>it does not answer</translation>
    </message>
    <message>
        <source>MP3エンコーダ(%1)がエンコード中に%2。%3</source>
        <translation>The MP3 encoder (%1) %2 while encoding.%3</translation>
    </message>
    <message>
        <source>異常終了しました</source>
        <translation>crashed</translation>
    </message>
    <message>
        <source>終了しました(終了コード %1)</source>
        <translation>ended (exit code %1)</translation>
    </message>
    <message>
        <source>書き込めません: </source>
        <translation>cannot write: </translation>
    </message>
    <message>
        <source>応答の並びが壊れています</source>
        <translation>its answers are garbled</translation>
    </message>
    <message>
        <source>途中までのMP3ファイル %1 を削除できません。</source>
        <translation>The unfinished MP3 file %1 cannot be deleted.</translation>
    </message>
    <message>
        <source>WAVEファイルは %1 に残っています。</source>
        <translation>The WAVE file was left as %1.</translation>
    </message>
    <message>
        <source>壊れた呼び出しです(種類 %1)</source>
        <translation>Malformed call (kind %1)</translation>
    </message>
    <message>
        <source>前のエンコードが終わっていません</source>
        <translation>The previous encode has not finished</translation>
    </message>
    <message>
        <source>未知の呼び出しです(種類 %1)</source>
        <translation>Unknown call (kind %1)</translation>
    </message>
    <message>
        <source>エラーが発生しました errcode = %1</source>
        <translation>An error occurred, errcode = %1</translation>
    </message>
    <message>
        <source>%1: %2 に名前を変更できません</source>
        <translation>%1: cannot be renamed to %2</translation>
    </message>
    <message>
        <source>入力周波数は正の数でなければなりません。</source>
        <translation>The input frequency must be a positive number.</translation>
    </message>
    <message>
        <source>%1: 削除できません</source>
        <translation>%1: cannot be deleted</translation>
    </message>
    <message>
        <source>%1: %2 に名前を戻せません</source>
        <translation>%1: cannot be renamed back to %2</translation>
    </message>
    <message>
        <source>%1: WAVEファイルとして読めません(%2)</source>
        <translation>%1: cannot be read as a WAVE file (%2)</translation>
    </message>
    <message>
        <source>RIFF WAVEではありません</source>
        <translation>not a RIFF WAVE file</translation>
    </message>
    <message>
        <source>dataチャンクがありません</source>
        <translation>no data chunk</translation>
    </message>
    <message>
        <source>fmtチャンクがありません</source>
        <translation>no fmt chunk</translation>
    </message>
    <message>
        <source>fmtチャンクが短すぎます</source>
        <translation>the fmt chunk is too short</translation>
    </message>
    <message>
        <source>8bitか16bitのPCM、1か2チャンネルのみ扱えます</source>
        <translation>only 8-bit or 16-bit PCM with 1 or 2 channels can be read</translation>
    </message>
    <message>
        <source>fmtチャンクがdataチャンクの後にあります</source>
        <translation>the fmt chunk follows the data chunk</translation>
    </message>
    <message>
        <source>%1を開けませんでした。</source>
        <translation>%1 could not be opened.</translation>
    </message>
    <message>
        <source>一つのノードは子ノードを持つかデータを持つかどちらも持たないかのどちらかです</source>
        <translation>An element holds either child elements or data, or neither.</translation>
    </message>
    <message>
        <source>/\は日付/時刻表示書式指定文字の1文字目としてのみ使用可能です。:,;*?&quot;&lt;&gt;|は使用不可能です。</source>
        <translation>/ and \ can only start a date or time code. :,;*?&quot;&lt;&gt;| cannot be used.</translation>
    </message>
    <message>
        <source>秒数は正の整数でなければなりません</source>
        <translation>The seconds must be a positive whole number.</translation>
    </message>
    <message>
        <source>ファイルを分割する無音部の長さには正の整数を入力してください。</source>
        <translation>Enter a positive whole number of seconds for the silence that splits the file.</translation>
    </message>
    <message>
        <source>分割時間は1秒以上を指定して下さい</source>
        <translation>Give a split time of at least 1 second.</translation>
    </message>
    <message>
        <source>無音とみなす音圧には0以下の数または半角文字で-infを入力してください。</source>
        <translation>Enter a number of 0 or less, or -inf, for the silence level.</translation>
    </message>
    <message>
        <source>waveファイルのサイズが約2GBに達する、または超えます。このままの場合録音時に自動分割します。このままでよろしいですか?</source>
        <translation>The WAVE file will reach about 2 GB or more; the recording will be split automatically. Keep it this way?</translation>
    </message>
    <message>
        <source>重複するスケジュール名が存在しますが、よろしいですか?</source>
        <translation>Another schedule has this name. Keep it anyway?</translation>
    </message>
</context>
<context>
    <name>tolvane::DialogSavePath</name>
    <message>
        <source>保存フォルダ設定</source>
        <translation>Save Folder</translation>
    </message>
    <message>
        <source>ホームフォルダ (%1)</source>
        <translation>Home folder (%1)</translation>
    </message>
    <message>
        <source>ドライブ選択時に予期せぬエラーが発生しました。</source>
        <translation>An unexpected error occurred while choosing the drive.</translation>
    </message>
    <message>
        <source>新規フォルダ</source>
        <translation>New Folder</translation>
    </message>
    <message>
        <source>種別不明</source>
        <translation>an unknown kind of drive</translation>
    </message>
    <message>
        <source>リムーバブル ディスク</source>
        <translation>a removable disk</translation>
    </message>
    <message>
        <source>ハード ディスク</source>
        <translation>a hard disk</translation>
    </message>
    <message>
        <source>ネットワーク ドライブ</source>
        <translation>a network drive</translation>
    </message>
    <message>
        <source>RAM ディスク</source>
        <translation>a RAM disk</translation>
    </message>
    <message>
        <source>選択されたドライブは現在使用できません。他のドライブを選択するか、使用できる状態にしてからもう一度選択して下さい</source>
        <translation>The chosen drive cannot be used now. Choose another drive, or make it ready and choose it again.</translation>
    </message>
    <message>
        <source>このドライブは%1です。このドライブを選択すると本ソフトが正しく機能しない可能性があります｡ハードディスクドライブを選択されることを推奨します｡ </source>
        <translation>This drive is %1. Recording to it may not work reliably; a hard disk is recommended.</translation>
    </message>
</context>
<context>
    <name>tolvane::DialogSetTag</name>
    <message>
        <source>タグ設定</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>タイトルを指定する文字列を入力して下さい(生成後に半角30文字以内に制限されます)</source>
        <translation>Title (cut to 30 bytes once filled in)</translation>
    </message>
    <message>
        <source>アーティストを指定する文字列を入力して下さい(生成後に半角30文字以内に制限されます)</source>
        <translation>Artist (cut to 30 bytes once filled in)</translation>
    </message>
    <message>
        <source>アルバムを指定する文字列を入力して下さい(生成後に半角30文字以内に制限されます)</source>
        <translation>Album (cut to 30 bytes once filled in)</translation>
    </message>
    <message>
        <source>年を指定する文字列を入力して下さい(生成後に半角4文字以内に制限されます)</source>
        <translation>Year (cut to 4 bytes once filled in)</translation>
    </message>
    <message>
        <source>コメントを指定する文字列を入力して下さい(生成後に半角30文字以内に制限されます)</source>
        <translation>Comment (cut to 30 bytes once filled in)</translation>
    </message>
    <message>
        <source>ジャンルを選択して下さい</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>例えば明日の風という名のスケジュールで&apos;\N_\M月/D日&apos;のように設定すると9/9に録音した場合&apos;明日の風_09月9日&apos;となります。日付変更時刻はファイル名での設定を用います｡</source>
        <translation>For example, &apos;\N_\M-/D&apos; for a schedule named &apos;Morning&apos; recorded on 9 September gives &apos;Morning_09-9&apos;. The day-change time is the file name&apos;s.</translation>
    </message>
</context>
<context>
    <name>tolvane::FormDialog</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>エラーが発生しました。</source>
        <translation>An error occurred.</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogChangeEndTime</name>
    <message>
        <source>終了時間の変更</source>
        <translation>Change End Time</translation>
    </message>
    <message>
        <source>終了時刻</source>
        <translation>End time</translation>
    </message>
    <message>
        <source>録音時間</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>終了時間の指定</source>
        <translation>End given as</translation>
    </message>
    <message>
        <source>現在実行中の録音の終了時刻を設定します。この設定は今回の録音に対してのみ適用されます。</source>
        <translation>Sets the end time of the running recording. It applies to this recording only.</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogChangeExecuteFile</name>
    <message>
        <source>実行タイミング(録音前のみ)</source>
        <translation>When to run (before recording only)</translation>
    </message>
    <message>
        <source>秒前</source>
        <translation>seconds before</translation>
    </message>
    <message>
        <source>実行ファイル</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Choose...</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogDays</name>
    <message>
        <source>録音曜日選択</source>
        <translation>Recording Days</translation>
    </message>
    <message>
        <source>日曜日</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>月曜日</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>火曜日</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>水曜日</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>木曜日</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>金曜日</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>土曜日</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>録音する曜日にチェックを入れて下さい。</source>
        <translation>Tick the days to record on.</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogGOGOSetting</name>
    <message>
        <source>MP3エンコード設定</source>
        <translation>MP3 Encoding</translation>
    </message>
    <message>
        <source>強制モノラル</source>
        <translation>Forced mono</translation>
    </message>
    <message>
        <source>ステレオ</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>ジョイントステレオ</source>
        <translation>Joint stereo</translation>
    </message>
    <message>
        <source>ミッドサイドステレオ</source>
        <translation>Mid/side stereo</translation>
    </message>
    <message>
        <source>デュアルチャネル</source>
        <translation>Dual channel</translation>
    </message>
    <message>
        <source>MP3＋Tag(通常)</source>
        <translation>MP3 + tag (usual)</translation>
    </message>
    <message>
        <source>可変ビットレートエンコードを使用する</source>
        <translation>Use variable bit rate</translation>
    </message>
    <message>
        <source>ビットレート幅を制限</source>
        <translation>Limit the bit rate</translation>
    </message>
    <message>
        <source>中間Waveファイルを作成する</source>
        <translation>Make an intermediate WAVE file</translation>
    </message>
    <message>
        <source>中間Waveファイルを削除する</source>
        <translation>Delete the intermediate WAVE file</translation>
    </message>
    <message>
        <source>ID3V1タグを設定する</source>
        <translation>Write an ID3v1 tag</translation>
    </message>
    <message>
        <source>タグ設定</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>出力モード</source>
        <translation>Output mode</translation>
    </message>
    <message>
        <source>出力形式</source>
        <translation>Output format</translation>
    </message>
    <message>
        <source>出力ビットレート(kbit/s)を設定</source>
        <translation>Output bit rate (kbit/s)</translation>
    </message>
    <message>
        <source>MPEG1Audio(32,44.1kHzの時)</source>
        <translation>MPEG-1 audio (at 32, 44.1 kHz)</translation>
    </message>
    <message>
        <source>MPEG2Audio(22050Hzの時)</source>
        <translation>MPEG-2 audio (at 22050 Hz)</translation>
    </message>
    <message>
        <source>モノラル時は表示の半分になります</source>
        <translation>Half of the shown rate for mono</translation>
    </message>
    <message>
        <source>VBRクオリティ(高音質～高圧縮)</source>
        <translation>VBR quality (best sound to smallest)</translation>
    </message>
    <message>
        <source>最大ビットレート(kbit/s)</source>
        <translation>Highest bit rate (kbit/s)</translation>
    </message>
    <message>
        <source>最低ビットレート(kbit/s)</source>
        <translation>Lowest bit rate (kbit/s)</translation>
    </message>
    <message>
        <source>詳細設定</source>
        <translation>Details...</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogNewFolder</name>
    <message>
        <source>新規フォルダの作成</source>
        <translation>New Folder</translation>
    </message>
    <message>
        <source>新規に作成するフォルダの名前を入力して下さい。</source>
        <translation>Enter the name of the new folder.</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogOption</name>
    <message>
        <source>オプション設定</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>常に録音終了時刻のチェックをPC時計により行う</source>
        <translation>Always end recordings by the computer&apos;s clock</translation>
    </message>
    <message>
        <source>録音終了時刻の標準設定方法を録音時間による設定にする</source>
        <translation>Give the end of a recording as a duration by default</translation>
    </message>
    <message>
        <source>動作ログを作成する</source>
        <translation>Keep an activity log</translation>
    </message>
    <message>
        <source>録音20秒前からモニタ状態にする</source>
        <translation>Monitor from 20 seconds before a recording</translation>
    </message>
    <message>
        <source>時計合わせを行う</source>
        <translation>Set the clock from a time server</translation>
    </message>
    <message>
        <source>Tolvaneの起動時に実行</source>
        <translation>When Tolvane starts</translation>
    </message>
    <message>
        <source>右の時刻に実行</source>
        <translation>Daily at</translation>
    </message>
    <message>
        <source>起動時に基本優先度を設定する</source>
        <translation>Set the process priority at start-up</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>通常以下</source>
        <translation>Below normal</translation>
    </message>
    <message>
        <source>通常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>通常以上(要管理者権限)</source>
        <translation>Above normal (needs administrator rights)</translation>
    </message>
    <message>
        <source>高(要管理者権限)</source>
        <translation>High (needs administrator rights)</translation>
    </message>
    <message>
        <source>スケジュール名を設定・変更する時に同名のスケジュールがあるときは確認を表示する</source>
        <translation>Ask when a schedule is given the name of another</translation>
    </message>
    <message>
        <source>スケジュールを削除するときに確認を表示する</source>
        <translation>Ask before deleting a schedule</translation>
    </message>
    <message>
        <source>スリープ中でも録音の前にコンピュータを起こす</source>
        <translation>Wake the computer from sleep before a recording</translation>
    </message>
    <message>
        <source>分前</source>
        <translation> min before</translation>
    </message>
    <message>
        <source>起動時や復帰時に録音時間中のスケジュールがあれば途中から録音する</source>
        <translation>On start-up or wake-up, join a recording that is under way</translation>
    </message>
    <message>
        <source>タイムサーバ</source>
        <translation>Time server</translation>
    </message>
    <message>
        <source>録音時のバッファの長さ(初期設定は1秒)</source>
        <translation>Capture buffer length (1 second by default)</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>録音時のバッファの長さには正の整数を入力してください。</source>
        <translation>Enter a positive whole number for the capture buffer length.</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogOtherGOGOSetting</name>
    <message>
        <source>MP3エンコード詳細設定</source>
        <translation>MP3 Encoding Details</translation>
    </message>
    <message>
        <source>音響心理解析を使わない</source>
        <translation>Do not use the psychoacoustic model</translation>
    </message>
    <message>
        <source>128kbps以下のビットレートでエンコードを行う際に高音領域に発生する
シュワシュワノイズを軽減するローパスフィルタを使わない</source>
        <translation>Do not use the low-pass filter that reduces the hiss
in the highs at bit rates of 128 kbps and below</translation>
    </message>
    <message>
        <source>ローパスフィルターをカスタマイズする</source>
        <translation>Customise the low-pass filter</translation>
    </message>
    <message>
        <source>CPU個数を強制指定する</source>
        <translation>Force the number of CPUs</translation>
    </message>
    <message>
        <source>マルチスレッド時のスレッドプライオリティを指定する</source>
        <translation>Set the priority of the encoder threads</translation>
    </message>
    <message>
        <source>最高</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>ノーマル</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>最低</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <source>アイドル</source>
        <translation>Idle</translation>
    </message>
    <message>
        <source>CPUの拡張命令の不使用を指定する</source>
        <translation>Choose which CPU extensions not to use</translation>
    </message>
    <message>
        <source>MMXを使わない</source>
        <translation>Do not use MMX</translation>
    </message>
    <message>
        <source>3DNow!を使わない</source>
        <translation>Do not use 3DNow!</translation>
    </message>
    <message>
        <source>Pentium3-SIMD(SSE)を使わない</source>
        <translation>Do not use Pentium III SIMD (SSE)</translation>
    </message>
    <message>
        <source>拡張3DNow!を使わない</source>
        <translation>Do not use enhanced 3DNow!</translation>
    </message>
    <message>
        <source>サンプル周波数を強制指定する</source>
        <translation>Force the sample rates</translation>
    </message>
    <message>
        <source>バンド幅は[0-1]の間で正規化されます。周波数帯域 0～A の間はフィルタが施されません。周波数帯域 A～B の間は、なだらかな曲線を描く様にフィルタの強度が増します。周波数帯域 B～1 の間は、完全に遮断します。実際は入出力PCMの標本化周波数によって遮蔽周波数は変化します。このパラメーターを設定すると、&quot;ローパスフィルタ不使用&quot;の設定は無視されるようになります。 ＶＢＲエンコード時、この設定は無視されます。</source>
        <translation>The band is normalised to [0-1]. From 0 to A nothing is filtered; from A to B the filter grows stronger along a smooth curve; from B to 1 everything is cut. The actual cut-off frequencies follow the sample rates of the input and output. With this set, &quot;do not use the low-pass filter&quot; is ignored. VBR encoding ignores this setting.</translation>
    </message>
    <message>
        <source>入力サンプル周波数(Hz)</source>
        <translation>Input sample rate (Hz)</translation>
    </message>
    <message>
        <source>出力サンプル周波数(Hz)</source>
        <translation>Output sample rate (Hz)</translation>
    </message>
    <message>
        <source>A(0～100) %1</source>
        <translation>A (0-100) %1</translation>
    </message>
    <message>
        <source>B(0～100) %1</source>
        <translation>B (0-100) %1</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogRec</name>
    <message>
        <source>録音品質の設定</source>
        <translation>Record Now</translation>
    </message>
    <message>
        <source>Wave形式</source>
        <translation>WAVE</translation>
    </message>
    <message>
        <source>WindowsMedia形式</source>
        <translation>Windows Media</translation>
    </message>
    <message>
        <source>Wav設定</source>
        <translation>WAVE Settings...</translation>
    </message>
    <message>
        <source>WM設定</source>
        <translation>WM Settings...</translation>
    </message>
    <message>
        <source>録音冒頭の無音部をカットする</source>
        <translation>Cut the silence at the start</translation>
    </message>
    <message>
        <source>録音末端の無音部をカットする</source>
        <translation>Cut the silence at the end</translation>
    </message>
    <message>
        <source>保存先変更</source>
        <translation>Change Folder...</translation>
    </message>
    <message>
        <source>ここで録音している間に開始時刻が設定されているスケジュールは無視されます。</source>
        <translation>Schedules due to start while this recording runs are skipped.</translation>
    </message>
    <message>
        <source>録音開始</source>
        <translation>Start Recording</translation>
    </message>
    <message>
        <source>録音品質設定時に予期せぬエラーが発生しました。</source>
        <translation>An unexpected error occurred while setting up the recording.</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogSchedule</name>
    <message>
        <source>複数のスケジュールの録音品質が変更されます。よろしいですか?</source>
        <translation>This changes the recording format of several schedules. Go ahead?</translation>
    </message>
    <message>
        <source>スケジュールの設定</source>
        <translation>Schedule</translation>
    </message>
    <message>
        <source>終了時刻</source>
        <translation>End time</translation>
    </message>
    <message>
        <source>録音時間</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>録音したファイルを標準の保存フォルダに保存する</source>
        <translation>Save the recordings in the default save folder</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Change...</translation>
    </message>
    <message>
        <source>WAVE形式</source>
        <translation>WAVE</translation>
    </message>
    <message>
        <source>WindowsMedia形式</source>
        <translation>Windows Media</translation>
    </message>
    <message>
        <source>WAVE設定</source>
        <translation>WAVE Settings...</translation>
    </message>
    <message>
        <source>WM設定</source>
        <translation>WM Settings...</translation>
    </message>
    <message>
        <source>このスケジュールを有効にする</source>
        <translation>This schedule is active</translation>
    </message>
    <message>
        <source>録音開始前にファイルを実行する</source>
        <translation>Run a program before recording</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set...</translation>
    </message>
    <message>
        <source>複数のスケジュールの録音前にファイルを実行する設定が変更されます。よろしいですか?</source>
        <translation>This changes the program run before recording for several schedules. Go ahead?</translation>
    </message>
    <message>
        <source>録音前ファイル実行設定</source>
        <translation>Program Before Recording</translation>
    </message>
    <message>
        <source>録音開始後にファイルを実行する</source>
        <translation>Run a program after recording</translation>
    </message>
    <message>
        <source>複数のスケジュールの録音後にファイルを実行する設定が変更されます。よろしいですか?</source>
        <translation>This changes the program run after recording for several schedules. Go ahead?</translation>
    </message>
    <message>
        <source>録音後実行ファイル設定</source>
        <translation>Program After Recording</translation>
    </message>
    <message>
        <source>録音終了時にTolvaneを終了する</source>
        <translation>Quit Tolvane when the recording ends</translation>
    </message>
    <message>
        <source>録音終了時にコンピュータの電源を切る</source>
        <translation>Power the computer off when the recording ends</translation>
    </message>
    <message>
        <source>録音終了時にコンピュータを休止状態にする</source>
        <translation>Hibernate the computer when the recording ends</translation>
    </message>
    <message>
        <source>スケジュール名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>曜日</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>録音曜日設定</source>
        <translation>Days...</translation>
    </message>
    <message>
        <source>複数のスケジュールの録音曜日が変更されます。よろしいですか?</source>
        <translation>This changes the recording days of several schedules. Go ahead?</translation>
    </message>
    <message>
        <source>開始時刻</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>開始時刻遅延</source>
        <translation>Start delay</translation>
    </message>
    <message>
        <source>終了時間の指定</source>
        <translation>End given as</translation>
    </message>
    <message>
        <source>終了時刻遅延</source>
        <translation>End delay</translation>
    </message>
    <message>
        <source>入力ライン</source>
        <translation>Input line</translation>
    </message>
    <message>
        <source>入力ライン設定</source>
        <translation>Input Line...</translation>
    </message>
    <message>
        <source>複数のスケジュールの録音ソースが変更されます。よろしいですか?</source>
        <translation>This changes the sound source of several schedules. Go ahead?</translation>
    </message>
    <message>
        <source>保存フォルダ</source>
        <translation>Save folder</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>複数のスケジュールのファイル名・日付変更時刻が変更されます。よろしいですか?</source>
        <translation>This changes the file name and day-change time of several schedules. Go ahead?</translation>
    </message>
    <message>
        <source>フォーマットの設定(MP3設定はWAVE設定内で行います)</source>
        <translation>Format (MP3 is set up in the WAVE settings)</translation>
    </message>
    <message>
        <source>WindowsMedia形式を選択するには&#x3000;&#x3000;&#x3000;     FFmpeg(libavcodec)のWMAエンコーダが必要です</source>
        <translation>Windows Media needs the WMA encoder of FFmpeg (libavcodec).</translation>
    </message>
    <message>
        <source>WindowsMedia形式を選択した場合カット機能は使用できません</source>
        <translation>Silence cutting does not work with Windows Media.</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>標準設定に戻す</source>
        <translation>Use Defaults</translation>
    </message>
    <message>
        <source>複数のスケジュールの保存先が変更されます。よろしいですか?</source>
        <translation>This changes the save folder of several schedules. Go ahead?</translation>
    </message>
    <message>
        <source>複数のスケジュールの設定が変更されます。よろしいですか？</source>
        <translation>This changes the settings of several schedules. Go ahead?</translation>
    </message>
    <message>
        <source>スケジュール編集確定時に予期せぬエラーが発生しました。</source>
        <translation>An unexpected error occurred while applying the schedule.</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogSetFileName</name>
    <message>
        <source>ファイル名書式設定</source>
        <translation>File Name</translation>
    </message>
    <message>
        <source>例えば明日の風という名のスケジュールで&apos;\N_\M月/D日&apos;のように設定すると9/9に録音した場合&apos;明日の風_09月9日.***&apos;のファイルが出来ます。</source>
        <translation>For example, &apos;\N_\M-/D&apos; for a schedule named &apos;Morning&apos; recorded on 9 September makes the file &apos;Morning_09-9.***&apos;.</translation>
    </message>
    <message>
        <source>同一名のファイルが存在していた場合、拡張子前のピリオドの前に_*(数字)を入れて上書きを回避します。(上の場合&apos;明日の風09月9日_1.***&apos;となります)。</source>
        <translation>If a file of that name exists, _ and a number go before the extension instead of overwriting it (&apos;Morning_09-9_1.***&apos; above).</translation>
    </message>
    <message>
        <source>またWindowsの仕様上、/\:,;*?&quot;&lt;&gt;|は使用不可能です。よって日付/時刻表示書式指定文字の1文字目としての/\以外を含んでいる場合エラーとなります。</source>
        <translation>So that the files can be used on Windows too, /\:,;*?&quot;&lt;&gt;| cannot be used, except / and \ as the first character of a code.</translation>
    </message>
    <message>
        <source>ファイル名を指定する文字列を入力して下さい</source>
        <translation>File name template</translation>
    </message>
    <message>
        <source>日付変更時刻(ファイル名(作成する場合ID3タグも)生成にのみ使われます)</source>
        <translation>Day-change time (used only for the file name, and the ID3 tag if made)</translation>
    </message>
    <message>
        <source>日付/時刻表示書式指定文字</source>
        <translation>Date and time codes</translation>
    </message>
    <message>
        <source>\Y 年(4桁)         /Y 年(2桁)</source>
        <translation>\Y year (4 digits)       /Y year (2 digits)</translation>
    </message>
    <message>
        <source>\M 月(2桁)         /M 月(1桁で表せる場合1桁)</source>
        <translation>\M month (2 digits)      /M month (1 digit if it fits)</translation>
    </message>
    <message>
        <source>\D 日(2桁)         /D 日(1桁で表せる場合1桁)</source>
        <translation>\D day (2 digits)        /D day (1 digit if it fits)</translation>
    </message>
    <message>
        <source>\h 時(2桁)         \m 分(2桁)</source>
        <translation>\h hour (2 digits)       \m minute (2 digits)</translation>
    </message>
    <message>
        <source>\s 秒(2桁)</source>
        <translation>\s second (2 digits)</translation>
    </message>
    <message>
        <source>その他の書式指定文字</source>
        <translation>Other codes</translation>
    </message>
    <message>
        <source>\N スケジュール名</source>
        <translation>\N schedule name</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogSourceDevice</name>
    <message>
        <source>ソースデバイス選択</source>
        <translation>Sound Source</translation>
    </message>
    <message>
        <source>システムの入力設定を使用する</source>
        <translation>Use the system&apos;s input setting</translation>
    </message>
    <message>
        <source>デバイス</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>入力ライン</source>
        <translation>Input line</translation>
    </message>
    <message>
        <source>指定デバイス上に入力ラインが見つかりません。</source>
        <translation>This device has no input lines to choose from.</translation>
    </message>
    <message>
        <source>サウンドデバイスから録音する</source>
        <translation>Record from a sound device</translation>
    </message>
    <message>
        <source>インターネットラジオのストリームを録音する</source>
        <translation>Record an internet radio stream</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>数秒間ストリームを受信して入力レベルを表示します（音は再生しません）</source>
        <translation>Receives the stream for a few seconds and shows its level (nothing is played)</translation>
    </message>
    <message>
        <source>ストリームを受信できませんでした。</source>
        <translation>The stream could not be received.</translation>
    </message>
    <message>
        <source>受信しています...</source>
        <translation>Receiving...</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>ストリームのURLはhttp://またはhttps://で始まるアドレスを指定してください。</source>
        <translation>Enter a stream address that begins with http:// or https://.</translation>
    </message>
</context>
<context>
    <name>tolvane::FrmDialogWaveSetting</name>
    <message>
        <source>Wave録音品質設定</source>
        <translation>WAVE Recording Settings</translation>
    </message>
    <message>
        <source>録音冒頭の無音部をカットする</source>
        <translation>Cut the silence at the start</translation>
    </message>
    <message>
        <source>録音末端の無音部をカットする</source>
        <translation>Cut the silence at the end</translation>
    </message>
    <message>
        <source>無音部でファイルを分割する</source>
        <translation>Split the file at silences</translation>
    </message>
    <message>
        <source>一定時間毎にファイルを分割する</source>
        <translation>Split the file at regular intervals of</translation>
    </message>
    <message>
        <source>MP3を作成する。11025Hzでは選べません。</source>
        <translation>Make an MP3 (not at 11025 Hz).</translation>
    </message>
    <message>
        <source>変換設定</source>
        <translation>MP3 Settings...</translation>
    </message>
    <message>
        <source>無音とみなす音圧(0以下の数または-inf)</source>
        <translation>Silence level (a number of 0 or less, or -inf)</translation>
    </message>
    <message>
        <source>ファイルを分割する無音部の長さ(正の整数)</source>
        <translation>Silence that splits the file (a positive whole number)</translation>
    </message>
    <message>
        <source>秒以上で分割</source>
        <translation>seconds or more</translation>
    </message>
    <message>
        <source>毎</source>
        <translation>each</translation>
    </message>
    <message>
        <source>MP3を作成するには本アプリケーションの起動時にMP3エンコーダencorda(LAMEを使用)が使用できるようになっている必要があります。原則的にはencordaを本アプリケーションと同じフォルダに置いて下さい。</source>
        <translation>Making MP3 files needs the MP3 encoder encorda (which uses LAME) to be available when the program starts. It belongs in the same folder as this program.</translation>
    </message>
</context>
<context>
    <name>tolvane::Frmmain</name>
    <message>
        <source>エラーが発生しました。エラー番号は%1です。%2</source>
        <translation>An error occurred. Error number %1. %2</translation>
    </message>
    <message>
        <source>スケジュール名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>曜日</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>開始時刻</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>終了時刻</source>
        <translation>End</translation>
    </message>
    <message>
        <source>有効/無効</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>フォーマット</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>保存フォルダ</source>
        <translation>Save folder</translation>
    </message>
    <message>
        <source>時間分割</source>
        <translation>Split by time</translation>
    </message>
    <message>
        <source>無音部分割</source>
        <translation>Split at silence</translation>
    </message>
    <message>
        <source>前後無音部カット</source>
        <translation>Silence cut</translation>
    </message>
    <message>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>保存フォルダ開く</source>
        <translation>Open Folder</translation>
    </message>
    <message>
        <source>標準設定編集</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>今すぐ録音</source>
        <translation>Record Now</translation>
    </message>
    <message>
        <source>録音終了</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>録音終了時刻変更</source>
        <translation>Change End</translation>
    </message>
    <message>
        <source>モニター開始</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>オプション設定</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>設定保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>録音レベル</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>0dBの音圧の入力がありました。                   (0dBに近い場合音が歪んでいる可能性があります)</source>
        <translation>Peak input: 0 dB. (Near 0 dB the sound may be distorted.)</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Dismiss</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;readme&quot;&gt;Tolvaneについて&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;readme&quot;&gt;About Tolvane&lt;/a&gt;</translation>
    </message>
    <message>
        <source>%1を削除しますか？</source>
        <translation>Delete %1?</translation>
    </message>
    <message>
        <source>モニター終了</source>
        <translation>Stop Monitor</translation>
    </message>
    <message>
        <source>現在モニター中</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>現在手動録音中終了時刻未設定</source>
        <translation>Recording now, no end time set</translation>
    </message>
    <message>
        <source>現在手動録音中終了時刻%1</source>
        <translation>Recording now until %1</translation>
    </message>
    <message>
        <source>現在予約録音中%1まで(残り%2)</source>
        <translation>Recording on schedule until %1 (%2 left)</translation>
    </message>
    <message>
        <source>現在手動録音中%1まで(残り%2)</source>
        <translation>Recording now until %1 (%2 left)</translation>
    </message>
    <message>
        <source>待機中(次の自動起動 %1)</source>
        <translation>Waiting (next wake-up %1)</translation>
    </message>
    <message>
        <source>待機中</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>MP3エンコード中 %1</source>
        <translation>Encoding MP3: %1</translation>
    </message>
    <message>
        <source>現在録音中です。このウィンドウを閉じると録音を終了しますがよろしいですか?</source>
        <translation>A recording is running. Closing this window ends it. Close anyway?</translation>
    </message>
    <message>
        <source>現在MP3へのエンコードが完了していないスケジュールがあります。このウィンドウを閉じるとエンコードは強制終了されますがよろしいですか?</source>
        <translation>Some recordings have not been encoded to MP3 yet. Closing this window stops the encoding. Close anyway?</translation>
    </message>
    <message>
        <source>設定が変更されている可能性があります。保存しますか?</source>
        <translation>The settings may have changed. Save them?</translation>
    </message>
    <message>
        <source>Windows Media形式の録音にはFFmpegのライブラリ(%1)を使用しています。</source>
        <translation>Windows Media recordings use the FFmpeg libraries (%1).</translation>
    </message>
</context>
<context>
    <name>tolvane::FrontEnd</name>
    <message>
        <source>Tolvaneの録音サービス(tolvane-cli、プロセス%1)がこのタイムテーブルを録音しているため、ウィンドウは起動しません。</source>
        <translation>The Tolvane recording service (tolvane-cli, process %1) is recording this timetable, so the window does not start.</translation>
    </message>
</context>
<context>
    <name>tolvane::LevelMeter</name>
    <message>
        <source>%1dBの入力がありました。
(0dBに近い場合音が歪んでいる可能性があります)</source>
        <translation>Peak input: %1 dB.
(Near 0 dB the sound may be distorted.)</translation>
    </message>
</context>
<context>
    <name>tolvane::RowText</name>
    <message>
        <source>有効</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>無効</source>
        <translation>No</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Su </translation>
    </message>
    <message>
        <source>月</source>
        <translation>Mo </translation>
    </message>
    <message>
        <source>火</source>
        <translation>Tu </translation>
    </message>
    <message>
        <source>水</source>
        <translation>We </translation>
    </message>
    <message>
        <source>木</source>
        <translation>Th </translation>
    </message>
    <message>
        <source>金</source>
        <translation>Fr </translation>
    </message>
    <message>
        <source>土</source>
        <translation>Sa </translation>
    </message>
    <message>
        <source>WindowsMedia形式%1</source>
        <translation>Windows Media %1</translation>
    </message>
    <message>
        <source>強制モノラル</source>
        <translation>forced mono, </translation>
    </message>
    <message>
        <source>WAVE形式%1bit%2Hz%3Ch</source>
        <translation>WAVE %1-bit %2 Hz %3 ch</translation>
    </message>
    <message>
        <source>標準の保存先%1</source>
        <translation>Default: %1</translation>
    </message>
    <message>
        <source>%1毎</source>
        <translation>every %1</translation>
    </message>
    <message>
        <source>前後カット</source>
        <translation>Start and end</translation>
    </message>
    <message>
        <source>前カット</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>後カット</source>
        <translation>End</translation>
    </message>
    <message>
        <source>カットなし(またはWindowsMedia)</source>
        <translation>None (or Windows Media)</translation>
    </message>
    <message>
        <source>MP3VBR%1</source>
        <translation>MP3 VBR %1, </translation>
    </message>
    <message>
        <source>MP3CBR%1kbps</source>
        <translation>MP3 CBR %1 kbps, </translation>
    </message>
</context>
<context>
    <name>tolvane::frontend::FrmWME</name>
    <message>
        <source>WMF設定</source>
        <translation>Windows Media Session</translation>
    </message>
    <message>
        <source>このセッションファイルを編集する。
またここでの録音ファイル名の設定は反映されません。</source>
        <translation>Edit this session file.
Its output file name is not used for recordings.</translation>
    </message>
    <message>
        <source>コーデック</source>
        <translation>Codec</translation>
    </message>
    <message>
        <source>ビットレート(bit/s)</source>
        <translation>Bit rate (bit/s)</translation>
    </message>
    <message>
        <source>サンプリング周波数</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>チャンネル</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>出力ファイル名</source>
        <translation>Output file name</translation>
    </message>
    <message>
        <source>セッションファイルパス</source>
        <translation>Session file</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Change...</translation>
    </message>
    <message>
        <source>左の設定はこの下のOKで保存され、キャンセルで破棄されます。OKをクリックするとセッションファイルパスに入力されたファイルパスに書き出されます。テキストボックスに直接ファイル名を入力することで別のファイルにすることができます。</source>
        <translation>OK below saves the settings on the left, Cancel discards them. OK writes them to the session file named above; type another file name there to write another file.</translation>
    </message>
    <message>
        <source>セッションファイル (*.wme)</source>
        <translation>Session files (*.wme)</translation>
    </message>
    <message>
        <source>エラーが発生しました。</source>
        <translation>An error occurred.</translation>
    </message>
</context>
</TS>
