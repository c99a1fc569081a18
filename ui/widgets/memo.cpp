#include "ui/widgets/memo.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace vb {

Memo::Memo(QWidget *parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(true);
    connect(document(), &QTextDocument::contentsChange, this, &Memo::noteChange);
}

namespace {

constexpr int kContinuesLine = QTextFormat::UserProperty + 1;

// line appended to text; a line over kLongLine bytes in pieces, each after a
// line break, whose blocks are noted in pieces. block is the number of the
// block text ends in, and is kept up to date.
void appendLine(QString &text, std::string_view line, int &block, std::vector<int> &pieces) {
    if (line.size() <= Memo::kLongLine) {
        appendUnicode(text, line);
        return;
    }
    for (size_t from = 0; from < line.size();) {
        // Cut where a character ends, so that the pieces decode as the line
        // does; a short rest stays with the piece before it.
        size_t to = from;
        const size_t target = std::min(line.size(), from + Memo::kLinePiece);
        while (to < target)
            to += characterLength(line, to);
        if (line.size() - to < Memo::kLinePiece / 4)
            to = line.size();
        if (from > 0) {
            text.append(QLatin1Char('\n'));
            pieces.push_back(++block);
        }
        appendUnicode(text, line.substr(from, to - from));
        from = to;
    }
}

// The lines joined by line breaks, after one more break when they follow
// lines already shown.
void joinLines(const std::vector<std::string_view> &lines, bool afterOthers, QString &text, int &block,
               std::vector<int> &pieces) {
    text.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i || afterOthers) {
            text.append(QLatin1Char('\n'));
            ++block;
        }
        appendLine(text, lines[i], block, pieces);
    }
}

// A run of visible ASCII characters (letters, digits, marks) longer than
// this gives the text layout no place to break a shown line. Wrapping at
// word boundaries, it would search the rest of the run again for every line
// it shows, which takes minutes for a run of a megabyte; such text wraps
// anywhere instead. Japanese text breaks between its characters anyway.
constexpr size_t kLongestWord = 4096;

bool hasLongWord(const std::vector<std::string_view> &lines) {
    for (std::string_view line : lines) {
        if (line.size() <= kLongestWord)
            continue;
        size_t run = 0;
        for (const char c : line) {
            run = c > ' ' && c < '\x7f' ? run + 1 : 0;
            if (run > kLongestWord)
                return true;
        }
    }
    return false;
}

} // namespace

