#pragma once
// The Help windows: the keyboard shortcuts, read from the menus that bind
// them so that the list always says what the keys do, and the About box.

#include <QDialog>
#include <QString>
#include <vector>

class QLabel;
class QMainWindow;
class QPushButton;
class QTableWidget;

namespace vb {

struct ShortcutRow {
    QString keys;        // as the desktop writes them, alternatives joined by ", "
    QString command;     // the menu path, "Edit > Find…"
    QString description; // the entry's hint, when it has one
};

// Every entry of window's menu bar (submenus included) bound to a key, in
// menu order, then every shortcut of the window that describes itself
// (QShortcut::whatsThis).
std::vector<ShortcutRow> shortcutsOf(QMainWindow *window);

class ShortcutsWindow : public QDialog {
    Q_OBJECT
public:
    // Lists source's keys; the list is read again each time it is shown.
    explicit ShortcutsWindow(QMainWindow *source);
    void refresh();

    QTableWidget *Tbl_Shortcuts = nullptr;
    QPushButton *Btn_Close = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    QMainWindow *source_ = nullptr;
};

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // settingsFile: the settings file of this run, as the user would type it.
    AboutWindow(QWidget *parent, const QString &settingsFile);

    QLabel *Lbl_About = nullptr;
    QPushButton *Btn_Close = nullptr;
};

// What the About box says: the version, the licence, the Qt version and the
// settings file in use.
QString aboutText(const QString &settingsFile);

} // namespace vb
