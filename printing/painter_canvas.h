#pragma once
// The print canvas on a real paged device (a printer, a PDF file, the print
// preview's pages): QPainter draws, and every size is measured on the device
// itself at its own resolution.

#include "printing/print_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <map>
#include <unordered_map>
#include <vector>

class QPagedPaintDevice;

namespace vb {

class PainterCanvas : public PrintCanvas {
public:
    explicit PainterCanvas(QPagedPaintDevice &device);
    ~PainterCanvas() override;

    int pageWidth() const override;
    int pageHeight() const override;
    bool beginDocument() override;
    void newPage() override;
    void endDocument() override;
    // A printer drops the job; any other device ends it.
    void abortDocument() override;
    void setFontFace(const Bytes &face) override;
    void setFontSize(int points) override;
    int textWidth(const Bytes &text) override;
    int textHeight(const Bytes &text) override;
    // The advances of the text's characters one by one, a pixel more each
    // for rounding and a line's height for kerning: never less than the
    // shaped width, at a fraction of its cost.
    int textWidthBound(const Bytes &text) override;
    void textRect(const PixelRect &clip, int x, int y, const Bytes &text) override;
    void measuredTextRect(const PixelRect &clip, int x, int y, const Bytes &text, int width) override;
    void setPenWidth(int pixels) override;
    void line(int x1, int y1, int x2, int y2) override;

    // Draws on painter from now on in place of the device (nullptr: on the
    // device again), every size still measured on the device: the print
    // preview's page images, their painter mapping the device's page onto
    // them. A text reaching far beyond its rectangle is cut there first.
    void paintWith(QPainter *painter);

    // The font drawn at a size: the face at that point size, or, for size 0
    // and less, at one device pixel.
    QFont fontAt(int points) const;

private:
    struct Sized {
        QFont font;
        QFontMetrics metrics;
        // Widths measured at this size, by text, for the first few texts:
        // the caption texts, measured at every size tried. Body lines are
        // too many to keep; the page printer keeps their widths.
        std::unordered_map<Bytes, int> widths;
        // The advance of every character of the basic plane measured so
        // far, by its code; -1 where not measured.
        std::vector<int> advances;
    };
    // The current size's font and metrics, made once per size and kept.
    Sized &sized();
    QPainter &painter() { return external_ ? *external_ : painter_; }

    QPagedPaintDevice &device_;
    QPainter painter_;
    QPainter *external_ = nullptr;
    QString face_;
    int size_ = 0;
    std::map<int, Sized> sizes_;
    int paintedSize_ = 0;
    bool fontOnPainter_ = false;
    QPen pen_;
};

} // namespace vb
