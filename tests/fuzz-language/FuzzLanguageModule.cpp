#include "services/LanguageModule.h"

#include <QDirIterator>
#include <QFile>

#include <cstddef>
#include <cstdint>

// Feeds arbitrary bytes to the language module loader as if they were esp.dll. A
// module that is accepted is read through entry by entry, as Qt's resource reader
// lists and opens them. No input may crash, read outside the bytes, hang or leak.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto module = LanguageModule::fromBytes(bytes, QStringLiteral("/fuzz"));
    if (!module)
        return 0;
    QDirIterator entries(QStringLiteral(":/fuzz"), QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        QFile entry(entries.next());
        if (entry.open(QIODevice::ReadOnly))
            entry.readAll();
    }
    return 0;
}
