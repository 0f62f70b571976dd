#include "report/CellTexts.h"

namespace {

// Large enough that a run needs few blocks, small enough that the last one wastes little.
constexpr size_t BlockUnits = 32 * 1024;

// Walks one stored cell: its own texts by slot.
class Reader {
public:
    explicit Reader(const char16_t* record) : at_(record + 1), left_(record[0]) {}
    bool next()
    {
        if (left_ == 0)
            return false;
        --left_;
        slot_ = at_[0];
        size_ = qsizetype(at_[1]) << 16 | at_[2];
        text_ = at_ + 3;
        at_ += 3 + size_;
        return true;
    }
    int slot() const { return slot_; }
    QString text() const { return QString(reinterpret_cast<const QChar*>(text_), size_); }
    // Units from the record's start to past its last text.
    qsizetype unitsFrom(const char16_t* record) const { return at_ - record; }

private:
    const char16_t* at_;
    int left_;
    int slot_ = 0;
    qsizetype size_ = 0;
    const char16_t* text_ = nullptr;
};

} // namespace

void CellTexts::clear()
{
    common_.clear();
    blocks_.clear();
    places_.clear();
}

size_t CellTexts::unitsOf(const QStringList& texts) const
{
    size_t units = 1;
    for (qsizetype slot = 0; slot < texts.size(); ++slot)
        if (texts.at(slot) != common_.at(slot))
            units += 3 + size_t(texts.at(slot).size());
    return units;
}

void CellTexts::encode(const QStringList& texts, std::vector<char16_t>& out) const
{
    const size_t head = out.size();
    out.push_back(0);
    for (qsizetype slot = 0; slot < texts.size(); ++slot) {
        const QString& text = texts.at(slot);
        if (text == common_.at(slot))
            continue;
        ++out[head];
        out.push_back(char16_t(slot));
        out.push_back(char16_t(quint32(text.size()) >> 16));
        out.push_back(char16_t(text.size() & 0xFFFF));
        out.insert(out.end(), text.utf16(), text.utf16() + text.size());
    }
}

CellTexts::Place CellTexts::store(const QStringList& texts)
{
    const size_t units = unitsOf(texts);
    if (blocks_.empty() || blocks_.back().units.capacity() - blocks_.back().units.size() < units) {
        blocks_.emplace_back();
        blocks_.back().units.reserve(std::max(units, BlockUnits));
    }
    Block& block = blocks_.back();
    const Place place{quint32(blocks_.size() - 1), quint32(block.units.size())};
    encode(texts, block.units);
    ++block.cells;
    return place;
}

void CellTexts::append(const QStringList& texts)
{
    if (places_.empty())
        common_ = texts;
    places_.push_back(store(texts));
}

QStringList CellTexts::texts(qsizetype cell) const
{
    QStringList texts = common_;
    Reader reader(at(places_[size_t(cell)]));
    while (reader.next())
        texts[reader.slot()] = reader.text();
    return texts;
}

QString CellTexts::text(qsizetype cell, int slot) const
{
    Reader reader(at(places_[size_t(cell)]));
    while (reader.next())
        if (reader.slot() == slot)
            return reader.text();
    return common_.at(slot);
}

// A cell is changed in place where it still fits, else stored anew at the end: texts change
// rarely (renumbering, the copy mark), and mostly to texts no longer than before.
void CellTexts::setText(qsizetype cell, int slot, const QString& text)
{
    QStringList texts = this->texts(cell);
    if (texts.at(slot) == text)
        return;
    texts[slot] = text;
    Place& place = places_[size_t(cell)];
    const char16_t* old = at(place);
    Reader reader(old);
    while (reader.next()) {
    }
    if (unitsOf(texts) > size_t(reader.unitsFrom(old))) {
        const quint32 left = place.block;
        place = store(texts);
        Block& block = blocks_[left];
        if (--block.cells == 0 && left + 1 != blocks_.size())
            std::vector<char16_t>().swap(block.units); // frees it, which clear() would not
        return;
    }
    std::vector<char16_t> record;
    encode(texts, record);
    std::copy(record.begin(), record.end(), blocks_[place.block].units.begin() + place.offset);
}
