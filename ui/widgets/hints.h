#pragma once
// Hints (tool tips): each top-level window shows its hints or not, and every
// hint doubles as the control's accessible description.

class QWidget;

namespace vb {

void setHint(QWidget *w, const char *utf8);
void installHintSwitch();
void setHintsShown(QWidget *window, bool shown);
bool hintsShown(const QWidget *window);
// Whether w may show its hint: its window's switch, where a menu belongs to
// the window whose menu bar or menu opened it.
bool hintAllowed(const QWidget *w);

} // namespace vb
