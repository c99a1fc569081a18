#pragma once
// A print canvas that records what is drawn, with metrics simple enough to
// work out by hand: at size s a byte is 4 s pixels wide and a line 6 s pixels
// high; the smallest size (0) has one pixel for both.

#include "printing/print_canvas.h"

#include <string>
#include <vector>

namespace vbtest {

struct Drawn {
    enum Kind { kText, kLine, kNewPage } kind;
    vb::PixelRect clip; // text: its clip rectangle; line: from (left, top) to (right, bottom)
    int x = 0, y = 0;   // text: top-left corner
    int size = 0;       // text: font size; line: pen width
    vb::Bytes text;
    std::string face;
};

class RecordingCanvas : public vb::PrintCanvas {
public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    std::vector<Drawn> drawn;
    bool begun = false, ended = false;
    bool refuseBegin = false;
    int heightOverride = -1; // a line height for every size, when >= 0

    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    bool beginDocument() override {
        begun = !refuseBegin;
        return begun;
    }
    void newPage() override { drawn.push_back({Drawn::kNewPage, {}, 0, 0, 0, {}, {}}); }
    void endDocument() override { ended = true; }
    void setFontFace(const vb::Bytes &face) override { face_ = face; }
    void setFontSize(int points) override { size_ = points; }
    int textWidth(const vb::Bytes &text) override { return int(text.size()) * (size_ > 0 ? 4 * size_ : 1); }
    int textHeight(const vb::Bytes &) override { return heightOverride >= 0 ? heightOverride : lineHeight(size_); }
    void textRect(const vb::PixelRect &clip, int x, int y, const vb::Bytes &text) override {
        drawn.push_back({Drawn::kText, clip, x, y, size_, text, face_});
    }
    void setPenWidth(int pixels) override { pen_ = pixels; }
    void line(int x1, int y1, int x2, int y2) override {
        drawn.push_back({Drawn::kLine, {x1, y1, x2, y2}, 0, 0, pen_, {}, {}});
    }

    static int lineHeight(int size) { return size > 0 ? 6 * size : 1; }

    // What was drawn on page p (from 1).
    std::vector<Drawn> page(int p) const {
        std::vector<Drawn> out;
        int current = 1;
        for (const Drawn &d : drawn) {
            if (d.kind == Drawn::kNewPage)
                ++current;
            else if (current == p)
                out.push_back(d);
        }
        return out;
    }
    int pages() const {
        int n = 1;
        for (const Drawn &d : drawn)
            n += d.kind == Drawn::kNewPage;
        return n;
    }

private:
    int width_, height_;
    int size_ = 0, pen_ = 0;
    vb::Bytes face_;
};

} // namespace vbtest
