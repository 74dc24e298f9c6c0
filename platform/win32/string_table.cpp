// The string table of the executable's own resources, in the language Windows picks.
#include "platform/string_table.h"

#include "platform/win32/windows_api.h"

bool findStringBlock(uint16_t blockNumber, WideTextView& block)
{
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(blockNumber), reinterpret_cast<LPCSTR>(RT_STRING));
    if (found == nullptr)
        return false;
    DWORD size = SizeofResource(self, found);
    HGLOBAL loaded = LoadResource(self, found);
    void* units = loaded == nullptr ? nullptr : LockResource(loaded);
    if (units == nullptr)
        return false;
    block.chars = static_cast<uint16_t*>(units);
    block.length = static_cast<int32_t>(size / 2);
    return true;
}
