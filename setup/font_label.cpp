#include "setup/font_label.h"

#include "setup/setup_rules.h"

namespace vb {

FontLabel::FontLabel(QWidget *parent) : QLabel(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setTextFormat(Qt::PlainText);
}

void FontLabel::showFont(const Bytes &face, const Bytes &points) { setFontChoice(face, pointSizeValue(points)); }

void FontLabel::setFontChoice(const Bytes &face, int points) {
    face_ = face;
    points_ = points;
    QFont f = font();
    f.setFamily(toUnicode(face));
    setFont(f);
    setText(toUnicode(fontCaption(face, points)));
}

} // namespace vb
