#include "ui/widgets/help_windows.h"

#include "platform/apptitle.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#ifndef VELBROOK_VERSION
#error "VELBROOK_VERSION is the project's version"
#endif

namespace vb {
namespace {

QString keysText(const QList<QKeySequence> &keys) {
    QStringList parts;
    for (const QKeySequence &k : keys)
        parts << k.toString(QKeySequence::NativeText);
    return parts.join(QStringLiteral(", "));
}

QString plainCaption(QString caption) {
    // "&&" stands for "&"; a lone "&" marks the access key.
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

void collect(const QMenu *menu, const QString &path, std::vector<ShortcutRow> &rows) {
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        const QString command = path + QStringLiteral(" > ") + plainCaption(a->text());
        if (a->menu())
            collect(a->menu(), command, rows);
        else if (!a->shortcuts().isEmpty())
            rows.push_back({keysText(a->shortcuts()), command, a->toolTip() == a->text() ? QString() : a->toolTip()});
    }
}

void setAccessible(QWidget *w, const QString &name, const QString &description) {
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

} // namespace

std::vector<ShortcutRow> shortcutsOf(QMainWindow *window) {
    std::vector<ShortcutRow> rows;
    for (QAction *top : window->menuBar()->actions())
        if (top->menu())
            collect(top->menu(), plainCaption(top->text()), rows);
    for (QShortcut *s : window->findChildren<QShortcut *>())
        if (!s->whatsThis().isEmpty())
            rows.push_back({keysText(s->keys()), QString(), s->whatsThis()});
    return rows;
}

ShortcutsWindow::ShortcutsWindow(QMainWindow *source) : QDialog(source), source_(source) {
    setObjectName(QStringLiteral("ShortcutsWindow"));
    setWindowTitle(toUnicode(appTitle()) + QStringLiteral(" Keyboard Shortcuts"));
    setAccessibleName(windowTitle());
    auto *layout = new QVBoxLayout(this);
    Tbl_Shortcuts = new QTableWidget(0, 3, this);
    Tbl_Shortcuts->setObjectName(QStringLiteral("Tbl_Shortcuts"));
    Tbl_Shortcuts->setHorizontalHeaderLabels(
        {QStringLiteral("Key"), QStringLiteral("Command"), QStringLiteral("Does")});
    Tbl_Shortcuts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tbl_Shortcuts->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tbl_Shortcuts->verticalHeader()->hide();
    Tbl_Shortcuts->horizontalHeader()->setStretchLastSection(true);
    setAccessible(Tbl_Shortcuts, QStringLiteral("Keyboard Shortcuts"), QString::fromUtf8("キー操作の一覧"));
    layout->addWidget(Tbl_Shortcuts);
    Btn_Close = new QPushButton(QStringLiteral("Close"), this);
    Btn_Close->setObjectName(QStringLiteral("Btn_Close"));
    setAccessible(Btn_Close, QStringLiteral("Close"), QString::fromUtf8("一覧を閉じる"));
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(Btn_Close, 0, Qt::AlignRight);
    resize(560, 480);
}

void ShortcutsWindow::refresh() {
    const std::vector<ShortcutRow> rows = shortcutsOf(source_);
    Tbl_Shortcuts->setRowCount(int(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString cells[] = {rows[i].keys, rows[i].command, rows[i].description};
        for (int c = 0; c < 3; ++c)
            Tbl_Shortcuts->setItem(int(i), c, new QTableWidgetItem(cells[c]));
    }
    Tbl_Shortcuts->resizeColumnsToContents();
}

void ShortcutsWindow::showEvent(QShowEvent *e) {
    refresh();
    QDialog::showEvent(e);
}

QString aboutText(const QString &settingsFile) {
    return QStringLiteral("Velbrook " VELBROOK_VERSION "\n"
                          "Reads, edits and prints message logs.\n"
                          "\n"
                          "Copyright (c) 2026 The Velbrook developers\n"
                          "Released under the MIT licence.\n"
                          "\n"
                          "Qt %1\n"
                          "Settings file: %2")
        .arg(QString::fromLatin1(qVersion()), settingsFile);
}

AboutWindow::AboutWindow(QWidget *parent, const QString &settingsFile) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(toUnicode(appTitle()) + QStringLiteral(" About"));
    setAccessibleName(windowTitle());
    auto *layout = new QVBoxLayout(this);
    Lbl_About = new QLabel(aboutText(settingsFile), this);
    Lbl_About->setObjectName(QStringLiteral("Lbl_About"));
    Lbl_About->setTextFormat(Qt::PlainText);
    Lbl_About->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAccessible(Lbl_About, QStringLiteral("About Velbrook"), Lbl_About->text());
    layout->addWidget(Lbl_About);
    Btn_Close = new QPushButton(QStringLiteral("Close"), this);
    Btn_Close->setObjectName(QStringLiteral("Btn_Close"));
    setAccessible(Btn_Close, QStringLiteral("Close"), QString::fromUtf8("閉じる"));
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(Btn_Close, 0, Qt::AlignRight);
}

} // namespace vb
