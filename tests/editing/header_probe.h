#pragma once
// The tests' window into the header editor: its controls, which the editor
// keeps to itself, found on the shared window by the object names the
// program gives them.

#include "editing/shared_window.h"
#include "tests/common/controls.h"
#include "ui/widgets/spinedit.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace vbtest {

// The children named name1 … nameN.
template <class T, size_t N>
std::array<T *, N> numberedControls(const QObject &root, const char *name) {
    std::array<T *, N> found{};
    for (size_t k = 0; k < N; ++k)
        found[k] = control<T>(root, QString::fromLatin1(name) + QString::number(k + 1));
    return found;
}

class HeaderEditorProbe {
    const vb::TF3 &window_;

public:
    explicit HeaderEditorProbe(const vb::TF3 &window) : window_(window) {}

    // clang-format off
    QFrame *Pnl_LogHeader = control<QFrame>(window_, QStringLiteral("Pnl_LogHeader"));
    vb::SpinEdit *SE_Header_Number = control<vb::SpinEdit>(window_, QStringLiteral("SE_Header_Number"));
    QLineEdit *E_Header_Title = control<QLineEdit>(window_, QStringLiteral("E_Header_Title"));
    QLineEdit *E_Header_Name = control<QLineEdit>(window_, QStringLiteral("E_Header_Name"));
    QLineEdit *E_Header_Mail = control<QLineEdit>(window_, QStringLiteral("E_Header_Mail"));
    QLineEdit *E_Header_Web = control<QLineEdit>(window_, QStringLiteral("E_Header_Web"));
    QLineEdit *E_Header_Date = control<QLineEdit>(window_, QStringLiteral("E_Header_Date"));
    QLineEdit *E_Header_File = control<QLineEdit>(window_, QStringLiteral("E_Header_File"));
    QPushButton *Btn_Header_Date_Now = control<QPushButton>(window_, QStringLiteral("Btn_Header_Date_Now"));
    std::array<QCheckBox *, 10> CB_Next = numberedControls<QCheckBox, 10>(window_, "CB_Next");
    std::array<vb::SpinEdit *, 10> SE_Next = numberedControls<vb::SpinEdit, 10>(window_, "SE_Next");
    QCheckBox *CB_Back = control<QCheckBox>(window_, QStringLiteral("CB_Back"));
    vb::SpinEdit *SE_Back = control<vb::SpinEdit>(window_, QStringLiteral("SE_Back"));
    QPushButton *Btn_Header_Number = control<QPushButton>(window_, QStringLiteral("Btn_Header_Number"));
    QPushButton *Btn_Header_Title = control<QPushButton>(window_, QStringLiteral("Btn_Header_Title"));
    QPushButton *Btn_Header_Name = control<QPushButton>(window_, QStringLiteral("Btn_Header_Name"));
    QPushButton *Btn_Header_Mail = control<QPushButton>(window_, QStringLiteral("Btn_Header_Mail"));
    QPushButton *Btn_Header_Web = control<QPushButton>(window_, QStringLiteral("Btn_Header_Web"));
    QPushButton *Btn_Header_Date = control<QPushButton>(window_, QStringLiteral("Btn_Header_Date"));
    QPushButton *Btn_Header_Next = control<QPushButton>(window_, QStringLiteral("Btn_Header_Next"));
    QPushButton *Btn_Header_Back = control<QPushButton>(window_, QStringLiteral("Btn_Header_Back"));
    QPushButton *Btn_Header_File = control<QPushButton>(window_, QStringLiteral("Btn_Header_File"));
    QCheckBox *CB_LogFile = control<QCheckBox>(window_, QStringLiteral("CB_LogFile"));
    QCheckBox *CB_AutoFileName = control<QCheckBox>(window_, QStringLiteral("CB_AutoFileName"));
    QCheckBox *CB_DeleteOldFile = control<QCheckBox>(window_, QStringLiteral("CB_DeleteOldFile"));
    QPushButton *Btn_Header_OK = control<QPushButton>(window_, QStringLiteral("Btn_Header_OK"));
    QPushButton *Btn_Header_Cancel = control<QPushButton>(window_, QStringLiteral("Btn_Header_Cancel"));
    // clang-format on
};

} // namespace vbtest
