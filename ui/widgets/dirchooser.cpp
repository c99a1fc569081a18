#include "ui/widgets/dirchooser.h"

#include "platform/files.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace vb {
namespace {

Bytes trimmed(Bytes dir) {
    while (dir.size() > 1 && dir.back() == kSep)
        dir.pop_back();
    return dir;
}

Bytes parentOf(const Bytes &dir) {
    size_t p = dir.rfind(kSep);
    if (p == Bytes::npos || p == 0)
        return Bytes(1, kSep);
    return dir.substr(0, p);
}

} // namespace

DirChooser::DirChooser(QWidget *parent) : QWidget(parent) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    path_ = new QLabel(this);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list_ = new QListWidget(this);
    layout->addWidget(path_);
    layout->addWidget(list_, 1);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { enterRow(list_->row(item)); });
}

void DirChooser::enterRow(int row) {
    if (row < 0 || row >= list_->count())
        return;
    if (owner_ && !owner_->mayLeaveDirectory())
        return;
    const QListWidgetItem *item = list_->item(row);
    const Bytes name = fromUnicode(item->data(Qt::UserRole).toString());
    setDirectory(name == ".." ? parentOf(dir_) : withSeparator(dir_) + name);
}

void DirChooser::setDirectory(const Bytes &dir) {
    const auto move = [this, &dir] {
        dir_ = trimmed(dir);
        fill();
        emit directoryChanged();
    };
    if (owner_)
        owner_->runMove(move);
    else
        move();
}

void DirChooser::fill() {
    list_->clear();
    path_->setText(toUnicode(dir_));
    path_->setToolTip(path_->text());
    if (dir_ != Bytes(1, kSep)) {
        auto *up =
            new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent), QStringLiteral(".."), list_);
        up->setData(Qt::UserRole, QStringLiteral(".."));
    }
    std::vector<Bytes> folders;
    if (owner_)
        folders = owner_->subfolders(dir_);
    else
        listDirectory(dir_, nullptr, &folders); // a folder that cannot be read shows none
    std::sort(folders.begin(), folders.end());
    for (const Bytes &name : folders) {
        auto *item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), toUnicode(name), list_);
        item->setData(Qt::UserRole, toUnicode(name));
    }
}

} // namespace vb
