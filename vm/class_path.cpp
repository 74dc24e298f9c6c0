// Builds the class path from the executable, the classpath settings and the environment.
#include "vm/class_path.h"

#include <string.h>

#include "config/launch_config.h"
#include "platform/paths.h"
#include "platform/process.h"

void collectClassPathEntries(void* context, const char* value)
{
    TextBuffer& entries = *static_cast<TextBuffer*>(context);
    TextBuffer text(value);
    int32_t start = 0;
    while (start <= text.length) {
        int32_t end = start;
        while (end < text.length && text.chars[end] != ';')
            ++end;
        if (end > start) {
            TextBuffer piece(text.chars + start, end - start);
            TextBuffer resolved = resolvePath(expandVariables(piece));
            entries.Append(&classPathSeparator, 1);
            entries.Append(resolved.chars, static_cast<int32_t>(strlen(resolved.CStr())));
        }
        start = end + 1;
    }
}

namespace {

void appendEnvironmentValue(TextBuffer& classPath, const char* name)
{
    TextBuffer value;
    if (!readEnvironment(name, value))
        return;
    classPath.Append(&classPathSeparator, 1);
    classPath.Append(value);
}

} // namespace

TextBuffer buildClassPath()
{
    TextBuffer entries;
    if (theLaunchConfig != nullptr)
        theLaunchConfig->queryKey(TextBuffer("classpath"), collectClassPathEntries, &entries, false);
    TextBuffer classPath = executableFilePath();
    classPath.Append(entries);
    appendEnvironmentValue(classPath, "CLASSPATH");
    appendEnvironmentValue(classPath, "CLASS_PATH");
    return classPath;
}
