#include "CommandTable.h"

#include "Launcher.h"
#include "MainWindowMessages.h"

#include <algorithm>
#include <array>

namespace {

using C = LauncherCommand;
using From = WindowPlace::From;
using L = Launcher;

// The skins: the default layout, then one item per skin folder.
constexpr Submenu SkinMenu{"skinMenu", u"スキンの設定"};

// In the order of LauncherCommand, which is the order Enter tries the suffix forms in. Each
// row: the command; its menu item's object name and caption; its place in the menu (from
// the top, the separator above it, its submenu); its exact and its suffix form; its handler
// (none: it opens a window, placed from the main window so); whether, typed, it keeps the
// line.
constexpr CommandRow Rows[] = {
    // clang-format off
    {C::OpenTargetFolder, "openTargetFolder", u"選択したファイル（フォルダ）のリンク先をひらく",
     {4}, nullptr, u"/up", &L::openTargetFolder},
    {C::DeleteEntry, "deleteEntry", u"選択したのを消す", {5, "deleteSeparator"},
     nullptr, u"/del", &L::deleteShownEntry},
    {C::Lock, "lock", MainWindowMessages::Lock, {1}, nullptr, u"/lock", &L::toggleLock, {}, true},
    {C::Register, "register", u"登録画面をひらく", {2, "lockSeparator"},
     u"/new", u"/set", &L::openRegistration},
    {C::KeywordOrder, "keywordOrder", u"登録キーワードの保守", {7}, u"/sort", nullptr, nullptr,
     {From::Frame, {38, 52}}},
    {C::Help, "help", u"ヘルプ", {11, "helpSeparator"}, u"/help", nullptr, &L::openHelp},
    {C::Quit, "quit", u"ランチャーの終了", {13, "quitSeparator"}, u"/exit", nullptr, &L::quit},
    {C::SpecialItems, "specialItems", u"特殊項目を登録する", {3}, nullptr, nullptr, nullptr,
     {From::Nowhere, {}}},
    {C::Settings, "settings", u"環境設定", {6, "afterDeleteSeparator"}, nullptr, nullptr, nullptr,
     {From::Frame, {52, 52}}},
    {C::DefaultSkin, "defaultSkin", u"default", {8, nullptr, &SkinMenu}, nullptr, nullptr,
     &L::chooseDefaultSkin},
    // The skin chooser stands 52 pixels right of and below the corner of the client area
    // (where a skin's bitmap lies), the skin editor's bitmap 152: they add their offsets.
    {C::EditSkinIni, "editSkinIni", u"skin.iniの編集", {9}, nullptr, nullptr, nullptr,
     {From::ClientArea, {}}},
    {C::SkinEditor, "skinEditor", u"skin.iniエディタの実行", {10}, nullptr, nullptr, nullptr,
     {From::ClientArea, {}}},
    {C::About, "about", u"バージョン情報", {12}, nullptr, nullptr, nullptr, {From::Nowhere, {}}},
    // clang-format on
};
static_assert(std::size(Rows) == LauncherCommandCount);
static_assert(std::ranges::all_of(Rows, [](const CommandRow &row) {
    return &row == &Rows[std::size_t(row.command)];
}));

struct TypedForms
{
    std::array<EnterCommand::Form, LauncherCommandCount * 2> forms{};
    std::size_t count = 0;
};

TypedForms collectTypedForms()
{
    TypedForms typed;
    for (const CommandRow &row : Rows)
        if (row.exactForm)
            typed.forms[typed.count++] = {row.exactForm, false, int(row.command)};
    for (const CommandRow &row : Rows)
        if (row.suffixForm)
            typed.forms[typed.count++] = {row.suffixForm, true, int(row.command)};
    return typed;
}

} // namespace

namespace CommandTable {

std::span<const CommandRow> rows()
{
    return Rows;
}

const CommandRow &row(LauncherCommand command)
{
    return Rows[std::size_t(command)];
}

std::span<const EnterCommand::Form> typedForms()
{
    static const TypedForms typed = collectTypedForms();
    return std::span(typed.forms).first(typed.count);
}

} // namespace CommandTable
