#include "report/PdfRewriter.h"

#include "report/PdfTextLayer.h"

#include <QCryptographicHash>
#include <QHash>
#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>

namespace PdfRewriter {

namespace {

// Where each object of the file starts, from the one cross-reference table the writer puts at
// its end, and the trailer after it.
struct Table {
    QList<qint64> offsets; // by object number; -1 for a free entry
    QList<int> inFileOrder;
    QList<qsizetype> placeOf; // by object number: its place in inFileOrder
    qint64 at = 0;
    QByteArray trailer; // "<< ... >>"

    // Where the object at a place in the file ends: where the next one, or the table, begins.
    qint64 endOf(qsizetype place) const
    {
        return place + 1 < inFileOrder.size() ? offsets.at(inFileOrder.at(place + 1)) : at;
    }
};

constexpr qsizetype EntrySize = 20;

bool readTable(QIODevice& in, Table* table)
{
    const qint64 size = in.size();
    const qint64 tailAt = std::max<qint64>(0, size - 1024);
    if (!in.seek(tailAt))
        return false;
    const QByteArray tail = in.read(size - tailAt);
    const qsizetype startxref = tail.lastIndexOf("startxref");
    if (startxref < 0)
        return false;
    bool ok = false;
    table->at = tail.mid(startxref + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || table->at <= 0 || table->at >= tailAt + startxref || !in.seek(table->at))
        return false;
    const QByteArray opening = in.read(64);
    static const QRegularExpression heading(QStringLiteral(R"(^xref\n0 (\d+)\n)"));
    const auto m = heading.match(QString::fromLatin1(opening));
    const qsizetype count = m.hasMatch() ? m.captured(1).toLongLong() : 0;
    if (count <= 0 || !in.seek(table->at + m.capturedLength(0)))
        return false;
    // Read a few thousand entries at a time: a long run's table runs to megabytes.
    constexpr qsizetype EntriesPerRead = 4096;
    table->offsets.reserve(count);
    table->inFileOrder.reserve(count);
    for (qsizetype first = 0; first < count; first += EntriesPerRead) {
        const qsizetype read = std::min(EntriesPerRead, count - first);
        const QByteArray entries = in.read(read * EntrySize);
        if (entries.size() != read * EntrySize)
            return false;
        for (qsizetype number = first; number < first + read; ++number) {
            const QByteArrayView entry = QByteArrayView(entries).sliced((number - first) * EntrySize, EntrySize);
            const qint64 offset = entry.first(10).toByteArray().toLongLong(&ok);
            if (!ok || (entry.at(17) != 'n' && entry.at(17) != 'f'))
                return false;
            const bool used = entry.at(17) == 'n' && number > 0;
            if (used && (offset <= 0 || offset >= table->at))
                return false;
            table->offsets.append(used ? offset : -1);
            if (used)
                table->inFileOrder.append(int(number));
        }
    }
    std::sort(table->inFileOrder.begin(), table->inFileOrder.end(),
              [table](int a, int b) { return std::pair(table->offsets.at(a), a) < std::pair(table->offsets.at(b), b); });
    table->placeOf.fill(-1, count);
    for (qsizetype place = 0; place < table->inFileOrder.size(); ++place)
        table->placeOf[table->inFileOrder.at(place)] = place;
    // The trailer follows the table and is the file's only one.
    const QByteArray rest = in.read(tailAt + startxref - in.pos());
    if (!rest.startsWith("trailer") || rest.indexOf("<<") < 0 || rest.lastIndexOf(">>") < 0)
        return false;
    table->trailer = rest.mid(rest.indexOf("<<"), rest.lastIndexOf(">>") + 2 - rest.indexOf("<<"));
    return !table->inFileOrder.isEmpty();
}

// One object as the writer wrote it: "N 0 obj\n", its dictionary (or other value), and for a
// stream "stream\n", its bytes and "\nendstream\n"; then "endobj\n".
struct Object {
    QByteArray head;
    QByteArray data;
    bool isStream = false;
};

const QByteArray streamOpening = "\nstream\n";
const QByteArray streamEnd = "\nendstream\nendobj\n";
const QByteArray objectEnd = "endobj\n";

QByteArray read(QIODevice& in, qint64 at, qint64 length)
{
    if (!in.seek(at))
        return {};
    return in.read(length);
}

bool parse(const QByteArray& span, int number, Object* object);

// The whole object `number` of a file.
bool readWhole(QIODevice& in, const Table& table, int number, Object* object)
{
    const qint64 at = table.offsets.at(number);
    return parse(read(in, at, table.endOf(table.placeOf.at(number)) - at), number, object);
}

bool parse(const QByteArray& span, int number, Object* object)
{
    const QByteArray opening = QByteArray::number(number) + " 0 obj\n";
    if (!span.startsWith(opening) || !span.endsWith(objectEnd))
        return false;
    object->isStream = span.endsWith(streamEnd);
    if (!object->isStream) {
        object->head = span.mid(opening.size(), span.size() - opening.size() - objectEnd.size());
        return true;
    }
    const qsizetype streamAt = span.indexOf(streamOpening, opening.size() - 1);
    const qsizetype dataAt = streamAt + streamOpening.size();
    if (streamAt < 0 || dataAt > span.size() - streamEnd.size())
        return false;
    object->head = span.mid(opening.size(), streamAt + 1 - opening.size());
    object->data = span.mid(dataAt, span.size() - streamEnd.size() - dataAt);
    return true;
}

// What the rewriting needs to know of an object before it reaches it.
enum Role : quint8 {
    Dropped = 1,     // left out: an empty annotation list, a length, a repeated resource dictionary
    PageDrawing = 2, // a page's content stream
    UnicodeMap = 4,  // a font's ToUnicode map
    Picture = 8,     // an image, its soft mask or a form: a stream of type XObject
};

struct Plan {
    QList<quint8> roles;     // by object number
    QList<int> referredAs;   // by object number: the object a reference to it names instead
    QHash<int, std::pair<qsizetype, int>> sameAs; // a picture written once for all: its part and number
    QHash<QByteArray, QByteArray> subsetTags;
    int pages = 0; // the page tree's root
};

// "N 0 R" at `at`: N and the reference's length; 0 when none stands there.
int referenceAt(QByteArrayView text, qsizetype at, qsizetype* length = nullptr)
{
    qsizetype end = at;
    while (end < text.size() && text.at(end) >= '0' && text.at(end) <= '9')
        ++end;
    if (end == at || end - at > 9 || !text.sliced(end).startsWith(" 0 R"))
        return 0;
    if (length)
        *length = end - at + 4;
    return text.sliced(at, end - at).toInt();
}

// The object a dictionary entry ("/Key N 0 R") names; 0 when it names none.
int referenceIn(QByteArrayView key, QByteArrayView head)
{
    const qsizetype at = head.indexOf(key);
    return at < 0 ? 0 : referenceAt(head, at + key.size());
}

bool isPage(QByteArrayView head)
{
    return head.contains("/Type /Page\n") || head.contains("/Type /Page ");
}

// Reads the start of every object (a dictionary stands before its stream's bytes) and the
// dictionaries pages refer to, and decides what is left out and what is shared.
bool makePlan(QIODevice& in, const Table& table, Plan* plan)
{
    const qsizetype count = table.offsets.size();
    plan->roles.fill(0, count);
    plan->referredAs.resize(count);
    for (int number = 0; number < count; ++number)
        plan->referredAs[number] = number;
    auto known = [&](int number) { return number > 0 && number < count && table.offsets.at(number) > 0; };
    auto whole = [&](int number, Object* object) { return readWhole(in, table, number, object); };
    const QByteArrayView contents = "/Contents ";
    const QByteArrayView resources = "/Resources ";
    const QByteArrayView annots = "/Annots ";
    const QByteArrayView length = "/Length ";
    QHash<QByteArray, int> resourcesByContent;
    for (qsizetype place = 0; place < table.inFileOrder.size(); ++place) {
        const int number = table.inFileOrder.at(place);
        const qint64 at = table.offsets.at(number);
        QByteArray head = read(in, at, std::min<qint64>(table.endOf(place) - at, 4096));
        if (const qsizetype streamAt = head.indexOf(streamOpening); streamAt >= 0) {
            head.truncate(streamAt);
            if (head.contains("/Type /XObject"))
                plan->roles[number] |= Picture;
        }
        PdfTextLayer::learnSubsetTag(head, &plan->subsetTags);
        if (const int map = PdfTextLayer::toUnicodeOf(head); known(map))
            plan->roles[map] |= UnicodeMap;
        if (const int lengthObject = referenceIn(length, head); known(lengthObject))
            plan->roles[lengthObject] |= Dropped;
        if (head.contains("/Type /Pages"))
            plan->pages = number;
        if (!isPage(head))
            continue;
        if (const int drawing = referenceIn(contents, head); known(drawing))
            plan->roles[drawing] |= PageDrawing;
        if (const int list = referenceIn(annots, head); known(list)) {
            Object annotations;
            if (whole(list, &annotations) &&
                annotations.head.simplified().replace(' ', "") == "[]")
                plan->roles[list] |= Dropped;
        }
        if (const int dictionary = referenceIn(resources, head); known(dictionary)) {
            Object shared;
            if (!whole(dictionary, &shared) || shared.isStream)
                continue;
            const int first = resourcesByContent.value(shared.head, dictionary);
            resourcesByContent.insert(shared.head, first);
            if (first != dictionary) {
                plan->roles[dictionary] |= Dropped;
                plan->referredAs[dictionary] = first;
            }
        }
    }
    return true;
}

// Writes the objects of every part numbered anew, in the order of first mention, and remembers
// where each went. The parts' pages hang from the first part's page tree.
class Writer {
public:
    Writer(QIODevice& out, const QList<Plan>& plans) : out_(out), plans_(plans)
    {
        for (const Plan& plan : plans)
            numbers_.append(QList<int>(plan.roles.size(), 0));
    }

