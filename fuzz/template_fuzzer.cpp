// Reading arbitrary bytes as the template file: the lists are taken whole or not at all, and
// lists that were read write and read back the same.
#include <QFile>

#include <cstddef>
#include <cstdint>

#include "document/files/site_template.h"
#include "fuzz/fuzz_support.h"

using namespace plantrek;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = fuzz::ScratchFolder() + QStringLiteral("/TracepadTemplate");
    {
        QFile file(path);
        fuzz::Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "no template file");
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    CSiteTemplate lists;
    lists.roomNames = QStringList{QStringLiteral("untouched")};
    if (!CSiteTemplate::Read(path, lists)) {
        fuzz::Require(lists.roomNames == QStringList{QStringLiteral("untouched")} &&
                          lists.materials.isEmpty(),
                      "a failed read changed the lists");
        return 0;
    }
    const QString copy = fuzz::ScratchFolder() + QStringLiteral("/copy/TracepadTemplate");
    fuzz::Require(CSiteTemplate::Write(copy, lists), "read lists do not write");
    CSiteTemplate reread;
    fuzz::Require(CSiteTemplate::Read(copy, reread), "written lists do not read");
    fuzz::Require(reread == lists, "the lists changed on writing");
    return 0;
}
