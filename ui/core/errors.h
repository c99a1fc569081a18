#pragma once
// Failures reported the way the runtime reports them: an exception carrying
// the runtime's own text (in code-page bytes). The general error report of the
// windowing layer catches them at the end of every event handler.

#include "ui/core/codepage.h"

#include <exception>

namespace vb {

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(Bytes text) : text_(std::move(text)) {}
    const Bytes &text() const { return text_; }
    const char *what() const noexcept override { return text_.c_str(); }

private:
    Bytes text_;
};

// I/O error codes as the runtime numbers them.
enum IoCode { kIoFileNotFound = 2, kIoPathNotFound = 3, kIoAccessDenied = 5, kIoGeneral = 100 };

// A text quoted in a failure is kept up to this many bytes.
constexpr size_t kQuoteLimit = 256;

// text as a failure quotes it: whole when it fits in kQuoteLimit bytes, else
// cut on a character boundary with "…" marking the cut.
Bytes quoteForError(const Bytes &text);

// The quoted text or path is cut as by quoteForError.
[[noreturn]] void failNotNumber(const Bytes &text);    // '%s' は数値ではありません
[[noreturn]] void failCannotCreate(const Bytes &path); // ファイル %s を作成できません
[[noreturn]] void failCannotOpen(const Bytes &path);   // ファイル %s は開けません
[[noreturn]] void failIo(int code);                    // I/O エラー (%d)
[[noreturn]] void failCannotWrite(const Bytes &path);  // %s に書き込めません

// Maps an errno value to the runtime's I/O code.
int ioCodeFromErrno(int err);

} // namespace vb
