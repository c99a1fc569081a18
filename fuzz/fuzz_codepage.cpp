// Any bytes survive the code page both ways: bytes -> text -> bytes gives the
// same bytes, and a file-system name -> program name -> file-system name
// gives the same name, so every listed file opens and no edit changes a byte
// it did not touch.

#include "fuzz/fuzz_check.h"
#include "platform/codepage.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string bytes(reinterpret_cast<const char *>(data), size);

    const QString text = vb::toUnicode(bytes);
    FUZZ_CHECK(vb::fromUnicode(text) == bytes);

    // A name as the file system holds it: no separator, no NUL.
    std::string fsName;
    for (char c : bytes)
        if (c != '/' && c != '\0')
            fsName.push_back(c);
    const vb::Bytes name = vb::fsToBytes(fsName);
    FUZZ_CHECK(vb::bytesToFs(name) == fsName);
    // The name the program holds is itself plain code-page bytes: it shows
    // and comes back unchanged, and it holds no separator of its own.
    FUZZ_CHECK(vb::fromUnicode(vb::toUnicode(name)) == name);
    FUZZ_CHECK(name.find('/') == std::string::npos);
    return 0;
}
