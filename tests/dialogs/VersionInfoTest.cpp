#include "dialogs/VersionInfo.h"
#include "CaseName.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace {

// Texts one after another, each but the last ended by a zero byte, as in a version record.
QByteArray texts(std::initializer_list<const char *> parts)
{
    QByteArrayList list;
    for (const char *part : parts)
        list.append(part);
    return list.join('\0');
}

// A small ELF file: the header, the record, the section names, then the section header
// table: an empty entry, the record's and the names'.
struct Elf
{
    bool wide = true;
    bool bigEndian = false;
    QByteArray sectionName = ".tb_version";
    QByteArray record = texts({"ProductVersion", "1.0.0.0", "FileVersion", "9.8.7.6"});
    quint64 claimedRecordSize = 0; // 0: the record's own size

    QByteArray bytes() const
    {
        const int headerSize = wide ? 64 : 52, entrySize = wide ? 64 : 40, word = wide ? 8 : 4;
        const QByteArray names = '\0' + sectionName + '\0' + ".shstrtab" + '\0';
        QByteArray file(headerSize, '\0');
        const qsizetype recordAt = file.size();
        file += record;
        const qsizetype namesAt = file.size();
        file += names;
        const qsizetype tableAt = file.size();
        file += QByteArray(3 * entrySize, '\0');

        const auto put = [&](qsizetype at, quint64 value, int width) {
            for (int i = 0; i < width; ++i)
                file[at + (bigEndian ? width - 1 - i : i)] = char(value >> (8 * i));
        };
        file.replace(0, 7,
                     QByteArray("\177ELF") + char(wide ? 2 : 1) + char(bigEndian ? 2 : 1) + '\1');
        put(wide ? 0x28 : 0x20, quint64(tableAt), word);
        put(wide ? 0x3A : 0x2E, quint64(entrySize), 2);
        put(wide ? 0x3C : 0x30, 3, 2);
        put(wide ? 0x3E : 0x32, 2, 2);
        const auto entry = [&](int index, quint64 name, quint64 type, qsizetype at, quint64 size) {
            const qsizetype e = tableAt + index * entrySize;
            put(e, name, 4);
            put(e + 4, type, 4);
            put(e + (wide ? 24 : 16), quint64(at), word);
            put(e + (wide ? 32 : 20), size, word);
        };
        entry(1, 1, 1, recordAt, claimedRecordSize ? claimedRecordSize : quint64(record.size()));
        entry(2, quint64(sectionName.size()) + 2, 3, namesAt, quint64(names.size()));
        return file;
    }
};

// The file a case reads, made in the test's folder or found elsewhere.
using File = std::function<QString(const TempFolder &)>;

File at(const char *path)
{
    return [path](const TempFolder &) {
        return QString::fromUtf8(path);
    };
}

File holding(const QByteArray &bytes)
{
    return [bytes](const TempFolder &dir) {
        dir.write(QStringLiteral("file"), bytes);
        return dir.file(QStringLiteral("file"));
    };
}

struct VersionCase
{
    std::string name;
    File file;
    QString version;
};

class VersionInfoTest : public testing::TestWithParam<VersionCase>
{
};

TEST_P(VersionInfoTest, ReadsTheFileVersion)
{
    const TempFolder dir;
    EXPECT_EQ(VersionInfo::fileVersion(GetParam().file(dir)), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionInfoTest,
    testing::Values(
        VersionCase{"TheProgram", at(TB_PROGRAM), "1.2.0.5"},
        VersionCase{"AProgramWithoutRecord",
                    [](const TempFolder &) { return QCoreApplication::applicationFilePath(); }, ""},
        VersionCase{"Elf64", holding(Elf{}.bytes()), "9.8.7.6"},
        VersionCase{"Elf32", holding(Elf{.wide = false}.bytes()), "9.8.7.6"},
        VersionCase{"BigEndian", holding(Elf{.wide = false, .bigEndian = true}.bytes()), "9.8.7.6"},
        VersionCase{"AnotherSectionOnly", holding(Elf{.sectionName = ".tb_versions"}.bytes()), ""},
        VersionCase{"NoFileVersionInTheRecord",
                    holding(Elf{.record = texts({"ProductVersion", "1.0.0.0"})}.bytes()), ""},
        VersionCase{"DamagedVersionText",
                    holding(Elf{.record = texts({"FileVersion", "1.2\x7f" "E\xff"})}.bytes()), ""},
        VersionCase{"RecordBeyondTheFile", holding(Elf{.claimedRecordSize = 1u << 16}.bytes()), ""},
        VersionCase{"TableCutOff", holding(Elf{}.bytes().chopped(1)), ""},
        VersionCase{"HeaderCutOff", holding(Elf{}.bytes().first(40)), ""},
        VersionCase{"Empty", holding({}), ""},
        VersionCase{"NotElf", holding("#!/bin/sh\nexit 0\n"), ""},
        VersionCase{"Missing", at("/nonexistent/tblaunch"), ""}),
    CaseName());

} // namespace
