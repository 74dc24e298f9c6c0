// The process's own file, start folder, environment and locale on POSIX.
#include "platform/process.h"

#include <locale.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <unistd.h>

extern char** environ;

namespace {

// The locale variable that decides, in the order the C library consults them.
const char* localeVariable(const char* category)
{
    const char* names[] = {"LC_ALL", category, "LANG"};
    for (const char* name : names) {
        const char* value = getenv(name);
        if (value != nullptr && value[0] != 0)
            return value;
    }
    return "";
}

bool namesUtf8(const char* locale)
{
    const char* charset = strchr(locale, '.');
    return charset != nullptr && (strncasecmp(charset + 1, "UTF-8", 5) == 0 || strncasecmp(charset + 1, "utf8", 4) == 0);
}

} // namespace

void initialiseProcessLocale()
{
    if (setlocale(LC_ALL, "") != nullptr)
        return;
    // A locale that is named but not installed still tells its charset; keep that much.
    if (namesUtf8(localeVariable("LC_CTYPE")))
        setlocale(LC_CTYPE, "C.UTF-8");
}

TextBuffer executableFilePath()
{
    char buffer[pathBufferSize];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || length >= static_cast<ssize_t>(sizeof buffer))
        return TextBuffer();
    return TextBuffer(buffer, static_cast<int32_t>(length));
}

TextBuffer currentDirectory()
{
    char buffer[pathBufferSize];
    if (getcwd(buffer, sizeof buffer) == nullptr)
        return TextBuffer();
    return TextBuffer(buffer);
}

bool readEnvironment(const char* name, TextBuffer& value)
{
    value.SetLength(0);
    // A name holding '=' would match the start of another variable's entry: never defined.
    if (name == nullptr || name[0] == 0 || strchr(name, '=') != nullptr)
        return false;
    const char* found = getenv(name);
    if (found == nullptr) {
        // Windows settings name variables in any case; honour that where the exact name is absent.
        size_t nameLength = strlen(name);
        for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
            if (strncasecmp(*entry, name, nameLength) == 0 && (*entry)[nameLength] == '=') {
                found = *entry + nameLength + 1;
                break;
            }
        }
    }
    if (found == nullptr)
        return false;
    value.Append(found, static_cast<int32_t>(strlen(found)));
    return true;
}

// Used by the string table: the message language follows LC_ALL, then LC_MESSAGES, then LANG.
int userLanguageIsChinese()
{
    const char* locale = localeVariable("LC_MESSAGES");
    return strncmp(locale, "zh_CN", 5) == 0 || strncmp(locale, "zh_SG", 5) == 0 ? 1 : 0;
}
