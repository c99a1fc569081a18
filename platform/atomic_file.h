#pragma once
// A file written a piece at a time and put in place whole. The pieces go to a
// temporary file beside the target (a symbolic link's own target, where the
// path is a link); commit syncs it and renames it over the target. Until then
// the target is untouched, and a writer closed or dropped without a commit
// removes its temporary file. Every write is checked: the first failure is
// kept, and commit then refuses.

#include "platform/codepage.h"

#include <QIODevice>
#include <vector>

namespace vb {

class AtomicFile : public QIODevice {
public:
    explicit AtomicFile(const Bytes &path);
    ~AtomicFile() override;

    // Creates the temporary file; only WriteOnly is taken. False with
    // errorCode() set when it cannot be made.
    bool open(OpenMode mode) override;
    // Discards: the temporary file goes, the target stays as it was.
    void close() override;
    bool isSequential() const override { return true; }

    // Writes out what is buffered, syncs, renames over the target and syncs
    // the folder. False with errorCode() set when any write so far, the sync
    // or the rename failed; the target is then as it was.
    bool commit();
    // The errno value of the first failure, 0 when there was none.
    int errorCode() const { return err_; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool flushBuffer();
    void fail(int err);
    void removeTemporary();

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    int err_ = 0;
    std::vector<char> buffer_;
};

} // namespace vb
