#include "ui/widgets/textfield.h"

#include <QValidator>
#include <algorithm>

namespace vb {
namespace {

int byteCount(const QString &s) { return int(fromUnicode(s).size()); }

// The length of the first characters of s that fit in budget bytes, a
// surrogate pair counting as one character.
int fittingLength(const QString &s, int budget) {
    int n = 0;
    while (n < s.size()) {
        const int step = s.at(n).isHighSurrogate() && n + 1 < s.size() ? 2 : 1;
        const int cost = byteCount(s.mid(n, step));
        if (cost > budget)
            break;
        budget -= cost;
        n += step;
    }
    return n;
}

} // namespace

class ByteLimitValidator : public QValidator {
public:
    explicit ByteLimitValidator(TextField *field) : QValidator(field), field_(field) {}

    State validate(QString &input, int &pos) const override {
        const int limit = field_->limit_;
        if (field_->byProgram_ || limit <= 0 || byteCount(input) <= limit)
            return Acceptable;
        // The edit replaced the middle of the old text: keep what it left
        // of the old text and as much of the inserted part as fits.
        const QString &old = field_->accepted_;
        const int shorter = int(std::min(old.size(), input.size()));
        int prefix = 0;
        while (prefix < shorter && old.at(prefix) == input.at(prefix))
            ++prefix;
        if (prefix > 0 && old.at(prefix - 1).isHighSurrogate())
            --prefix;
        int suffix = 0;
        while (suffix < shorter - prefix && old.at(old.size() - 1 - suffix) == input.at(input.size() - 1 - suffix))
            ++suffix;
        if (suffix > 0 && input.at(input.size() - suffix).isLowSurrogate())
            --suffix;
        const QString head = input.left(prefix), tail = input.right(suffix);
        const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
        const bool removed = old.size() - prefix - suffix > 0;
        const int budget = std::max(0, limit - byteCount(head) - byteCount(tail));
        const QString kept = inserted.left(fittingLength(inserted, budget));
        if (kept.isEmpty() && !removed)
            return Invalid;
        input = head + kept + tail;
        pos = int(head.size() + kept.size());
        return Acceptable;
    }

private:
    TextField *field_;
};

TextField::TextField(QWidget *parent) : QLineEdit(parent) {
    setValidator(new ByteLimitValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) { accepted_ = text; });
}

void TextField::setBytes(const Bytes &text) {
    byProgram_ = true;
    setText(toUnicode(text));
    byProgram_ = false;
}

} // namespace vb