    bool write(QByteArrayView bytes)
    {
        if (failed_ || out_.write(bytes.data(), bytes.size()) != bytes.size())
            failed_ = true;
        at_ += bytes.size();
        return !failed_;
    }
    bool failed() const { return failed_; }

    // The new number of what a reference to `old` in `part` names; 0 when it names nothing kept.
    int numberFor(qsizetype part, int old)
    {
        if (part > 0 && old == plans_.at(part).pages)
            return numberFor(0, plans_.first().pages);
        QList<int>& numbers = numbers_[part];
        const Plan& plan = plans_.at(part);
        if (old <= 0 || old >= numbers.size())
            return 0;
        if (const auto same = plan.sameAs.constFind(old); same != plan.sameAs.cend())
            return numberFor(same->first, same->second);
        old = plan.referredAs.at(old);
        if (plan.roles.at(old) & Dropped)
            return 0;
        if (numbers.at(old) == 0) {
            numbers[old] = int(offsets_.size()) + 1;
            offsets_.append(-1);
        }
        return numbers.at(old);
    }

    void begin(qsizetype part, int old) { offsets_[numberFor(part, old) - 1] = at_; }

    // Every number handed out belongs to an object written.
    bool complete() const { return !offsets_.contains(-1); }

    bool writeTable(const QByteArray& trailer)
    {
        const qint64 tableAt = at_;
        QByteArray chunk = "xref\n0 " + QByteArray::number(offsets_.size() + 1) + "\n0000000000 65535 f \n";
        for (const qint64 offset : offsets_) {
            chunk += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
            if (chunk.size() > 64 * 1024) {
                write(chunk);
                chunk.clear();
            }
        }
        chunk += "trailer\n" + trailer + "\nstartxref\n" + QByteArray::number(tableAt) + "\n%%EOF\n";
        return write(chunk);
    }

