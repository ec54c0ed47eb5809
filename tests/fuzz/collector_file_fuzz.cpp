// Fuzzes the one reader of collector files. Whatever the bytes, reading ends;
// every row it accepts keeps the collector rules; and what it accepts, once
// exported, reads back as the same collectors in every export style.
#include <QBuffer>
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "library/collector_import.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "collector file fuzz: %s\n", what);
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const library::ImportFile file = library::parseImport(bytes);
    if (file.rows.size() != file.lines.size() || file.rows.size() != file.given.size()) {
        fail("rows, lines and given fields differ in number");
    }
    for (const library::Collector& row : file.rows) {
        if (!library::check(row).isEmpty()) {
            fail("an accepted row breaks a rule");
        }
    }
    for (const library::Refusal& refusal : file.refusals) {
        if (refusal.reason.isEmpty() || refusal.line < 0 || refusal.element < 0) {
            fail("a refusal without its reason or place");
        }
    }
    if (file.rows.isEmpty()) {
        return 0;
    }
    const QByteArray exports[] = {
        library::exportCsv(file.rows, library::CsvStyle::CommaPoint),
        library::exportCsv(file.rows, library::CsvStyle::SemicolonComma),
        library::exportJson(file.rows),
    };
    for (const QByteArray& exported : exports) {
        const library::ImportFile again = library::parseImport(exported);
        if (!again.refusals.isEmpty() || again.rows != file.rows) {
            fail("an export does not read back as the collectors it holds");
        }
    }
    return 0;
}