void Memo::wrapAnywhere(bool on) {
    const QTextOption::WrapMode mode = on ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

void Memo::setLines(const std::vector<Bytes> &lines) {
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    QString text;
    int block = 0;
    std::vector<int> pieces;
    joinLines(views, false, text, block, pieces);
    wrapAnywhere(hasLongWord(views));
    showText(text, lines.size() == 1 && lines[0].empty(), pieces);
}

void Memo::streamLines(const LineBatches &next) {
    std::vector<std::string_view> batch;
    QString piece;
    QTextDocument *doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    QTextCursor end(doc);
    size_t count = 0;
    bool firstEmpty = false, adding = false;
    int block = 0;
    std::vector<int> pieces;
    numbered_ = false;
    try {
        // The first batch goes in as a new text, which resets the cursor, the
        // scroll position and the undo history; the others are added at the
        // end in one edit that cannot be undone.
        if (!next(batch))
            batch.clear();
        count = batch.size();
        firstEmpty = count > 0 && batch[0].empty();
        joinLines(batch, false, piece, block, pieces);
        bool anywhere = hasLongWord(batch);
        wrapAnywhere(anywhere);
        pieced_ = !pieces.empty();
        applyWrap();
        setPlainText(piece);
        if (count > 0) {
            doc->setUndoRedoEnabled(false);
            end.movePosition(QTextCursor::End);
            end.beginEditBlock();
            adding = true;
            while (next(batch)) {
                count += batch.size();
                joinLines(batch, true, piece, block, pieces);
                if (!anywhere && hasLongWord(batch))
                    wrapAnywhere(anywhere = true);
                if (!pieced_ && !pieces.empty()) {
                    pieced_ = true;
                    applyWrap();
                }
                end.insertText(piece);
            }
            adding = false;
            end.endEditBlock();
            doc->setUndoRedoEnabled(undo);
        }
    } catch (...) {
        if (adding) {
            end.endEditBlock();
            doc->setUndoRedoEnabled(undo);
        }
        clearText();
        throw;
    }
    markPieces(pieces);
    // An empty control cannot tell no line from one empty line.
    oneEmptyLine_ = count == 1 && firstEmpty;
    doc->setModified(false);
    numberLoadedLines();
}

void Memo::markPieces(const std::vector<int> &pieces) {
    pieced_ = !pieces.empty();
    applyWrap();
    if (!pieced_)
        return;
    // The marks are part of the text as loaded: nothing to undo.
    QTextDocument *doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextBlockFormat mark;
    mark.setProperty(kContinuesLine, true);
    for (const int b : pieces)
        QTextCursor(doc->findBlockByNumber(b)).mergeBlockFormat(mark);
    doc->setUndoRedoEnabled(undo);
}

bool Memo::continuesLine(const QTextBlock &b) {
    return b.blockFormat().boolProperty(kContinuesLine) && b.position() > 0;
}

void Memo::applyWrap() {
    const LineWrapMode mode = wrap_ || pieced_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap;
    if (lineWrapMode() != mode)
        setLineWrapMode(mode);
}

void Memo::keyPressEvent(QKeyEvent *e) {
    if (!pieced_ || isReadOnly()) {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    QTextCursor c = textCursor();
    const bool plain = !c.hasSelection() && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (e->matches(QKeySequence::InsertParagraphSeparator)) {
        QTextBlockFormat own = c.blockFormat();
        own.clearProperty(kContinuesLine);
        c.insertBlock(own);
    } else if (plain && e->key() == Qt::Key_Backspace && c.atBlockStart() && continuesLine(c.block()) &&
               c.block().previous().length() > 1) {
        // Between two pieces of a line: the character before goes, not the
        // break no one sees.
        c.movePosition(QTextCursor::PreviousCharacter);
        c.deletePreviousChar();
    } else if (plain && e->key() == Qt::Key_Delete && c.atBlockEnd() && c.block().next().isValid() &&
               continuesLine(c.block().next()) && c.block().next().length() > 1) {
        c.movePosition(QTextCursor::NextCharacter);
        c.deleteChar();
    } else {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    setTextCursor(c);
    ensureCursorVisible();
    e->accept();
}

void Memo::numberLoadedLines() {
    int k = -1;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (!pieced_ || !continuesLine(b))
            ++k;
        b.setUserState(k);
    }
    loadedLines_ = k + 1;
    numbered_ = true;
    changed_ = false;
}

void Memo::noteChange(int position, int, int added) {
    if (!numbered_)
        return;
    changed_ = true;
    // Every block the change left text in: from the one it starts in to the
    // one its inserted text ends in. Blocks it removed are gone.
    const QTextDocument *doc = document();
    const QTextBlock last = doc->findBlock(std::min(position + added, doc->characterCount() - 1));
    for (QTextBlock b = doc->findBlock(position); b.isValid(); b = b.next()) {
        b.setUserState(-1);
        if (b == last)
            break;
    }
}

void Memo::takeWrittenAsLoaded() {
    // Unchanged since the lines were numbered, every block still carries its
    // own number.
    if (!numbered_ || changed_)
        numberLoadedLines();
}

void Memo::showText(const QString &text, bool oneEmptyLine, const std::vector<int> &pieces) {
    numbered_ = false;
    pieced_ = !pieces.empty();
    applyWrap();
    setPlainText(text);
    markPieces(pieces);
    // An empty control cannot tell no line from one empty line.
    oneEmptyLine_ = oneEmptyLine;
    document()->setModified(false);
}

std::vector<Bytes> Memo::logicalLines() const {
    std::vector<Bytes> out;
    if (document()->isEmpty()) {
        if (oneEmptyLine_)
            out.emplace_back();
        return out;
    }
    // One pass over the document's raw text: paragraphs end in U+2029.
    const QString raw = rawText();
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = raw.indexOf(QChar::ParagraphSeparator, start);
        out.push_back(fromUnicode(QStringView(raw).mid(start, (end < 0 ? raw.size() : end) - start)));
        if (end < 0)
            break;
        start = end + 1;
    }
    return out;
}

namespace {

// text, the document's text from position base on, with the line break
// before each block after first, up to last, that continues a line left
// out.
QString joinPieces(QStringView text, int base, const QTextBlock &first, const QTextBlock &last) {
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    for (QTextBlock b = first; b != last;) {
        b = b.next();
        if (!Memo::continuesLine(b))
            continue;
        const qsizetype gap = b.position() - 1 - base;
        out.append(text.mid(at, gap - at));
        at = gap + 1;
    }
    out.append(text.mid(at));
    return out;
}

} // namespace

QString Memo::rawText() const {
    const QTextDocument *doc = document();
    QString raw = doc->toRawText();
    return pieced_ ? joinPieces(raw, 0, doc->begin(), doc->lastBlock()) : raw;
}

QTextBlock Memo::lineBlock(int line) const {
    if (!pieced_)
        return document()->findBlockByNumber(line);
    int k = -1;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (!continuesLine(b) && ++k == line)
            return b;
    }
    return {};
}

