#pragma once

#include <cstddef>

// The five built-in keywords, in the order of their settings keys: my computer, my documents,
// the recycle bin, shutdown and reboot.
enum class SpecialItem { MyComputer, MyDocuments, RecycleBin, Shutdown, Reboot };
inline constexpr std::size_t SpecialItemCount = 5;