    int count() const { return int(offsets_.size()); }

private:
    QIODevice& out_;
    const QList<Plan>& plans_;
    QList<QList<int>> numbers_; // per part, by old number: its new number, 0 until mentioned
    QList<qint64> offsets_;     // by new number - 1: where it was written, -1 until then
    qint64 at_ = 0;
    bool failed_ = false;
};

// The head with each "N 0 R" replaced by what `replacement(N)` gives; strings are passed over
// whole. Empty when a replacement is empty.
template <typename Replacement>
QByteArray withReferencesReplaced(const QByteArray& head, Replacement replacement)
{
    QByteArray result;
    result.reserve(head.size());
    const qsizetype size = head.size();
    auto isDelimiter = [&](qsizetype i) {
        return i >= size || QByteArrayView(" \n\r\t/<>[]()").contains(head.at(i));
    };
    for (qsizetype i = 0; i < size;) {
        const char ch = head.at(i);
        if (ch == '(') { // a literal string, nested parentheses and escapes included
            int depth = 0;
            const qsizetype from = i;
            for (; i < size; ++i) {
                if (head.at(i) == '\\') {
                    ++i;
                    continue;
                }
                depth += head.at(i) == '(' ? 1 : head.at(i) == ')' ? -1 : 0;
                if (depth == 0)
                    break;
            }
            i = std::min(i + 1, size);
            result += QByteArrayView(head).sliced(from, i - from);
            continue;
        }
        if (ch >= '0' && ch <= '9' && (i == 0 || isDelimiter(i - 1))) {
            qsizetype length = 0;
            if (const int old = referenceAt(head, i, &length); old > 0 && isDelimiter(i + length)) {
                const QByteArray replaced = replacement(old);
                if (replaced.isEmpty())
                    return {};
                result += replaced;
                i += length;
                continue;
            }
        }
        result += ch;
        ++i;
    }
    return result;
}

// The head with each "N 0 R" naming the object's new number. Empty when a reference names
// nothing kept.
QByteArray renumbered(const QByteArray& head, Writer& writer, qsizetype part)
{
    return withReferencesReplaced(head, [&](int old) {
        const int number = writer.numberFor(part, old);
        return number == 0 ? QByteArray() : QByteArray::number(number) + " 0 R";
    });
}

// A later part's font subsets get tags of their own: two different subsets of one font under
// one name would let a reader that keeps fonts by name draw one part's text with the other's.
QByteArray retagged(QByteArray head, qsizetype part)
{
    static const QRegularExpression tagged(QStringLiteral(R"(/(?:FontName|BaseFont) /[A-Z]{5}([A-Z])\+)"));
    if (part == 0 || !head.contains("/Font"))
        return head;
    const auto m = tagged.match(QString::fromLatin1(head));
    if (m.hasMatch())
        head[m.capturedStart(1)] = char('A' + (head.at(m.capturedStart(1)) - 'A' + part) % 26);
    return head;
}

// A stream's length in its dictionary, given or referred to.
const QRegularExpression& lengthEntry()
{
    static const QRegularExpression length(QStringLiteral(R"(/Length (\d+ 0 R|\d+))"));
    return length;
}

// A page without its empty annotation list; a stream with its length in place.
QByteArray shaped(QByteArray head, const Object& object, const Plan& plan)
{
    static const QRegularExpression annots(QStringLiteral(R"(/Annots (\d+) 0 R\n?)"));
    if (isPage(head))
        if (const auto m = annots.match(QString::fromLatin1(head)); m.hasMatch() && (plan.roles.value(m.captured(1).toInt()) & Dropped))
            head.remove(m.capturedStart(0), m.capturedLength(0));
    if (object.isStream) {
        if (const auto m = lengthEntry().match(QString::fromLatin1(head)); m.hasMatch())
            head.replace(m.capturedStart(1), m.capturedLength(1), QByteArray::number(object.data.size()));
    }
    return PdfTextLayer::withSubsetTag(head, plan.subsetTags);
}

// One part as Qt's writer made it, with where its objects are.
struct Source {
    QIODevice* in;
    QList<char32_t> marked;
    Table table;
};

// The list between "/Kids [" and "]" of a page tree, and its "/Count".
struct Kids {
    qsizetype from = -1; // after "["
    qsizetype to = -1;   // at "]"
    qsizetype countAt = -1;
    qsizetype countLength = 0;
    int count = 0;
};

Kids kidsOf(const QByteArray& head)
{
    Kids kids;
    const qsizetype key = head.indexOf("/Kids");
    const qsizetype open = key < 0 ? -1 : head.indexOf('[', key);
    const qsizetype close = open < 0 ? -1 : head.indexOf(']', open);
    static const QRegularExpression count(QStringLiteral(R"(/Count (\d+))"));
    const auto m = count.match(QString::fromLatin1(head));
    if (close < 0 || !m.hasMatch())
        return {};
    return {open + 1, close, m.capturedStart(1), m.capturedLength(1), m.captured(1).toInt()};
}

// The first part's page tree (already renumbered) with the pages of the later parts after its own.
QByteArray withPagesOfEveryPart(QByteArray head, const QList<Source>& sources, const QList<Plan>& plans, Writer& writer)
{
    QByteArray later;
    int count = 0;
    for (qsizetype part = 1; part < sources.size(); ++part) {
        const Source& source = sources.at(part);
        Object tree;
        if (!readWhole(*source.in, source.table, plans.at(part).pages, &tree))
            return {};
        const Kids kids = kidsOf(tree.head);
        const QByteArray pages = kids.to < 0 ? QByteArray() : renumbered(tree.head.mid(kids.from, kids.to - kids.from), writer, part);
        if (pages.isEmpty())
            return {};
        later += pages;
        count += kids.count;
    }
    const Kids own = kidsOf(head);
    if (own.to < 0)
        return {};
    head.replace(own.countAt, own.countLength, QByteArray::number(own.count + count));
    return head.insert(own.to, later);
}

// Pictures alike are written once: each part's writer embeds its own copy of every image (the
// seal, the artwork) and of its soft mask. Alike means the same bytes and the same dictionary
// apart from the length, its references naming pictures alike in turn (a soft mask is decided
// before the image that names it). Fonts are left alone: each part has a subset of its own.
class PictureSharing {
public:
    PictureSharing(const QList<Source>& sources, QList<Plan>& plans) : sources_(sources), plans_(plans)
    {
        for (const Plan& plan : plans)
            states_.append(QList<quint8>(plan.roles.size(), Unseen));
    }

