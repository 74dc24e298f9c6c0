// The text family: views, growable buffers and the packed text list that every subsystem uses.
#pragma once

#include <stdint.h>

// A non-owning run of 8-bit characters in the ANSI code page; no terminator is promised.
class TextView {
public:
    TextView() = default;
    TextView(const char* source, int32_t count = -1);
    virtual ~TextView() = default;

    char CharAt(int32_t index, char fallback) const;

    char* chars = nullptr;
    int32_t length = 0;
};

// A non-owning run of UTF-16 units.
class WideTextView {
public:
    WideTextView() = default;
    WideTextView(const uint16_t* source, int32_t count = -1);
    virtual ~WideTextView() = default;

    uint16_t CharAt(int32_t index, uint16_t fallback) const;

    uint16_t* chars = nullptr;
    int32_t length = 0;
};

// Owned bytes with the raw growth rule; storage comes only when the length first exceeds 0.
// SetLength and Append report false when storage cannot be obtained, and then change nothing.
class ByteArray : public TextView {
public:
    ByteArray() = default;
    ByteArray(const char* source, int32_t count);
    ByteArray(const ByteArray&) = delete;
    ByteArray& operator=(const ByteArray&) = delete;
    ~ByteArray() override;

    virtual bool SetLength(int32_t count);
    bool Append(const char* source, int32_t count);
    bool Append(const TextView& view);
    char* InsertGap(int32_t position, int32_t count);
    void Delete(int32_t position, int32_t count);

    int32_t capacity = 0;
};

// Owned 8-bit text, always followed by a zero, with storage of at least 8 characters.
class TextBuffer : public ByteArray {
public:
    TextBuffer();
    TextBuffer(const char* source, int32_t count = -1);
    TextBuffer(const TextBuffer& other);
    // Lets results travel out of the functions that build them without a copy.
    TextBuffer(TextBuffer&& other) noexcept;
    TextBuffer& operator=(const TextBuffer&) = delete;

    bool SetLength(int32_t count) override;
    const char* CStr();

    TextBuffer Left(int32_t count) const;
    TextBuffer Mid(int32_t start, int32_t count = -1) const;
    TextBuffer Right(int32_t count) const;
    int Compare(const char* text) const;

    // Replaces the content by the ANSI conversion of the units; count -1 measures them.
    void AssignFromWide(const uint16_t* units, int32_t count);
};

// The raw 16-bit level beneath WideTextBuffer; never used on its own.
class WideArray : public WideTextView {
public:
    WideArray() = default;
    WideArray(const WideArray&) = delete;
    WideArray& operator=(const WideArray&) = delete;
    ~WideArray() override;

    virtual bool SetLength(int32_t count);
    bool Append(const uint16_t* source, int32_t count);

    int32_t capacity = 0;
};

// Owned UTF-16 text, always followed by a zero unit.
class WideTextBuffer : public WideArray {
public:
    WideTextBuffer(const uint16_t* source = nullptr, int32_t count = -1);

    bool SetLength(int32_t count) override;

    // Replaces the content by the UTF-16 conversion of ANSI characters; count -1 measures them
    // and then, as the platform conversion does, counts the terminating zero too.
    void AssignFromNarrow(const char* source, int32_t count);
};

// The 32-bit root level beneath IntArray.
class IntView {
public:
    virtual ~IntView() = default;

    int32_t* values = nullptr;
    int32_t length = 0;
};

class IntArray : public IntView {
public:
    IntArray() = default;
    IntArray(const int32_t* source, int32_t count);
    IntArray(const IntArray&) = delete;
    IntArray& operator=(const IntArray&) = delete;
    ~IntArray() override;

    virtual bool SetLength(int32_t count);
    bool Append(int32_t value);
    int32_t* InsertGap(int32_t position, int32_t count);
    void ReleaseStorage();

    int32_t capacity = 0;
};

// Texts packed one after another in one block, each with a zero; the inherited array holds
// where each text starts, so a text's place survives the block moving.
class TextList : public IntArray {
public:
    TextList() = default;
    ~TextList() override;

    bool Add(const char* text);
    int32_t Count() const { return length; }
    const char* Item(int32_t index) const { return block.chars + values[index]; }
    void Clear();
    // Gives back all storage, as the VM loader does once the options have been handed over.
    void ReleaseStorage();

    ByteArray block;
};

TextBuffer Concat(const TextBuffer& buffer, const char* text);
TextBuffer Concat(const char* text, const TextBuffer& buffer);
TextBuffer Concat(const TextView& view, const TextBuffer& buffer);
bool ContainsChar(const char* text, char c);

// ASCII letters compared without regard to case, whole texts (null is empty).
bool equalsIgnoringCase(const char* left, const char* right);
// True when 'text' begins with the first 'count' characters of 'prefix', ignoring ASCII case.
bool startsWithIgnoringCase(const char* text, const char* prefix, int32_t count);
