#include "option_values.h"

#include <QLocale>
#include <cmath>

namespace cli {

void OptionReader::refuse(const QString& name, const QString& message) {
    if (!refusal_) {
        refusal_ = QStringLiteral("--%1: %2").arg(name, message);
    }
}

void OptionReader::list(const QString& name, std::vector<double>& target) {
    if (!isSet(name)) {
        return;
    }
    const QString text = parser_.value(name);
    const QChar separator = text.contains(u';') ? u';' : u',';
    target.clear();
    for (const QString& part : text.split(separator, Qt::SkipEmptyParts)) {
        const std::optional<double> value = read(part);
        if (!value) {
            refuse(name, QStringLiteral("Adjon meg vesszővel (tizedesvesszős számoknál "
                                        "pontosvesszővel) elválasztott számokat."));
            return;
        }
        target.push_back(*value);
    }
}

std::optional<double> OptionReader::read(const QString& text) {
    static const QLocale point = QLocale::c();
    static const QLocale comma(QLocale::Hungarian, QLocale::Hungary);
    bool ok = false;
    const double value = (text.contains(u',') ? comma : point).toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

}  // namespace cli
