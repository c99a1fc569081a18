#include "browser/title_refresh.h"

#include "messages/header_reader.h"
#include "messages/naming.h"
#include "platform/errors.h"
#include "platform/file_identity.h"
#include "platform/files.h"

#include <mutex>
#include <string_view>
#include <utility>

namespace vb {
namespace {

// A file modified this long before its header was read may have been
// modified again within the file system's clock step after the read, with
// the same time: Reload reads it again.
constexpr int64_t kClockSlackNs = 1000000000;

} // namespace

void titleLineOf(bool logMode, bool textLine, const Bytes &fileName, const CurrentMessage &header, Bytes &line) {
    if (logMode) {
        line.clear();
        if (fileName.size() > 3 && fileName.compare(3, 5, header.Number) == 0)
            line.append(header.Number).append(" _ ").append(header.Title).append(" / ").append(header.Name);
        return;
    }
    line = textLine ? header.FirstLine : header.FileName;
}

RefreshResult refreshTitles(const RefreshJob &job, const std::atomic<bool> &cancel) {
    RefreshResult r;
    r.started = job.started;
    try {
        r.listing = FileList::listFiles(job.directory, job.mask);
    } catch (const RuntimeError &) {
        r.error = std::current_exception();
        return r;
    }
    r.listed = true;
    FileHandle folder;
    if (int err = 0; !folder.openFolderFs(fsPath(withSeparator(job.directory)), &err)) {
        // With nothing kept, the browser's own pass meets it and reports.
        if (!job.old) {
            r.readFailed = true;
            return r;
        }
        try {
            failIo(ioCodeFromErrno(err), err);
        } catch (const RuntimeError &) {
            r.error = std::current_exception();
        }
        return r;
    }
    // Both listings are in name order: one walk pairs them. A file kept
    // under the same inode keeps its line and links; a new one, one renamed
    // over, and the file on view when it changed are read.
    const NameList &names = r.listing.names;
    const InodeList &inodes = r.listing.inodes;
    const size_t n = names.size();
    HeaderReader reader;
    r.from.assign(n, -1);
    r.read.all = job.started;
    if (job.threads)
        r.links.reserve(n);
    CurrentMessage header;
    std::string fsName;
    Bytes name;
    static const NameList none;
    const NameList &oldNames = job.old ? job.old->names : none;
    const size_t oldN = oldNames.size();
    size_t i = 0;
    for (size_t k = 0; k < n; ++k) {
        if (cancel.load(std::memory_order_relaxed)) {
            r.cancelled = true;
            return r;
        }
        const std::string_view now = names[k];
        // Old files before this name are gone.
        while (i < oldN && oldNames[i] != now && compareFileNames(Bytes(oldNames[i]), Bytes(now)) < 0)
            ++i;
        const bool same = i < oldN && oldNames[i] == now;
        bool kept = same && job.old->inodes[i] == inodes[k] && now != job.rereadName;
        if (kept && job.byHand) {
            // Rewritten in place since its header was read, or gone.
            FileIdentity identity;
            name.assign(now);
            fsName.clear();
            appendBytesToFs(fsName, name);
            kept = readFileIdentityIn(folder, fsName, identity) && identity.present &&
                   identity.modifiedNs < job.oldRead[i] - kClockSlackNs;
        }
        if (kept) {
            r.from[k] = int32_t(i);
            r.read.set(k, n, job.oldRead[i]);
            if (job.threads)
                r.links.addFrom(job.oldLinks, i);
        } else {
            name.assign(now);
            fsName.clear();
            appendBytesToFs(fsName, name);
            try {
                reader.readIn(folder, fsName, name, job.logMode, header);
            } catch (const RuntimeError &) {
                r.readFailed = true;
                return r;
            }
            r.readLines.emplace_back();
            r.from[k] = -int32_t(r.readLines.size());
            Bytes &line = r.readLines.back();
            titleLineOf(job.logMode, job.textLine, name, header, line);
            if (job.threads)
                r.links.addHeader(header, line);
        }
        if (same)
            ++i;
    }
    if (job.threads)
        r.tree = ThreadTree::build(r.links, n, job.descending);
    return r;
}

std::shared_ptr<RefreshRun> startRefreshRun(RunReceiver *receiver, quint64 id, RefreshJob job) {
    auto run = std::make_shared<RefreshRun>(receiver, id);
    startRunThread([run, job = std::move(job)] {
        RefreshResult r;
        try {
            r = refreshTitles(job, run->cancel);
        } catch (...) {
            // Out of memory on the way: reported as a failure to list.
            r = RefreshResult();
            r.error = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(run->mutex);
        run->result = std::move(r);
        run->tellLocked();
    });
    return run;
}

} // namespace vb
