#pragma once
// Reads comma- or tab-separated text the way spreadsheet programs write it: a field in double
// quotes may hold separators, line breaks and doubled quotes; CRLF, LF or CR end a record.
// The text is already decoded (see TextDecoding); the writer is CsvText.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace CsvReader {

struct Record {
    int line = 0; // the line the record starts on, counted from 1
    QStringList fields;
    bool unclosedQuote = false; // a quoted field ran to the end of the text
};

// Every record of `text`, empty lines included (as one empty field). A quote inside an
// unquoted field is an ordinary character; text after a closing quote joins the field, as
// spreadsheets read it.
QList<Record> records(QStringView text, QChar separator);

// Tab when the first line holds more tabs than commas, otherwise comma.
QChar guessSeparator(QStringView text);

} // namespace CsvReader
