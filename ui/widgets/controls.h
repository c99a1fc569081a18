#pragma once
// Small controls with the semantics the windows rely on: byte-string
// captions, selected indices of -1 for none, menu entries with an integer tag,
// flat buttons and dialog frames.

#include "platform/codepage.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>
#include <functional>

namespace vb {

// Caption helpers: the byte string shown as is (no mnemonics).
void setCaption(QLabel *label, const Bytes &text);
Bytes caption(const QLabel *label);
// The hint is the tool tip and the accessible description.

// A pick-only drop-down list of byte strings.
class ComboList : public QComboBox {
    Q_OBJECT
public:
    explicit ComboList(QWidget *parent = nullptr);
    void addLine(const Bytes &line);
    Bytes line(int i) const;
    int selectedIndex() const { return currentIndex(); }
    // Selects without raising activated(), which tells of the user's pick
    // (also of the entry already selected).
    void setSelectedIndex(int i) { setCurrentIndex(i); }
};

// A main-menu entry with a byte-string caption and an integer tag.
class MenuEntry : public QAction {
    Q_OBJECT
public:
    MenuEntry(const Bytes &caption, QObject *parent);
    void setCaption(const Bytes &caption);
    const Bytes &caption() const { return caption_; }
    int tag = 0;

private:
    Bytes caption_;
};

// A flat speed button with a byte-string caption.
class FlatButton : public QToolButton {
    Q_OBJECT
public:
    FlatButton(const Bytes &caption, QWidget *parent);
    void setCaption(const Bytes &caption);
    const Bytes &caption() const { return caption_; }

private:
    Bytes caption_;
};

// A window with a fixed dialog frame and no title-bar buttons.
void setDialogFrame(QWidget *window, const QString &caption);
// A bold 16-pixel heading label placed at (x, y).
QLabel *makeHeading(QWidget *parent, const QString &text, int x, int y);

} // namespace vb
