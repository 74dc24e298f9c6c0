// The settings text gathered at start, the two folder texts, and the queries over the settings.
#pragma once

#include <stddef.h>

#include "text/text_buffer.h"

// The executable's folder and the folder the process started in, each ending in a separator.
extern TextBuffer ExeDirectory;
extern TextBuffer StartDirectory;

// Receives each value of a key, valid only during the call.
typedef void (*KeyValueCallback)(void* context, const char* value);

// The settings text: the settings file's bytes, CR LF, then the archive comment.
class LaunchConfig : public TextBuffer {
public:
    LaunchConfig();
    ~LaunchConfig() override;

    TextBuffer queryKey(const TextBuffer& key, KeyValueCallback callback, void* context, bool embeddedOnly) const;
    TextBuffer getValue(const TextBuffer& key, bool embeddedOnly) const;

    // Where the embedded settings text begins within the settings text.
    int32_t embeddedStart = 0;
    TextBuffer exePath;
};

// Reads one line at a time from a zero-terminated text; the pairs CR LF and LF CR end a line once.
class LineReader {
public:
    explicit LineReader(const char* start) : cursor(start) {}
    virtual ~LineReader() = default;

    bool nextLine(TextBuffer& line);

private:
    const char* cursor;
};

// The comment of the archive appended to the running executable, or an empty text.
TextBuffer readEmbeddedSettings();
// The same for the file at 'path'; empty when that file cannot be opened or mapped.
TextBuffer readEmbeddedSettingsFrom(const char* path);
// The same search over the bytes of any file; the embedded text is everything after the last
// end-of-central-directory signature within the final 2070 bytes.
TextBuffer findEmbeddedSettings(const unsigned char* bytes, size_t size);

bool pathExists(const char* path);

// %NAME% references replaced by environment values; undefined ones stay as written.
TextBuffer expandVariables(const TextBuffer& text);
// A relative path joined to ExeDirectory when it exists there, else to StartDirectory when it
// exists there, else to ExeDirectory.
TextBuffer resolvePath(const TextBuffer& path);
// A queryKey callback: adds each expanded value to the TextList that 'context' points to.
void collectTextList(void* context, const char* value);

extern LaunchConfig* theLaunchConfig;