QString Memo::lineText(const QTextBlock &first) const {
    QString text = first.text();
    if (pieced_)
        for (QTextBlock b = first.next(); b.isValid() && continuesLine(b); b = b.next())
            text += b.text();
    return text;
}

int Memo::linePosition(const QTextBlock &first, int column) const {
    QTextBlock b = first;
    if (pieced_)
        for (QTextBlock n = b.next(); column > b.length() - 1 && n.isValid() && continuesLine(n); n = n.next()) {
            column -= b.length() - 1;
            b = n;
        }
    return b.position() + column;
}

namespace {

// Encoded text of a run of lines is fetched from the document in pieces of
// about this many characters, so that no copy of the whole text is made.
constexpr int kEncodedPiece = 1 << 16;

} // namespace

void Memo::appendLogicalText(Bytes &out, std::string_view lineEnd, const LoadedLines &loaded) const {
    QTextDocument *doc = document();
    if (doc->isEmpty()) {
        if (oneEmptyLine_)
            out.append(lineEnd);
        return;
    }
    bool fromLoaded = loaded && numbered_;
    // Nothing changed: the lines are the loaded lines, all in one run.
    if (fromLoaded && !changed_) {
        if (loaded(0, size_t(loadedLines_), lineEnd, out))
            return;
        fromLoaded = false;
    }
    // The blocks in runs: lines still as loaded, with consecutive numbers,
    // are taken from loaded; the others are encoded, the text of a run
    // copied out of the document at once (asking each block for its own text
    // would cost an allocation and several searches of the document's trees
    // a line).
    QTextCursor cursor(doc);
    QTextBlock first, last; // the run, first to last block
    int firstLine = -1;     // the loaded number of first, -1 for a run to encode
    int runChars = 0;
    int expected = -1; // the number that continues a loaded run
    auto encode = [&](const QTextBlock &from, const QTextBlock &to) {
        cursor.setPosition(from.position());
        cursor.setPosition(to.position() + to.length() - 1, QTextCursor::KeepAnchor);
        // Blocks within the selection are separated by U+2029, but for the
        // pieces of one line.
        const QString text = cursor.selectedText();
        appendFromUnicodeLines(out, pieced_ ? joinPieces(text, from.position(), from, to) : text, lineEnd);
        out.append(lineEnd);
    };
    auto flush = [&] {
        if (!first.isValid())
            return;
        if (firstLine >= 0) {
            if (!loaded(size_t(firstLine), size_t(expected), lineEnd, out)) {
                fromLoaded = false; // no more of them
                encode(first, last);
            }
        } else {
            encode(first, last);
        }
        first = QTextBlock();
    };
    for (QTextBlock b = doc->begin(); b.isValid();) {
        // One line: its block and the pieces that continue it, loaded when
        // every one of them is.
        const QTextBlock lineFirst = b;
        QTextBlock lineLast = b;
        int number = fromLoaded ? b.userState() : -1;
        int chars = b.length();
        for (b = b.next(); pieced_ && b.isValid() && continuesLine(b); b = b.next()) {
            if (b.userState() != number)
                number = -1;
            lineLast = b;
            chars += b.length();
        }
        const bool continues = first.isValid() && (number >= 0 ? firstLine >= 0 && number == expected
                                                               : firstLine < 0 && runChars < kEncodedPiece);
        if (!continues) {
            flush();
            first = lineFirst;
            firstLine = number;
            runChars = 0;
        }
        last = lineLast;
        expected = number + 1;
        runChars += chars;
    }
    flush();
}

