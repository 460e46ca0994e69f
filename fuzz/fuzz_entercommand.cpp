// What Enter makes of the input line. The input's first line is the typed text; the second and
// third, when present, are the names of the power-off and restart keywords (UTF-8).

#include "FuzzSupport.h"

#include "base/ShiftJis.h"
#include "keywords/EnterCommand.h"
#include "mainwindow/CommandTable.h"

namespace {

qsizetype cp932Size(QStringView text)
{
    const std::optional<QByteArray> bytes = ShiftJis::encode(text);
    return bytes ? bytes->size() : -1;
}

void checkChop(const QString &text, int bytes)
{
    const QString kept = EnterCommand::chopBytes(text, bytes);
    FUZZ_CHECK(text.startsWith(kept));
    const QStringView removed = QStringView(text).sliced(kept.size());
    // A surrogate pair goes whole or stays whole.
    FUZZ_CHECK(kept.isEmpty() || removed.isEmpty() || !removed.front().isLowSurrogate()
               || !kept.back().isHighSurrogate());
    if (bytes <= 0) {
        FUZZ_CHECK(removed.isEmpty());
        return;
    }
    const qsizetype removedBytes = cp932Size(removed);
    if (removedBytes < 0)
        return; // the code page cannot hold it, so it has no byte length to check
    // At least `bytes` bytes go unless the text runs out, and no character more than needed.
    FUZZ_CHECK(kept.isEmpty() || removedBytes >= bytes);
    if (!removed.isEmpty()) {
        const qsizetype firstSize =
            removed.front().isHighSurrogate() && removed.size() > 1 && removed[1].isLowSurrogate()
                ? 2
                : 1;
        FUZZ_CHECK(cp932Size(removed.sliced(firstSize)) < bytes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArrayView> lines = Fuzz::lines(Fuzz::bytes(data, size));
    const QString text = QString::fromUtf8(lines.value(0));
    const QString shutdownName = QString::fromUtf8(lines.value(1));
    const QString rebootName = QString::fromUtf8(lines.value(2));

    // The command acts on the text, or on the text with its command suffix cut off.
    const EnterCommand command =
        EnterCommand::classify(text, CommandTable::typedForms(), shutdownName, rebootName);
    FUZZ_CHECK(text.startsWith(command.text));

    for (int bytes = -1; bytes <= 6; ++bytes)
        checkChop(text, bytes);
    return 0;
}
