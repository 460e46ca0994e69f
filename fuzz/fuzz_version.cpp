// Arbitrary bytes as an executable whose version record is read: every read of the ELF
// reader stays inside the file, and a found version is a text it holds.

#include "FuzzSupport.h"

#include "dialogs/VersionInfo.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const QString version = VersionInfo::fileVersion(file);
    FUZZ_CHECK(version.isEmpty() || bytes.contains(version.toLatin1()));
    return 0;
}
