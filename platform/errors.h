#pragma once
// Failures reported the way the runtime reports them: an exception carrying
// the runtime's own text (in code-page bytes). The general error report of the
// windowing layer catches them at the end of every event handler.

#include "platform/codepage.h"

#include <exception>

namespace vb {

// The system's own words for an errno value ("No space left on device"), in
// the user's language where the system has it; empty for 0.
Bytes systemReason(int err);

class RuntimeError : public std::exception {
public:
    // err, when not 0, is the errno value of the system call that failed: its
    // reason is shown after the text.
    explicit RuntimeError(Bytes text, int err = 0) : text_(std::move(text)), reason_(systemReason(err)) {}
    const Bytes &text() const { return text_; }
    // The system's reason, empty when there is none.
    const Bytes &reason() const { return reason_; }
    const char *what() const noexcept override { return text_.c_str(); }

private:
    Bytes text_;
    Bytes reason_;
};

// I/O error codes as the runtime numbers them.
enum IoCode { kIoFileNotFound = 2, kIoPathNotFound = 3, kIoAccessDenied = 5, kIoGeneral = 100 };

// A text quoted in a failure is kept up to this many bytes.
constexpr size_t kQuoteLimit = 256;

// text as a failure quotes it: whole when it fits in kQuoteLimit bytes, else
// cut on a character boundary with "…" marking the cut.
Bytes quoteForError(const Bytes &text);

// The quoted text or path is cut as by quoteForError. err is the errno value
// behind the failure, 0 when there is none.
[[noreturn]] void failNotNumber(const Bytes &text);                 // '%s' は数値ではありません
[[noreturn]] void failCannotCreate(const Bytes &path, int err = 0); // ファイル %s を作成できません
[[noreturn]] void failCannotOpen(const Bytes &path, int err = 0);   // ファイル %s は開けません
[[noreturn]] void failIo(int code, int err = 0);                    // I/O エラー (%d)
[[noreturn]] void failCannotWrite(const Bytes &path, int err = 0);  // %s に書き込めません

// Maps an errno value to the runtime's I/O code.
int ioCodeFromErrno(int err);

} // namespace vb
