#pragma once

#include <QCommandLineParser>
#include <QString>
#include <optional>
#include <vector>

// The decimal options' values, read alike by every command: a decimal point
// or comma whatever the locale, the first refusal kept.
namespace cli {

class OptionReader {
public:
    explicit OptionReader(const QCommandLineParser& parser) : parser_(parser) {}

    [[nodiscard]] bool isSet(const QString& name) const { return parser_.isSet(name); }
    [[nodiscard]] const std::optional<QString>& refusal() const { return refusal_; }

    // Keeps the first: "--name: message".
    void refuse(const QString& name, const QString& message);

    // The option's number into `target`, which keeps its value when the
    // option is not given or refused.
    template <typename Target>
    void number(const QString& name, Target& target) {
        if (!isSet(name)) {
            return;
        }
        if (const std::optional<double> value = read(parser_.value(name))) {
            target = *value;
        } else {
            refuse(name, QStringLiteral("Adjon meg számot (tizedesponttal vagy -vesszővel)."));
        }
    }

    // A list separated by commas, or by semicolons where the numbers have a
    // decimal comma.
    void list(const QString& name, std::vector<double>& target);

private:
    [[nodiscard]] static std::optional<double> read(const QString& text);

    const QCommandLineParser& parser_;
    std::optional<QString> refusal_;
};

}  // namespace cli
