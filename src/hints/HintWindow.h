#pragma once
#include "hints/HintHandOver.h"
#include "store/StoreResult.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// The hint window "Hint": shows the hint of one (window, control) key and lets the user unlock,
// save, clear and delete it. The three key labels are the only copy of the key it works on.
class HintWindow : public QWidget {
public:
    static inline const QString Caption = QStringLiteral("ヒント        ");
    static inline const QString InitialText = QStringLiteral("Contents");
    // Button colour of the two edit modes: locked (&HCDD1D1) and editing (&H8080FF).
    static QColor lockedColour() { return QColor(0xD1, 0xD1, 0xCD); }
    static QColor editingColour() { return QColor(0xFF, 0x80, 0x80); }

    explicit HintWindow(QWidget* parent = nullptr);

    // Takes the key from the hand-over, shows "Contents" locked, reads the hint and shows the window.
    void Form_Load(const HintHandOver& handOver);
    // A hint button pressed while the window is open: loads the new key, after asking when the
    // text has unsaved edits; the same key only brings the window to the front.
    void SwitchKey(const HintHandOver& handOver);
    bool isLoaded() const { return loaded_; }
    bool hasUnsavedEdits() const;

    StoreResult Deleteヒント();
    StoreResult EntryHint();
    void ReadHint();

    void cmdクリア_Click();
    void cmd削除_Click();
    void cmd登録_Click();
    void cmd閉じる_Click();
    void cmd編集_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    QToolButton* addButton(QWidget* bar, const char* name, const QString& caption, const QString& art,
                           int left, int width);
    void setEditing(bool editing);
    bool hasKey() const;
    void bringToFront();

    QFrame* ImFrame3D1 = nullptr;
    QFrame* ImFrame3D6 = nullptr;
    QFrame* ImFrame3D2 = nullptr;
    QToolButton* cmd編集 = nullptr;
    QToolButton* cmd登録 = nullptr;
    QToolButton* cmd削除 = nullptr;
    QToolButton* cmdクリア = nullptr;
    QToolButton* cmd閉じる = nullptr;
    QLabel* lblFormTitle = nullptr;
    QLabel* lblFormName = nullptr;
    QLabel* lblCtlName = nullptr;
    QPlainTextEdit* txtContents = nullptr;

    QString unchangedText_; // what txtContents showed after the last read, save or delete
    bool loaded_ = false;
    bool placed_ = false;
};
