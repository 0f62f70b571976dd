#pragma once
#include <QStringList>

#include <vector>

// The formatted texts of every cell of a run, kept small: a cell keeps only the texts in which
// it differs from the first cell, packed into large shared blocks, so that a long run costs a
// few dozen bytes per cell and no allocation of its own. A cell that outgrows its place moves
// to the end; a block is given back once no cell is left in it, so that changing every cell
// in order (marking all as copies) needs little more than the run itself.
class CellTexts {
public:
    // Starts over; the first cell appended sets the texts the others are kept against.
    void clear();
    void append(const QStringList& texts);
    qsizetype size() const { return qsizetype(places_.size()); }
    void reserve(qsizetype cells) { places_.reserve(size_t(cells)); }

    QStringList texts(qsizetype cell) const;
    QString text(qsizetype cell, int slot) const;
    void setText(qsizetype cell, int slot, const QString& text);

private:
    // A cell's texts: the count of its own texts, then each as slot, length (two units) and
    // characters.
    struct Place {
        quint32 block = 0;
        quint32 offset = 0;
    };
    struct Block {
        std::vector<char16_t> units;
        qsizetype cells = 0;
    };
    QStringList common_;
    std::vector<Block> blocks_;
    std::vector<Place> places_;

    size_t unitsOf(const QStringList& texts) const;
    void encode(const QStringList& texts, std::vector<char16_t>& out) const;
    Place store(const QStringList& texts);
    const char16_t* at(Place place) const { return blocks_[place.block].units.data() + place.offset; }
};
