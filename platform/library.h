// Loading the Java runtime library into the process and finding its entry points.
#pragma once

// Owns one loaded library; the destructor unloads it.
class RuntimeLibrary {
public:
    RuntimeLibrary() = default;
    RuntimeLibrary(const RuntimeLibrary&) = delete;
    RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;
    ~RuntimeLibrary() { unload(); }

    // Loads the library at 'path' exactly as given; where the platform keeps the runtime's
    // own dependencies beside it, a failed first attempt is retried once with them found.
    bool load(const char* path);
    void* symbol(const char* name) const;
    void unload();
    bool loaded() const { return handle != nullptr; }

private:
    void* handle = nullptr;
};
