#pragma once
// The message text: a multi-line text control whose content is handed over
// as lines of code-page bytes, with read-only state, word wrap and a font
// given by face name, point size and pitch.

#include "platform/codepage.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <functional>
#include <string_view>
#include <vector>

namespace vb {

class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Memo(QWidget *parent = nullptr);

    void setLines(const std::vector<Bytes> &lines);
    // Fills batch with the next lines (views that may change with the next
    // call); false once none are left.
    using LineBatches = std::function<bool(std::vector<std::string_view> &batch)>;
    // The same for lines handed over a batch at a time: each batch is
    // converted and added on its own, so that beside the control's copy of
    // the text there is never more than one batch. Should next throw, the
    // control is left empty and the exception goes on.
    void streamLines(const LineBatches &next);
    // Logical lines while word wrap is off; the lines as shown while it is on.
    std::vector<Bytes> lines() const;
    // The same lines, read one at a time: where each starts is noted when it
    // is made, so that no copy of the whole text is ever made. Holds while
    // the text is not changed.
    class ShownLines {
    public:
        // The pieces of a long line the control has not shown yet are laid
        // out here, which takes a while for a line of megabytes: progress,
        // when given, is told after each piece (done of total pieces) and
        // stops the work when it returns false, leaving it incomplete.
        using Progress = std::function<bool(size_t done, size_t total)>;
        explicit ShownLines(const Memo &memo, const Progress &progress = nullptr);
        size_t size() const { return size_; }
        bool complete() const { return complete_; }
        Bytes at(size_t k);

    private:
        // A paragraph shown on more than one line: only these are noted, so
        // that a text of many short paragraphs costs nothing here.
        struct Wrapped {
            size_t first; // its first line's number among the lines shown
            int block;    // its block
            size_t spans; // where its lines are in spans_
            size_t count; // how many lines it shows
        };
        struct Span {
            int start, length;
        };
        const QTextDocument *doc_ = nullptr;
        size_t size_ = 0;
        bool complete_ = true;
        std::vector<Wrapped> wrapped_;
        std::vector<Span> spans_;
        int cachedBlock_ = -1;
        QString cachedText_;
    };
    std::vector<Bytes> logicalLines() const;
    // The lines streamLines was last given, read again from where they came
    // from: appends lines first..end-1 of them, each followed by lineEnd, to
    // out; false, with out as it was, when they cannot be had. Asked for in
    // rising order.
    using LoadedLines = std::function<bool(size_t first, size_t end, std::string_view lineEnd, Bytes &out)>;
    // The logical lines, each followed by lineEnd, appended to out. A line
    // not changed since streamLines set it comes from loaded, as its bytes
    // were, when loaded is given; the others are encoded a run of lines at a
    // time straight into out.
    void appendLogicalText(Bytes &out, std::string_view lineEnd, const LoadedLines &loaded = nullptr) const;
    // After the text was written as appendLogicalText gave it: line k of what
    // was written counts as loaded line k from here on.
    void takeWrittenAsLoaded();
    // The document's raw text (paragraphs ending in U+2029), with the
    // pieces of an over-long line joined again: one paragraph a line.
    QString rawText() const;
    // A line longer than kLongLine bytes is shown in pieces of about
    // kLinePiece bytes, one block each: the text control lays a block out
    // whole, which for a line of megabytes takes seconds and hundreds of
    // megabytes, and again on every key typed into it. Every block after the
    // first of such a line is marked as continuing the one before; the text
    // given out (logicalLines, appendLogicalText, rawText, the lines as
    // shown when word wrap is off) joins them again, so they are one line
    // to everything but the screen. A text holding such pieces is always
    // shown wrapped.
    static constexpr size_t kLongLine = size_t(32) * 1024;
    static constexpr size_t kLinePiece = size_t(16) * 1024;
    static bool continuesLine(const QTextBlock &b);
    bool hasPiecedLines() const { return pieced_; }
    // The first block of line number line (counted from 0), invalid past the
    // last line.
    QTextBlock lineBlock(int line) const;
    // The text of the line whose first block is first, and the document
    // position of a place in it.
    QString lineText(const QTextBlock &first) const;
    int linePosition(const QTextBlock &first, int column) const;
    void clearText() { setLines({}); }
    // Whether the user changed the text since it was last set.
    bool isModified() const { return document()->isModified(); }
    bool isEmptyText() const;

    void setWordWrap(bool on);
    // The setting; the text is shown wrapped when it holds a pieced line.
    bool wordWrap() const { return wrap_; }

    void setFontSpec(const Bytes &face, int points, bool fixedPitch);
    // The face alone, keeping size and pitch.
    void setFontFace(const Bytes &face);
    const Bytes &fontFace() const { return face_; }
    int fontPoints() const { return points_; }
    bool fontFixedPitch() const { return fixed_; }

protected:
    // A block split off a piece of a long line by Return starts a line of
    // its own (the control would give it the mark of the block it was split
    // from); Backspace and Delete between two pieces take the character
    // beyond, not the break no one sees.
    void keyPressEvent(QKeyEvent *e) override;

private:
    // Marks the given blocks as continuing the line before them.
    void markPieces(const std::vector<int> &pieces);
    void applyWrap();
    bool shownWrapped() const { return lineWrapMode() != QPlainTextEdit::NoWrap; }
    // Every line's blocks carry the number of the loaded line they still
    // hold unchanged (their user state), -1 once changed.
    void numberLoadedLines();
    void noteChange(int position, int removed, int added);
    // Lines wrap anywhere rather than at word boundaries (see memo.cpp).
    void wrapAnywhere(bool on);
    void showText(const QString &text, bool oneEmptyLine, const std::vector<int> &pieces);
    Bytes face_;
    int points_ = 0;
    bool fixed_ = false;
    bool wrap_ = true;
    bool pieced_ = false; // some line is shown in pieces
    int loadedLines_ = 0; // the lines numbered last
    bool oneEmptyLine_ = false;
    bool numbered_ = false; // the blocks carry loaded line numbers
    bool changed_ = false;  // some block was changed since they were given
};

} // namespace vb