std::vector<Bytes> Memo::lines() const {
    if (!shownWrapped())
        return logicalLines();
    std::vector<Bytes> out;
    ShownLines shown(*this);
    out.reserve(shown.size());
    for (size_t k = 0; k < shown.size(); ++k)
        out.push_back(shown.at(k));
    return out;
}

Memo::ShownLines::ShownLines(const Memo &memo, const Progress &progress) : doc_(memo.document()) {
    if (doc_->isEmpty()) {
        // An empty control cannot tell no line from one empty line.
        size_ = !memo.shownWrapped() && memo.oneEmptyLine_ ? 1 : 0;
        return;
    }
    // A paragraph shown on one line (or not laid out yet) is one line; its
    // layout is not asked for, so none is made for it. The pieces of a long
    // line are shown wrapped wherever they are: the control lays out only
    // those it has shown, so the others are laid out here, one at a time,
    // and let go of again once their lines are noted.
    const bool wrapped = memo.shownWrapped();
    QAbstractTextDocumentLayout *layouts = doc_->documentLayout();
    auto isPiece = [&](const QTextBlock &b) {
        return memo.pieced_ && (continuesLine(b) || (b.next().isValid() && continuesLine(b.next())));
    };
    size_t pieces = 0, piecesDone = 0;
    if (progress && wrapped && memo.pieced_)
        for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next())
            pieces += isPiece(b) ? 1 : 0;
    for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) {
        const bool piece = isPiece(b);
        if (piece && pieces > 0 && !progress(piecesDone++, pieces)) {
            complete_ = false;
            return;
        }
        if (!wrapped || (b.lineCount() <= 1 && !piece)) {
            ++size_;
            continue;
        }
        QTextLayout *layout = b.layout();
        const bool ours = layout->lineCount() == 0;
        if (ours)
            layouts->blockBoundingRect(b);
        const int n = layout->lineCount();
        if (n > 1) {
            wrapped_.push_back({size_, b.blockNumber(), spans_.size(), size_t(n)});
            for (int i = 0; i < n; ++i) {
                const QTextLine line = layout->lineAt(i);
                spans_.push_back({line.textStart(), line.textLength()});
            }
        }
        size_ += size_t(std::max(n, 1));
        if (ours)
            layout->clearLayout();
    }
}

Bytes Memo::ShownLines::at(size_t k) {
    // The last wrapped paragraph that starts at or before line k.
    const auto after = std::upper_bound(wrapped_.begin(), wrapped_.end(), k,
                                        [](size_t line, const Wrapped &w) { return line < w.first; });
    int block = int(k);
    const Span *span = nullptr;
    if (after != wrapped_.begin()) {
        const Wrapped &w = *(after - 1);
        if (k < w.first + w.count) {
            block = w.block;
            span = &spans_[w.spans + (k - w.first)];
        } else {
            block = w.block + int(k - (w.first + w.count)) + 1;
        }
    }
    if (block != cachedBlock_) {
        const QTextBlock b = doc_->findBlockByNumber(block);
        cachedText_ = b.isValid() ? b.text() : QString();
        cachedBlock_ = block;
    }
    if (!span)
        return fromUnicode(cachedText_);
    return fromUnicode(QStringView(cachedText_).mid(span->start, span->length));
}

bool Memo::isEmptyText() const { return document()->isEmpty(); }

void Memo::setWordWrap(bool on) {
    wrap_ = on;
    applyWrap();
}

void Memo::setFontSpec(const Bytes &face, int points, bool fixedPitch) {
    face_ = face;
    points_ = points;
    fixed_ = fixedPitch;
    QFont f(toUnicode(face));
    if (points > 0)
        f.setPointSize(points);
    f.setFixedPitch(fixedPitch);
    f.setStyleHint(fixedPitch ? QFont::Monospace : QFont::AnyStyle);
    setFont(f);
}

void Memo::setFontFace(const Bytes &face) { setFontSpec(face, points_, fixed_); }

} // namespace vb
