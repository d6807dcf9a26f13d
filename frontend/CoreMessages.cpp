#include "CoreMessages.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace tolvane::CoreMessages {

namespace {

constexpr char kContext[] = "CoreMessages";
// Parts filled into a message may be messages themselves (the reason inside "cannot start"),
// but never deeper than this.
constexpr int kDepthLimit = 4;

// A whole message matches from its first character to its last. A piece is a sentence that is
// appended to others; it is translated wherever it stands in a text no whole message matches.
enum class Kind { Whole, Piece };

struct Entry {
    const char *source;
    Kind kind;
};

// Each text exactly as its maker writes it.
const Entry kEntries[] = {
    // common
    {QT_TRANSLATE_NOOP("CoreMessages", "%1エラー番号は%2です。\n%3"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "エラーが発生しました。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "ファイルが開けませんでした。書き込み可能なドライブを選択しているか確認して下さい。"),
     Kind::Whole},
    // the controller
    {QT_TRANSLATE_NOOP("CoreMessages", "0以上の数でなければなりません。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "ステータス異常が発生しました。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages",
                       "MP3へのエンコード中にエラーが発生しました。このエンコードを中止します。エラー番号は%1です。%2"),
     Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "保存フォルダ %1 の空き容量が不足する見込みです。今後1週間の録音%2件に約%3必要ですが、"
                                       "空きは%4です。"),
     Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "%1 の録音には約%2必要ですが、保存フォルダ %3 の空きは%4です。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "録音中に音が途切れました。失われた%1フレーム(%2秒)は無音で補いました。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "ログファイル %1 に書き込めません(エラー番号%2: %3)。録音はそのまま続けます。"),
     Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "バッファ長 %1 秒は長すぎるため、録音には %2 秒を使います。"), Kind::Whole},
    // schedules and their files
    {QT_TRANSLATE_NOOP("CoreMessages", "NoSounddBは0以下の数か-infでなければならない"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "%1が見つからず作成も失敗したため%2の保存フォルダを%3に設定しました。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "スケジュール「%1」の開始時刻「%2」が時刻として読めないため、"
                                       "このスケジュールは開始されません。"),
     Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "schedule.txtの内容が不正です。現在のschedule.txtを破棄します。"
                                       "アプリケーションを再起動して下さい。現在のschedule.txtはschedule.bakにリネームされています。"
                                       "ファイル内容をテキストエディタなどで変更していない場合はOstrelまでご連絡下さい。"),
     Kind::Whole},
    // capture and mixer
    {QT_TRANSLATE_NOOP("CoreMessages", "DirectXコールバック発生時に予期せぬエラーが発生しました。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "システム上にミキサーデバイスが存在しません。"), Kind::Whole},
    // the MP3 encoder, as the recorder tells of it
    {QT_TRANSLATE_NOOP("CoreMessages", "MP3エンコーダ(%1)を起動できません: %2"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "応答が違います(プロトコル %1)"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "応答せずに終了しました"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "応答がありません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "MP3エンコーダ(%1)がエンコード中に%2。%3"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "異常終了しました"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "終了しました(終了コード %1)"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "書き込めません: "), Kind::Piece},
    {QT_TRANSLATE_NOOP("CoreMessages", "応答の並びが壊れています"), Kind::Piece},
    {QT_TRANSLATE_NOOP("CoreMessages", "途中までのMP3ファイル %1 を削除できません。"), Kind::Piece},
    {QT_TRANSLATE_NOOP("CoreMessages", "WAVEファイルは %1 に残っています。"), Kind::Piece},
    // the MP3 encoder, as it tells of itself
    {QT_TRANSLATE_NOOP("CoreMessages", "壊れた呼び出しです(種類 %1)"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "前のエンコードが終わっていません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "未知の呼び出しです(種類 %1)"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "エラーが発生しました errcode = %1"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "%1: %2 に名前を変更できません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "入力周波数は正の数でなければなりません。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "%1: 削除できません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "%1: %2 に名前を戻せません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "%1: WAVEファイルとして読めません(%2)"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "RIFF WAVEではありません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "dataチャンクがありません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "fmtチャンクがありません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "fmtチャンクが短すぎます"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "8bitか16bitのPCM、1か2チャンネルのみ扱えます"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "fmtチャンクがdataチャンクの後にあります"), Kind::Whole},
    // the schedule editor's checks, which tolvane-cli schedule makes too
    {QT_TRANSLATE_NOOP("CoreMessages", "/\\は日付/時刻表示書式指定文字の1文字目としてのみ使用可能です。:,;*?\"<>|は使用不可能です。"),
     Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "秒数は正の整数でなければなりません"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "ファイルを分割する無音部の長さには正の整数を入力してください。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "分割時間は1秒以上を指定して下さい"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "無音とみなす音圧には0以下の数または半角文字で-infを入力してください。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "waveファイルのサイズが約2GBに達する、または超えます。このままの場合録音時に自動分割します。"
                                       "このままでよろしいですか?"),
     Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "重複するスケジュール名が存在しますが、よろしいですか?"), Kind::Whole},
    // the window's own, logged as they stand
    {QT_TRANSLATE_NOOP("CoreMessages", "%1を開けませんでした。"), Kind::Whole},
    {QT_TRANSLATE_NOOP("CoreMessages", "一つのノードは子ノードを持つかデータを持つかどちらも持たないかのどちらかです"),
     Kind::Whole},
};

struct Pattern {
    QString source;
    Kind kind;
    QRegularExpression expression;
    // The placeholder number behind each capture, in the order they stand.
    std::vector<int> numbers;
};

const std::vector<Pattern> &Patterns()
{
    static const std::vector<Pattern> patterns = [] {
        static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
        std::vector<Pattern> all;
        for (const Entry &e : kEntries) {
            Pattern p{QString::fromUtf8(e.source), e.kind, {}, {}};
            QString expression;
            qsizetype at = 0;
            for (const QRegularExpressionMatch &m : placeholder.globalMatch(p.source)) {
                expression += QRegularExpression::escape(p.source.mid(at, m.capturedStart() - at));
                // A piece's part ends at the first character that follows it.
                expression += QStringLiteral("(.*?)");
                p.numbers.push_back(m.captured(1).toInt());
                at = m.capturedEnd();
            }
            expression += QRegularExpression::escape(p.source.mid(at));
            if (p.kind == Kind::Whole)
                expression = QStringLiteral("\\A") + expression + QStringLiteral("\\z");
            p.expression = QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
            all.push_back(std::move(p));
        }
        // Where one message could hold another ("... error number %1. %2" with a description
        // that is itself such a text), the message with more of its own words is the one meant.
        std::stable_sort(all.begin(), all.end(), [](const Pattern &a, const Pattern &b) {
            return a.source.size() - 2 * qsizetype(a.numbers.size()) > b.source.size() - 2 * qsizetype(b.numbers.size());
        });
        return all;
    }();
    return patterns;
}

QString Translate(const QString &text, int depth);

// The translated form of a matched message, its parts translated in turn and filled in where
// the translation puts them, all in one pass so that a part's own "%1" stays as it is.
QString Fill(const Pattern &p, const QRegularExpressionMatch &m, int depth)
{
    QStringList parts(10);
    for (size_t i = 0; i < p.numbers.size(); ++i)
        parts[p.numbers[i]] = Translate(m.captured(static_cast<int>(i) + 1), depth + 1);
    const QString translated = QCoreApplication::translate(kContext, p.source.toUtf8().constData());
    QString result;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        if (translated[i] == u'%' && i + 1 < translated.size() && translated[i + 1].isDigit()) {
            result += parts[translated[i + 1].digitValue()];
            ++i;
        } else {
            result += translated[i];
        }
    }
    return result;
}

QString Translate(const QString &text, int depth)
{
    if (depth > kDepthLimit || text.isEmpty())
        return text;
    for (const Pattern &p : Patterns()) {
        if (p.kind != Kind::Whole)
            continue;
        const QRegularExpressionMatch m = p.expression.match(text);
        if (m.hasMatch())
            return Fill(p, m, depth);
    }
    QString result = text;
    for (const Pattern &p : Patterns()) {
        if (p.kind != Kind::Piece)
            continue;
        QString replaced;
        qsizetype at = 0;
        for (const QRegularExpressionMatch &m : p.expression.globalMatch(result)) {
            replaced += result.mid(at, m.capturedStart() - at) + Fill(p, m, depth);
            at = m.capturedEnd();
        }
        result = replaced + result.mid(at);
    }
    return result;
}

}  // namespace

QString Translate(const QString &japanese)
{
    return Translate(japanese, 0);
}

QStringList Sources()
{
    QStringList sources;
    for (const Pattern &p : Patterns())
        sources << p.source;
    return sources;
}

}  // namespace tolvane::CoreMessages
