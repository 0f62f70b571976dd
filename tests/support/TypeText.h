#pragma once
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QTest>

// Types text into a widget as a user would: ASCII through key presses, Japanese and other
// text through the input method's commit, as an IME delivers it.
inline void typeText(QWidget* widget, const QString& text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7F;
    if (ascii) {
        QTest::keyClicks(widget, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(widget, &commit);
}
