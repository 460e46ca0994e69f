// A skin.ini as the skin readers take it: the input is the file's bytes, every key is read
// as the main window reads it, and what was read is written anew and must read back the same.

#include "FuzzSupport.h"

#include "base/Error.h"
#include "base/Messages.h"
#include "base/ShiftJis.h"
#include "settings/IniFile.h"
#include "skins/SkinColours.h"
#include "skins/SkinIni.h"
#include "skins/SkinKeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace {

// Files in memory where there is such a folder: the writer syncs every file it replaces.
const QTemporaryDir &folder()
{
    static const QTemporaryDir dir(QDir("/dev/shm").exists()
                                       ? QStringLiteral("/dev/shm/fuzz_skinini-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/fuzz_skinini-XXXXXX"));
    return dir;
}

int readInteger(const SkinIni &ini, QStringView key, int defaultValue)
{
    const int value = ini.readInteger(key, defaultValue);
    // Only text that does not convert gives the default: a second default tells.
    const int other = ini.readInteger(key, ~defaultValue);
    QString text = ini.readText(key, {});
    if (text.size() > 2 && (text.startsWith(u"0x") || text.startsWith(u"0X")))
        text.replace(0, 2, u'$');
    const std::optional<int> number = SkinColours::parseInteger(text);
    FUZZ_CHECK(number ? value == *number && other == *number
                      : value == defaultValue && other == ~defaultValue);
    return value;
}

quint32 readColour(const SkinIni &ini, QStringView key, QStringView defaultText)
{
    const QString text = ini.readText(key, defaultText);
    try {
        return ini.readColour(key, defaultText);
    } catch (const Error &e) {
        FUZZ_CHECK(e.message() == Messages::notAnInteger(text));
        return SkinColours::fromText(defaultText.toString());
    }
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

// A name that reads back as it is written: the reader trims blanks and one pair of quotes.
bool readsBackAsWritten(const QString &name)
{
    if (!name.isEmpty() && (isBlank(name.front()) || isBlank(name.back())))
        return false;
    return !(name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'')
             && name.back() == name.front());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = folder().filePath(QStringLiteral("input.ini"));
    const QString output = folder().filePath(QStringLiteral("output.ini"));
    {
        QFile file(input);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    }

    using namespace SkinKeys;
    namespace Main = SkinKeys::MainDefaults;
    const SkinIni ini(input);
    const SkinIni::Values values{
        ini.readText(SkinName, Main::SkinName),
        readInteger(ini, IconTop, Main::IconTop),
        readInteger(ini, IconLeft, Main::IconLeft),
        readInteger(ini, ListTop, Main::ListTop),
        readInteger(ini, ListLeft, Main::ListLeft),
        readInteger(ini, ListWidth, Main::ListWidth),
        readColour(ini, ListBColor, Main::ListBColor),
        readColour(ini, ListTColor, Main::ListTColor),
        readInteger(ini, ExplanationTop, Main::ExplanationTop),
        readInteger(ini, ExplanationLeft, Main::ExplanationLeft),
        readInteger(ini, ExplanationWidth, Main::ExplanationWidth),
        readColour(ini, ExplanationTextColor, Main::ExplanationTextColor),
        readColour(ini, TransparentColor, u"clBlack"),
    };
    FUZZ_CHECK(ShiftJis::encode(values.skinName).value_or(QByteArray()).size()
               <= IniFile::MaxValueBytes);

    // Written anew, unless the name cannot be held; then the old file stays.
    QFile::remove(output);
    try {
        SkinIni::write(output, values);
    } catch (const Error &) {
        FUZZ_CHECK(!ShiftJis::encode(values.skinName) || values.skinName.contains(u'\r')
                   || values.skinName.contains(u'\n'));
        FUZZ_CHECK(!QFile::exists(output));
        return 0;
    }
    QFile written(output);
    FUZZ_CHECK(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    FUZZ_CHECK(bytes.count("\r\n") == 27 && bytes.endsWith("\r\n"));

    const SkinIni back(output);
    if (readsBackAsWritten(values.skinName))
        FUZZ_CHECK(back.readText(SkinName, u"") == values.skinName);
    FUZZ_CHECK(back.readInteger(IconTop, 0) == values.iconTop);
    FUZZ_CHECK(back.readInteger(IconLeft, 0) == values.iconLeft);
    FUZZ_CHECK(back.readInteger(ListTop, 0) == values.listTop);
    FUZZ_CHECK(back.readInteger(ListLeft, 0) == values.listLeft);
    FUZZ_CHECK(back.readInteger(ListWidth, 0) == values.listWidth);
    FUZZ_CHECK(back.readColour(ListBColor, u"") == values.listBColor);
    FUZZ_CHECK(back.readColour(ListTColor, u"") == values.listTColor);
    FUZZ_CHECK(back.readInteger(ExplanationTop, 0) == values.explanationTop);
    FUZZ_CHECK(back.readInteger(ExplanationLeft, 0) == values.explanationLeft);
    FUZZ_CHECK(back.readInteger(ExplanationWidth, 0) == values.explanationWidth);
    FUZZ_CHECK(back.readColour(ExplanationTextColor, u"") == values.explanationTextColor);
    FUZZ_CHECK(back.readColour(TransparentColor, u"") == values.transparentColor);
    return 0;
}