    // False when a picture cannot be read.
    bool share()
    {
        for (qsizetype part = 0; part < sources_.size(); ++part)
            for (const int number : sources_.at(part).table.inFileOrder)
                if ((plans_.at(part).roles.at(number) & Picture) && !decide(part, number))
                    return false;
        return true;
    }

private:
    enum State : quint8 { Unseen, Deciding, Decided };
    struct Seen {
        qsizetype part;
        int number;
        QByteArray head; // as compared: see comparable()
    };

    // What a reference names, alike for pictures written once.
    QByteArray nameOf(qsizetype part, int number) const
    {
        if (const auto same = plans_.at(part).sameAs.constFind(number); same != plans_.at(part).sameAs.cend())
            return nameOf(same->first, same->second);
        return QByteArray::number(part) + ':' + QByteArray::number(number);
    }

    // The dictionary without its length, each reference named by nameOf.
    QByteArray comparable(qsizetype part, const QByteArray& head, bool* ok)
    {
        QByteArray withoutLength = head;
        if (const auto m = lengthEntry().match(QString::fromLatin1(head)); m.hasMatch())
            withoutLength.remove(m.capturedStart(0), m.capturedLength(0));
        const QList<quint8>& roles = plans_.at(part).roles;
        return withReferencesReplaced(withoutLength, [&](int old) {
            if (old < roles.size() && (roles.at(old) & Picture) && !decide(part, old))
                *ok = false;
            return '(' + nameOf(part, old) + ')';
        });
    }

