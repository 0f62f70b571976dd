// The message catalogue: every row, the result rule, unknown keys.
#include "ScriptedMessagePresenter.h"
#include "messages/ShowMsg.h"

#include <QTest>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void catalogue_data();
    void catalogue();
    void unknownKeysShowNothing_data();
    void unknownKeysShowNothing();
};

using S = MessageStyle;
Q_DECLARE_METATYPE(MessageStyle)

void TestMessages::catalogue_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("subKind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<MessageStyle>("style");
    const QString t = QStringLiteral("ＴＸＴ");
    auto row = [&](const char* name, const char* kind, const char* sub, const char* title, const QString& prompt,
                   S style) {
        QTest::newRow(name) << QString::fromUtf8(kind) << QString::fromUtf8(sub) << t << QString::fromUtf8(title)
                            << prompt << style;
    };
    auto u = [](const char* s) { return QString::fromUtf8(s); };
    row("登録/確認", "登録", "確認", "登録の確認", t + u(" を登録します。よろしいですか"), S::AskYes);
    row("登録/データ確認", "登録", "データ確認", "登録の確認", u("データ ") + t + u(" を登録します。よろしいですか"), S::AskYes);
    row("登録/コード指定", "登録", "コード指定", "登録注意", u("コードが指定されていません。コードを指定してください。"), S::Info);
    row("登録/完了", "登録", "完了", "登録完了", t + u(" を登録しました。"), S::Info);
    row("登録/完了2", "登録", "完了2", "登録完了", u("データ  ") + t + u(" を登録しました。"), S::Info);
    row("登録/チェック", "登録", "チェック", "入力項目のチェック", u("入力必須項目が空白です。"), S::Info);
    row("登録/商品未登録", "登録", "商品未登録", "入力項目のチェック", u("登録商品データがありません。"), S::Info);
    row("登録/データなし", "登録", "データなし", "入力項目のチェック", u("登録がデータがありません。"), S::Info);
    row("転記/確認", "転記", "確認", "登録の確認", t + u(" に転記します。よろしいですか"), S::AskNo);
    row("削除/確認", "削除", "確認", "削除の確認", u("すべてのデータを削除します。よろしいですか"), S::AskNo);
    row("削除/確認2", "削除", "確認2", "削除の確認", t + u(" を削除します。よろしいですか"), S::AskNo);
    row("削除/伝票確認2", "削除", "伝票確認2", "削除の確認", t + u(" を削除します。よろしいですか"), S::AskNo);
    row("削除/データ確認", "削除", "データ確認", "削除の確認", u("データ ") + t + u(" を削除します。よろしいですか"), S::AskNo);
    row("削除/指定確認", "削除", "指定確認", "削除の確認", u("指定された ") + t + u(" を削除します。よろしいですか"), S::AskNo);
    row("削除/伝票完了", "削除", "伝票完了", "削除の完了", u("伝票 ") + t + u(" を削除しました。"), S::Info);
    row("削除/削除不可能", "削除", "削除不可能", "削除の拒否", t + u("削除できません。"), S::Info);
    row("削除/伝票完了2", "削除", "伝票完了2", "削除の完了", t + u(" を削除しました。"), S::Info);
    row("削除/完了", "削除", "完了", "削除の完了", u("データ ") + t + u(" を削除しました。"), S::Info);
    row("削除/削除不可", "削除", "削除不可", "削除不可",
        t + u(" にデータがあるため削除できません。メンテナンス機能で削除してください。"), S::Info);
    row("入力/上行空白", "入力", "上行空白", "入力注意", u("上の行が空白です。データは連続して指定してください。"), S::Info);
    row("入力/区分なし", "入力", "区分なし", "入力注意", u("区分が指定されていません。区分を指定してください"), S::Warn);
    row("入力/必須入力なし", "入力", "必須入力なし", "入力注意", t + u("指定されていません。確認してください"), S::Warn);
    row("入力/重複", "入力", "重複", "入力注意", t + u("が重複しています。確認してください"), S::Warn);
    row("入力/範囲外", "入力", "範囲外", "入力注意", t + u("が指定範囲外です。確認してください"), S::Warn);
    row("入力/数字のみ", "入力", "数字のみ", "入力注意", t + u("には数字以外使用できません"), S::Warn);
    row("行指定/無効行", "行指定", "無効行", "入力注意", u("無効な行が指定されています。行指定をやり直してください。"), S::Warn);
    row("行指定/指定なし", "行指定", "指定なし", "入力注意", u("行が指定されていません。行指定してください。"), S::Warn);
    row("行指定/重複", "行指定", "重複", "入力注意", u("指定行は１回に１行です。行指定をやり直してください。"), S::Warn);
    row("行指定/余白なし", "行指定", "余白なし", "行挿入注意", u("行挿入する余白はありません。"), S::Warn);
    row("クリア/確認", "クリア", "確認", "画面クリアの確認", u("画面をクリアします。よろしいですか"), S::AskNo);
    row("印刷/確認", "印刷", "確認", "印刷の確認", t + u("を印刷します。よろしいですか"), S::AskNo);
    row("その他/コピー完了", "その他", "コピー完了", "コピー完了", t + u("コピーしました。"), S::Info);
    row("その他/読込み完了", "その他", "読込み完了", "読込完了", t + u("読込みしました。"), S::Info);
    row("その他/メッセージ", "その他", "メッセージ", "キーチェック", t, S::Info);
    row("その他/注意", "その他", "注意", "注意", t, S::Warn);
    row("その他/ファイルなし", "その他", "ファイルなし", "キーチェック", t + u("がありません。確認してください。"), S::Info);
    row("その他/確認", "その他", "確認", "確認", t + u("、よろしいですか"), S::AskYes);
    row("その他/破棄確認", "その他", "破棄確認", "確認", t + u("、よろしいですか"), S::AskNo);
    row("その他/金額破棄確認", "その他", "金額破棄確認", "確認", u("入力した金額は登録されていません。") + t, S::AskNo);
}

// Each row shows its box once; only a Yes to a question gives true.
void TestMessages::catalogue()
{
    QFETCH(QString, kind);
    QFETCH(QString, subKind);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, prompt);
    QFETCH(MessageStyle, style);
    const bool question = style == S::AskYes || style == S::AskNo;
    for (const bool answer : {true, false}) {
        ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
        presenter.answers = {answer};
        QCOMPARE(ShowMsg(kind, subKind, text), question && answer);
        QCOMPARE(presenter.shown.size(), 1);
        QCOMPARE(presenter.shown[0].title, title);
        QCOMPARE(presenter.shown[0].prompt, prompt);
        QCOMPARE(presenter.shown[0].style, style);
    }
}

void TestMessages::unknownKeysShowNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("subKind");
    QTest::newRow("unknown kind") << QStringLiteral("更新") << QStringLiteral("確認");
    QTest::newRow("sub-kind with trailing blank") << QStringLiteral("登録") << QStringLiteral("確認 ");
    QTest::newRow("sub-kind unknown in its group") << QStringLiteral("クリア") << QStringLiteral("完了");
    QTest::newRow("full-width digit differs") << QStringLiteral("登録") << QStringLiteral("完了２");
    QTest::newRow("empty") << QString() << QString();
}

void TestMessages::unknownKeysShowNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, subKind);
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    QCOMPARE(ShowMsg(kind, subKind, QStringLiteral("x")), false);
    QVERIFY(presenter.shown.isEmpty());
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
