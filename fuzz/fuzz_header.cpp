// The header reader and the number and link rules, against a small model of
// the header rules written here: lines end at CR (with the LF after it), a
// lone LF stays in its line, 0x1A ends the file, a line keeps its first
// 64 KiB cut on a character boundary, only the first MiB is looked at, the
// number line converts as a whole number, the keyed lines fill their fields,
// the last one winning; links split into five-byte pieces.
//
// Input: one byte of switches (bit 0 Log Mode, bits 1 and 2 the filler's
// scale), two bytes of filler length, one placing it, two filler bytes, then
// the file. The filler (a run of a repeated byte pair) goes into the file at the given offset, so that line ends fall on both
// sides of the reader's 4 KiB and 64 KiB read edges and lines grow past the
// line limit.

#include "fuzz/fuzz_check.h"
#include "messages/header_reader.h"
#include "messages/links.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using Bytes = std::string;

bool isLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

Bytes cutLine(const Bytes &line, size_t limit) {
    size_t i = 0;
    while (i < line.size()) {
        const size_t n = i + 1 < line.size() && isLead(static_cast<unsigned char>(line[i])) &&
                                 isTrail(static_cast<unsigned char>(line[i + 1]))
                             ? 2
                             : 1;
        if (i + n > limit)
            break;
        i += n;
    }
    return line.substr(0, i);
}

// A whole number: blanks, one sign, decimal digits and nothing else, within int.
bool wholeNumber(const Bytes &text, long long &value) {
    size_t i = text.find_first_not_of(' ');
    if (i == Bytes::npos)
        return false;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-')
        negative = text[i++] == '-';
    if (i == text.size() || text.find_first_not_of("0123456789", i) != Bytes::npos)
        return false;
    const size_t first = std::min(text.find_first_not_of('0', i), text.size());
    if (text.size() - first > 10)
        return false;
    long long v = first == text.size() ? 0 : std::stoll(text.substr(first));
    v = negative ? -v : v;
    if (v < -2147483648LL || v > 2147483647LL)
        return false;
    value = v;
    return true;
}

Bytes fiveDigitForm(long long n) {
    Bytes digits = std::to_string(n < 0 ? -n : n);
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    return (n < 0 ? "-" : "") + digits;
}

struct Model {
    bool fails = false;
    Bytes failure;
    vb::CurrentMessage msg;
};

Model readModel(Bytes file, bool logMode, const Bytes &name) {
    file.resize(std::min(file.size(), vb::kHeaderScanLimit));
    file.resize(std::min(file.find('\x1a'), file.size()));
    Bytes lines[10];
    size_t pos = 0;
    for (Bytes &line : lines) {
        if (pos > file.size())
            break;
        const size_t cr = std::min(file.find('\r', pos), file.size());
        // One byte past the limit decides whether the cut splits a character.
        line = cutLine(file.substr(pos, std::min(cr - pos, vb::kHeaderLineLimit + 1)), vb::kHeaderLineLimit);
        pos = cr + 1;
        if (pos < file.size() && file[pos] == '\n')
            ++pos;
    }
    Model m;
    long long number = 0;
    if (logMode && !wholeNumber(lines[0], number)) {
        m.fails = true;
        m.failure = "'" + vb::quoteForError(lines[0]) + "'" + vb::cp(" は数値ではありません");
        return m;
    }
    if (logMode)
        m.msg.Number = fiveDigitForm(number);
    m.msg.FirstLine = lines[0];
    static const struct {
        const char *upper, *lower;
        Bytes vb::CurrentMessage::*field;
    } keys[] = {
        {"Title:", "title:", &vb::CurrentMessage::Title},   {"Name :", "name :", &vb::CurrentMessage::Name},
        {"Mail :", "mail :", &vb::CurrentMessage::Mail},    {"Http :", "http :", &vb::CurrentMessage::Web},
        {"Date :", "date :", &vb::CurrentMessage::Date},    {"Next :", "next :", &vb::CurrentMessage::NextLinks},
        {"Back :", "back :", &vb::CurrentMessage::BackLink}};
    for (int i = 1; i < 10; ++i)
        for (const auto &k : keys)
            if (lines[i].compare(0, 6, k.upper) == 0 || lines[i].compare(0, 6, k.lower) == 0)
                m.msg.*k.field = lines[i].substr(6);
    m.msg.FileName = name;
    return m;
}

// The folder of the one file each input is written to, removed at exit; in
// memory where the machine offers it, since every input is a new file.
struct TempFile {
    Bytes dir, path;
    TempFile() {
        for (const char *base : {"/dev/shm", "/tmp"}) {
            Bytes name = Bytes(base) + "/vbfuzz-XXXXXX";
            if (::mkdtemp(&name[0])) {
                dir = name;
                break;
            }
        }
        if (dir.empty())
            std::abort();
        path = dir + "/KVX00001.TXT";
    }
    ~TempFile() {
        ::unlink(path.c_str());
        ::rmdir(dir.c_str());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 6)
        return 0;
    static const TempFile temp;
    const Bytes &path = temp.path;

    const bool logMode = data[0] & 1;
    // Up to 4590 bytes, past the first read; with bit 1 up to 73 KB, past the
    // line limit and the second read; with bits 1 and 2 up to 1.4 MB, past
    // the scan limit.
    size_t fillLength = size_t(data[1]) * 17 + data[2];
    if (data[0] & 2)
        fillLength *= (data[0] & 4) ? 300 : 16;
    const char fill[2] = {char(data[4]), char(data[5])};
    Bytes file(reinterpret_cast<const char *>(data + 6), size - 6);
    const size_t at = std::min(size_t(data[3]) * 16, file.size());
    Bytes run(fillLength, fill[0]);
    for (size_t i = 1; i < fillLength; i += 2)
        run[i] = fill[1];
    file.insert(at, run);

    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(file.data(), 1, file.size(), f) != file.size() || std::fclose(f) != 0)
        std::abort();

    const Model model = readModel(file, logMode, "KVX00001.TXT");
    vb::CurrentMessage msg;
    msg.Title = "left over";
    Bytes failure;
    try {
        vb::readMessageHeader(path, logMode, msg);
    } catch (const vb::RuntimeError &e) {
        failure = e.text();
    }
    FUZZ_CHECK(model.fails == !failure.empty());
    FUZZ_CHECK(failure == model.failure);
    FUZZ_CHECK(msg == model.msg);
    if (model.fails)
        return 0;

    // The links as the display splits them.
    const Bytes &next = msg.NextLinks;
    const int count = vb::nextLinkCount(next);
    FUZZ_CHECK(count == int(std::min<size_t>(next.size() / 5, 10)));
    for (int k = 1; k <= count; ++k) {
        long long expected = 0;
        const bool ok = wholeNumber(next.substr(size_t(k - 1) * 5, 5), expected);
        bool threw = false;
        int got = 0;
        try {
            got = vb::nextLink(next, k);
        } catch (const vb::RuntimeError &) {
            threw = true;
        }
        FUZZ_CHECK(threw == !ok);
        FUZZ_CHECK(!ok || got == expected);
    }
    long long back = 0;
    const bool backOk = wholeNumber(msg.BackLink, back);
    bool threw = false;
    int got = 0;
    try {
        got = vb::backLinkNumber(msg.BackLink);
    } catch (const vb::RuntimeError &) {
        threw = true;
    }
    FUZZ_CHECK(threw == !backOk);
    FUZZ_CHECK(!backOk || got == back);
    return 0;
}
