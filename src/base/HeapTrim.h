#pragma once

// The allocator keeps freed memory for the process's next allocations; a resident program
// that has just let go of a window's data hands the free pages back to the system instead.
namespace HeapTrim {

void giveBackFreePages();

} // namespace HeapTrim
