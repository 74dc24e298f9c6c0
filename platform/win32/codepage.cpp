// Code-page conversion through the Win32 ANSI code page.
#include "platform/codepage.h"

#include "platform/win32/windows_api.h"

int32_t convertWideToAnsi(const uint16_t* units, int32_t count, char* output, int32_t outputSize)
{
    if (count == 0)
        return 0;
    return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(units), count, output,
                               output == nullptr ? 0 : outputSize, nullptr, nullptr);
}

int32_t convertAnsiToWide(const char* chars, int32_t count, uint16_t* output, int32_t outputSize)
{
    if (count == 0)
        return 0;
    return MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, chars, count, reinterpret_cast<wchar_t*>(output),
                               output == nullptr ? 0 : outputSize);
}
