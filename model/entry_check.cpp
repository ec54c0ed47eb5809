#include "entry_check.h"

namespace model {

EntryVerdict checkEntry(QStringView text, const EntryRule& rule, const rt::NumberFormat& format) {
    if (!format.isNumeric(text)) {
        return EntryVerdict::NotANumber;
    }
    const double value = format.toDouble(text);
    return value < rule.upper && value > rule.lower ? EntryVerdict::Accepted
                                                    : EntryVerdict::OutOfRange;
}

}  // namespace model
