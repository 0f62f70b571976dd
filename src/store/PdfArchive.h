#pragma once
#include <QList>
#include <QString>

// The archive of every PDF file that went out with receipt numbers: a copy of each, read-only,
// under 保存PDF/YYYY-MM/ in the data folder. The program adds to it and never removes a file.
class PdfArchive {
public:
    explicit PdfArchive(QString folder) : folder_(std::move(folder)) {}
    // The folder chosen for the data open now, or else 保存PDF in its data folder.
    static PdfArchive ofOpenData();
    static PdfArchive inDataFolder(); // 保存PDF in the data folder, whatever was chosen
    static QString folderName() { return QStringLiteral("保存PDF"); }

    const QString& folder() const { return folder_; }

    // A copy of `path` kept: its SHA-256 (hexadecimal) and where it is, relative to folder().
    struct Kept {
        QString sha256;
        QString archived;
        QString error; // in Japanese, when nothing was kept
    };
    Kept keep(const QString& path) const;

    // How the kept files compare with what the register says of them.
    struct Recorded {
        QString archived;
        QString sha256;
    };
    struct Finding {
        enum class Kind { Changed, Missing, Renamed };
        Kind kind;
        QString archived;
        QString foundAs; // for a renamed file: where it is now
    };
    struct Check {
        qint64 intact = 0;
        QList<Finding> findings; // in the order of `recorded`
    };
    // A file is renamed when it is missing under its name but a file of its content is kept
    // under another name the register does not know.
    Check check(const QList<Recorded>& recorded) const;

    // Copies every kept file into `target`, under the same relative names, so that the register
    // finds them there; a file already there with the same content is left as it is. All or
    // nothing: on failure the files copied so far are removed again. Nothing is removed here.
    // Empty when done, else why not (in Japanese); `copied` gets the number of files copied.
    QString copyInto(const QString& target, qint64* copied = nullptr) const;

    static QString sha256Of(const QString& path); // empty when unreadable

private:
    QString folder_;
};
