#pragma once
// The drawing surface a printed page is laid out on: a page of a given size
// in device pixels, one font face whose point size changes, text measured and
// drawn clipped to a rectangle, and straight lines of a given pen width.

#include "platform/codepage.h"

namespace vb {

// A rectangle by its edges, right and bottom exclusive.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect &o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;

    // The printable page in device pixels.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;

    // The document: begun once, a new page before every page after the first,
    // ended once. beginDocument returns false when the device cannot be drawn on.
    virtual bool beginDocument() = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    // Ends a document that is given up: what was drawn is not delivered
    // where the device can take it back.
    virtual void abortDocument() { endDocument(); }

    virtual void setFontFace(const Bytes &face) = 0;
    // Size 0 (or less) is the smallest size the device can draw.
    virtual void setFontSize(int points) = 0;
    virtual int textWidth(const Bytes &text) = 0;
    virtual int textHeight(const Bytes &text) = 0;
    // A width no less than the text's at the current size, found quicker
    // than the width itself; the width unless a canvas knows better.
    virtual int textWidthBound(const Bytes &text) { return textWidth(text); }
    // Draws text with its top-left corner at (x, y), clipped to clip.
    virtual void textRect(const PixelRect &clip, int x, int y, const Bytes &text) = 0;
    // The same for a text whose width at the current size is known, or a
    // width no less than its own.
    virtual void measuredTextRect(const PixelRect &clip, int x, int y, const Bytes &text, int /*width*/) {
        textRect(clip, x, y, text);
    }

    virtual void setPenWidth(int pixels) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
};

} // namespace vb
