#include "printing/painter_canvas.h"

#include <QPagedPaintDevice>
#include <QPrinter>
#include <algorithm>
#include <limits>

namespace vb {

PainterCanvas::PainterCanvas(QPagedPaintDevice &device) : device_(device), pen_(Qt::black) {
    pen_.setCapStyle(Qt::FlatCap);
}

PainterCanvas::~PainterCanvas() {
    if (painter_.isActive())
        painter_.end();
}

int PainterCanvas::pageWidth() const { return device_.width(); }

int PainterCanvas::pageHeight() const { return device_.height(); }

bool PainterCanvas::beginDocument() { return painter_.begin(&device_); }

void PainterCanvas::newPage() { device_.newPage(); }

void PainterCanvas::endDocument() { painter_.end(); }

void PainterCanvas::abortDocument() {
    if (auto *printer = dynamic_cast<QPrinter *>(&device_);
        printer && printer->outputFormat() == QPrinter::NativeFormat)
        printer->abort();
    if (painter_.isActive())
        painter_.end();
}

void PainterCanvas::paintWith(QPainter *painter) {
    external_ = painter;
    fontOnPainter_ = false;
}

void PainterCanvas::setFontFace(const Bytes &face) {
    const QString f = toUnicode(face);
    if (f == face_)
        return;
    face_ = f;
    sizes_.clear();
    fontOnPainter_ = false;
}

void PainterCanvas::setFontSize(int points) { size_ = points; }

QFont PainterCanvas::fontAt(int points) const {
    QFont f(face_);
    if (points > 0)
        f.setPointSize(points);
    else
        f.setPixelSize(1);
    return f;
}

PainterCanvas::Sized &PainterCanvas::sized() {
    auto found = sizes_.find(size_);
    if (found == sizes_.end()) {
        const QFont f = fontAt(size_);
        found = sizes_.emplace(size_, Sized{f, QFontMetrics(f, &device_), {}, {}}).first;
    }
    return found->second;
}

namespace {
// Texts whose widths are kept, a size.
constexpr size_t kKeptWidths = 64;
// A text longer than this is cut where it leaves its rectangle, measured a
// piece of this many characters at a time.
constexpr int kCutPiece = 256;

// The start of text that reaches width and a piece beyond: a line of
// megabytes drawn on an image costs what its visible part does.
QString cutAt(const QString &text, const QFontMetrics &metrics, int width) {
    if (text.size() <= qsizetype(2) * kCutPiece)
        return text;
    int end = 0, reached = 0;
    while (end < text.size() && reached <= width) {
        reached += metrics.horizontalAdvance(text.mid(end, kCutPiece));
        end += kCutPiece;
    }
    return text.left(end + kCutPiece);
}
} // namespace

int PainterCanvas::textWidth(const Bytes &text) {
    Sized &s = sized();
    auto found = s.widths.find(text);
    if (found != s.widths.end())
        return found->second;
    const int width = s.metrics.horizontalAdvance(toUnicode(text));
    if (s.widths.size() < kKeptWidths)
        s.widths.emplace(text, width);
    return width;
}

int PainterCanvas::textWidthBound(const Bytes &text) {
    Sized &s = sized();
    const QString t = toUnicode(text);
    if (s.advances.empty())
        s.advances.assign(0x10000, -1);
    long long bound = s.metrics.height();
    for (const QChar c : t) {
        if (c.isSurrogate())
            return textWidth(text);
        int &advance = s.advances[c.unicode()];
        if (advance < 0)
            advance = s.metrics.horizontalAdvance(c);
        bound += advance + 1;
    }
    return int(std::min<long long>(bound, std::numeric_limits<int>::max()));
}

// The height of a line of the font, whatever the text (an empty one too).
int PainterCanvas::textHeight(const Bytes &) { return sized().metrics.height(); }

void PainterCanvas::textRect(const PixelRect &clip, int x, int y, const Bytes &text) {
    if (text.empty() || clip.width() <= 0 || clip.height() <= 0)
        return;
    measuredTextRect(clip, x, y, text, textWidth(text));
}

void PainterCanvas::measuredTextRect(const PixelRect &clip, int x, int y, const Bytes &text, int width) {
    if (text.empty() || clip.width() <= 0 || clip.height() <= 0)
        return;
    const Sized &s = sized();
    QPainter &p = painter();
    if (!fontOnPainter_ || paintedSize_ != size_) {
        p.setFont(s.font);
        paintedSize_ = size_;
        fontOnPainter_ = true;
    }
    QString t = toUnicode(text);
    if (external_ && x + width > clip.right)
        t = cutAt(t, s.metrics, clip.right - x);
    // Clipping costs a clip path in the output: only a text that reaches
    // beyond its rectangle is clipped.
    const bool inside =
        x >= clip.left && y >= clip.top && x + width <= clip.right && y + s.metrics.height() <= clip.bottom;
    if (!inside)
        p.setClipRect(QRect(clip.left, clip.top, clip.width(), clip.height()));
    p.drawText(QPoint(x, y + s.metrics.ascent()), t);
    if (!inside)
        p.setClipping(false);
}

void PainterCanvas::setPenWidth(int pixels) { pen_.setWidth(pixels); }

void PainterCanvas::line(int x1, int y1, int x2, int y2) {
    QPainter &p = painter();
    // On a shrunk page a rule stays at least a pixel wide, as on paper it
    // is seen.
    if (external_ && pen_.widthF() * p.transform().m11() < 1) {
        QPen hairline(pen_);
        hairline.setWidth(0);
        p.setPen(hairline);
    } else {
        p.setPen(pen_);
    }
    p.drawLine(x1, y1, x2, y2);
}

} // namespace vb
