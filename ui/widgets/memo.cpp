#include "ui/widgets/memo.h"

#include <QTextBlock>
#include <QTextLayout>

namespace vb {

Memo::Memo(QWidget *parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(true);
}

namespace {

QString joinedText(const std::vector<std::string_view> &lines) {
    QString text;
    size_t total = 0;
    for (std::string_view l : lines)
        total += l.size() + 1;
    text.reserve(qsizetype(total));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            text.append(QLatin1Char('\n'));
        appendUnicode(text, lines[i]);
    }
    return text;
}

} // namespace

void Memo::setLines(const std::vector<Bytes> &lines) {
    showText(joinedText(std::vector<std::string_view>(lines.begin(), lines.end())),
             lines.size() == 1 && lines[0].empty());
}

void Memo::takeLines(Bytes &&buffer, std::vector<std::string_view> &&lines) {
    QString text = joinedText(lines);
    const bool oneEmptyLine = lines.size() == 1 && lines[0].empty();
    // Gone before the control makes its own copy of the text.
    std::vector<std::string_view>().swap(lines);
    Bytes().swap(buffer);
    text.squeeze(); // room was made for one character per byte
    showText(text, oneEmptyLine);
}

void Memo::showText(const QString &text, bool oneEmptyLine) {
    setPlainText(text);
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
    const QString raw = document()->toRawText();
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

std::vector<Bytes> Memo::lines() const {
    if (!wordWrap())
        return logicalLines();
    std::vector<Bytes> out;
    if (document()->isEmpty())
        return out;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        const QTextLayout *layout = b.layout();
        const QString text = b.text();
        if (!layout || layout->lineCount() <= 1) {
            out.push_back(fromUnicode(text));
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            out.push_back(fromUnicode(text.mid(line.textStart(), line.textLength())));
        }
    }
    return out;
}

bool Memo::isEmptyText() const { return document()->isEmpty(); }

void Memo::setWordWrap(bool on) { setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); }

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