    bool decide(qsizetype part, int number)
    {
        quint8& state = states_[part][number];
        if (state != Unseen) // decided, or a loop of references: it stays as it is
            return true;
        state = Deciding;
        const Source& source = sources_.at(part);
        Object object;
        bool ok = readWhole(*source.in, source.table, number, &object);
        const QByteArray head = ok ? comparable(part, object.head, &ok) : QByteArray();
        states_[part][number] = Decided;
        if (!ok)
            return false;
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(head);
        hash.addData(object.data);
        const QByteArray digest = hash.result();
        for (auto it = seen_.constFind(digest); it != seen_.cend() && it.key() == digest; ++it) {
            const Source& earlier = sources_.at(it->part);
            Object other;
            if (it->head == head && readWhole(*earlier.in, earlier.table, it->number, &other) && other.data == object.data) {
                plans_[part].sameAs.insert(number, {it->part, it->number});
                plans_[part].roles[number] |= Dropped;
                return true;
            }
        }
        seen_.insert(digest, {part, number, head});
        return true;
    }

    const QList<Source>& sources_;
    QList<Plan>& plans_;
    QList<QList<quint8>> states_; // per part, by object number
    QMultiHash<QByteArray, Seen> seen_; // pictures written, by digest of what is compared
};

} // namespace

Result rewrite(const QList<Part>& parts, QIODevice& out)
{
    QList<Source> sources;
    QList<Plan> plans;
    for (const Part& part : parts) {
        Source source{part.drawn, part.marked, {}};
        Plan plan;
        if (!source.in || !readTable(*source.in, &source.table) || !makePlan(*source.in, source.table, &plan) ||
            plan.pages == 0)
            return Result::NotRecognised;
        // Only the first part keeps its document information, catalogue and page tree.
        if (!sources.isEmpty())
            for (const QByteArrayView key : {"/Info ", "/Root "})
                if (const int number = referenceIn(key, source.table.trailer); number > 0 && number < plan.roles.size())
                    plan.roles[number] |= Dropped;
        if (!sources.isEmpty())
            plan.roles[plan.pages] |= Dropped;
        sources.append(source);
        plans.append(plan);
    }
    if (sources.isEmpty() || !PictureSharing(sources, plans).share())
        return Result::NotRecognised;
    Writer writer(out, plans);
    // The file's opening lines, up to its first object.
    const Source& first = sources.first();
    if (!writer.write(read(*first.in, 0, first.table.offsets.at(first.table.inFileOrder.first()))))
        return Result::WriteFailed;
    for (qsizetype part = 0; part < sources.size(); ++part) {
        const Source& source = sources.at(part);
        const Plan& plan = plans.at(part);
        for (qsizetype place = 0; place < source.table.inFileOrder.size(); ++place) {
            const int number = source.table.inFileOrder.at(place);
            const quint8 role = plan.roles.at(number);
            if (role & Dropped)
                continue;
            const qint64 at = source.table.offsets.at(number);
            Object object;
            if (!parse(read(*source.in, at, source.table.endOf(place) - at), number, &object))
                return Result::NotRecognised;
            if (object.isStream && (role & PageDrawing) && object.head.contains("/Filter /FlateDecode"))
                if (QByteArray named = PdfTextLayer::withMarkedGlyphsNamed(object.data, source.marked); !named.isEmpty())
                    object.data = std::move(named);
            if (object.isStream && (role & UnicodeMap) && !object.head.contains("/Filter"))
                object.data = PdfTextLayer::withBlankTargets(object.data);
            QByteArray head = renumbered(retagged(shaped(object.head, object, plan), part), writer, part);
            if (part == 0 && number == plan.pages)
                head = withPagesOfEveryPart(head, sources, plans, writer);
            if (head.isEmpty())
                return Result::NotRecognised;
            writer.begin(part, number);
            writer.write(QByteArray::number(writer.numberFor(part, number)) + " 0 obj\n" + head);
            if (object.isStream) {
                writer.write("stream\n");
                writer.write(object.data);
                writer.write(streamEnd);
            } else {
                writer.write(objectEnd);
            }
            if (writer.failed())
                return Result::WriteFailed;
        }
    }
    QByteArray trailer = renumbered(first.table.trailer, writer, 0);
    static const QRegularExpression size(QStringLiteral(R"(/Size \d+)"));
    if (const auto m = size.match(QString::fromLatin1(trailer)); m.hasMatch())
        trailer.replace(m.capturedStart(0), m.capturedLength(0), "/Size " + QByteArray::number(writer.count() + 1));
    if (trailer.isEmpty() || !writer.complete())
        return Result::NotRecognised;
    return writer.writeTable(trailer) ? Result::Rewritten : Result::WriteFailed;
}

Result rewrite(QIODevice& drawn, QIODevice& out, const QList<char32_t>& marked)
{
    return rewrite({Part{&drawn, marked}}, out);
}

} // namespace PdfRewriter
