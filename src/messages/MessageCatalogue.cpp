#include "messages/MessageCatalogue.h"

namespace {

struct Row {
    const char* kind;
    const char* subKind;
    const char* title;
    const char* prefix; // prompt = prefix + text + suffix when usesText, else prefix alone
    bool usesText;
    const char* suffix;
    MessageStyle style;
};

using S = MessageStyle;

// The whole catalogue, in the order each group is searched.
const Row rows[] = {
    {"登録", "確認", "登録の確認", "", true, " を登録します。よろしいですか", S::AskYes},
    {"登録", "データ確認", "登録の確認", "データ ", true, " を登録します。よろしいですか", S::AskYes},
    {"登録", "コード指定", "登録注意", "コードが指定されていません。コードを指定してください。", false, "", S::Info},
    {"登録", "完了", "登録完了", "", true, " を登録しました。", S::Info},
    {"登録", "完了2", "登録完了", "データ  ", true, " を登録しました。", S::Info},
    {"登録", "年号変更", "登録完了", "", true,
     " を登録しました。\n変えた年号は、次にプログラムを起動したときから領収証の日付に使われます。", S::Info},
    {"登録", "チェック", "入力項目のチェック", "入力必須項目が空白です。", false, "", S::Info},
    {"登録", "商品未登録", "入力項目のチェック", "登録商品データがありません。", false, "", S::Info},
    {"登録", "データなし", "入力項目のチェック", "登録がデータがありません。", false, "", S::Info},

    {"転記", "確認", "登録の確認", "", true, " に転記します。よろしいですか", S::AskNo},

    {"削除", "確認", "削除の確認", "すべてのデータを削除します。よろしいですか", false, "", S::AskNo},
    {"削除", "確認2", "削除の確認", "", true, " を削除します。よろしいですか", S::AskNo},
    {"削除", "伝票確認2", "削除の確認", "", true, " を削除します。よろしいですか", S::AskNo},
    {"削除", "データ確認", "削除の確認", "データ ", true, " を削除します。よろしいですか", S::AskNo},
    {"削除", "指定確認", "削除の確認", "指定された ", true, " を削除します。よろしいですか", S::AskNo},
    {"削除", "伝票完了", "削除の完了", "伝票 ", true, " を削除しました。", S::Info},
    {"削除", "削除不可能", "削除の拒否", "", true, "削除できません。", S::Info},
    {"削除", "伝票完了2", "削除の完了", "", true, " を削除しました。", S::Info},
    {"削除", "完了", "削除の完了", "データ ", true, " を削除しました。", S::Info},
    {"削除", "削除不可", "削除不可", "", true,
     " にデータがあるため削除できません。メンテナンス機能で削除してください。", S::Info},

    {"入力", "上行空白", "入力注意", "上の行が空白です。データは連続して指定してください。", false, "", S::Info},
    {"入力", "区分なし", "入力注意", "区分が指定されていません。区分を指定してください", false, "", S::Warn},
    {"入力", "必須入力なし", "入力注意", "", true, "指定されていません。確認してください", S::Warn},
    {"入力", "重複", "入力注意", "", true, "が重複しています。確認してください", S::Warn},
    {"入力", "範囲外", "入力注意", "", true, "が指定範囲外です。確認してください", S::Warn},
    {"入力", "数字のみ", "入力注意", "", true, "には数字以外使用できません", S::Warn},

    {"行指定", "無効行", "入力注意", "無効な行が指定されています。行指定をやり直してください。", false, "", S::Warn},
    {"行指定", "指定なし", "入力注意", "行が指定されていません。行指定してください。", false, "", S::Warn},
    {"行指定", "重複", "入力注意", "指定行は１回に１行です。行指定をやり直してください。", false, "", S::Warn},
    {"行指定", "余白なし", "行挿入注意", "行挿入する余白はありません。", false, "", S::Warn},

    {"クリア", "確認", "画面クリアの確認", "画面をクリアします。よろしいですか", false, "", S::AskNo},

    {"印刷", "確認", "印刷の確認", "", true, "を印刷します。よろしいですか", S::AskNo},

    {"その他", "コピー完了", "コピー完了", "", true, "コピーしました。", S::Info},
    {"その他", "読込み完了", "読込完了", "", true, "読込みしました。", S::Info},
    {"その他", "メッセージ", "キーチェック", "", true, "", S::Info},
    {"その他", "注意", "注意", "", true, "", S::Warn},
    {"その他", "ファイルなし", "キーチェック", "", true, "がありません。確認してください。", S::Info},
    {"その他", "確認", "確認", "", true, "、よろしいですか", S::AskYes},
    // A question whose Yes throws the user's unsaved work away: Enter must not answer it.
    {"その他", "破棄確認", "確認", "", true, "、よろしいですか", S::AskNo},
    // Before a load replaces amounts typed into the list but not registered with it.
    {"その他", "金額破棄確認", "確認", "入力した金額は登録されていません。", true, "", S::AskNo},
};

} // namespace

namespace MessageCatalogue {

std::optional<MessageBoxSpec> find(const QString& kind, const QString& subKind, const QString& text)
{
    for (const Row& row : rows) {
        if (kind != QString::fromUtf8(row.kind) || subKind != QString::fromUtf8(row.subKind))
            continue;
        QString prompt = QString::fromUtf8(row.prefix);
        if (row.usesText)
            prompt += text + QString::fromUtf8(row.suffix);
        return MessageBoxSpec{QString::fromUtf8(row.title), prompt, row.style};
    }
    return std::nullopt;
}

} // namespace MessageCatalogue
