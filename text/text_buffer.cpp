// The text family's storage rules, string operations and code-page conversions.
#include "text/text_buffer.h"

#include <stdlib.h>
#include <string.h>

#include "platform/codepage.h"

namespace {

const int32_t largestRequest = 0x7FFFFFF0;

// The growth rule shared by every growable type. 'needed' is the element count that must
// fit: n for the raw rule, n + 1 for the text rule.
template <typename Element>
bool reserveElements(Element*& elements, int32_t& capacity, int32_t needed)
{
    if (needed <= capacity)
        return true;
    if (needed > largestRequest)
        return false;
    int32_t grown = capacity < 8 ? 8 : capacity;
    if (needed > grown)
        grown = grown <= largestRequest / 2 ? grown * 2 : largestRequest;
    if (needed > grown)
        grown = (needed + 11) - (needed + 11) % 8;
    void* moved = realloc(elements, static_cast<size_t>(grown) * sizeof(Element));
    if (moved == nullptr)
        return false;
    elements = static_cast<Element*>(moved);
    capacity = grown;
    return true;
}

int32_t measure(const char* text)
{
    return text == nullptr ? 0 : static_cast<int32_t>(strlen(text));
}

int32_t measure(const uint16_t* units)
{
    int32_t count = 0;
    if (units != nullptr)
        while (units[count] != 0)
            ++count;
    return count;
}

char emptyText[1] = {0};

} // namespace

TextView::TextView(const char* source, int32_t count)
    : chars(const_cast<char*>(source)), length(count < 0 ? measure(source) : count)
{
}

char TextView::CharAt(int32_t index, char fallback) const
{
    return index < 0 || index >= length ? fallback : chars[index];
}

WideTextView::WideTextView(const uint16_t* source, int32_t count)
    : chars(const_cast<uint16_t*>(source)), length(count < 0 ? measure(source) : count)
{
}

uint16_t WideTextView::CharAt(int32_t index, uint16_t fallback) const
{
    return index < 0 || index >= length ? fallback : chars[index];
}

ByteArray::ByteArray(const char* source, int32_t count)
{
    if (count > 0)
        Append(source, count);
}

ByteArray::~ByteArray()
{
    free(chars);
}

bool ByteArray::SetLength(int32_t count)
{
    if (!reserveElements(chars, capacity, count))
        return false;
    length = count;
    return true;
}

bool ByteArray::Append(const char* source, int32_t count)
{
    int32_t old = length;
    if (count > largestRequest - old || !SetLength(old + count))
        return false;
    if (count > 0)
        memcpy(chars + old, source, static_cast<size_t>(count));
    return true;
}

bool ByteArray::Append(const TextView& view)
{
    return Append(view.chars, view.length);
}

char* ByteArray::InsertGap(int32_t position, int32_t count)
{
    int32_t old = length;
    if (count > largestRequest - old || !SetLength(old + count))
        return nullptr;
    memmove(chars + position + count, chars + position, static_cast<size_t>(old - position));
    return chars + position;
}

void ByteArray::Delete(int32_t position, int32_t count)
{
    if (position >= length)
        return;
    if (count >= length - position) {
        SetLength(position);
        return;
    }
    memmove(chars + position, chars + position + count, static_cast<size_t>(length - position - count));
    SetLength(length - count);
}

TextBuffer::TextBuffer()
{
    SetLength(0);
}

TextBuffer::TextBuffer(const char* source, int32_t count)
{
    SetLength(0);
    Append(source, count < 0 ? measure(source) : count);
}

TextBuffer::TextBuffer(const TextBuffer& other) : TextBuffer(other.chars, other.length)
{
}

TextBuffer::TextBuffer(TextBuffer&& other) noexcept
{
    chars = other.chars;
    length = other.length;
    capacity = other.capacity;
    other.chars = nullptr;
    other.length = 0;
    other.capacity = 0;
}

bool TextBuffer::SetLength(int32_t count)
{
    if (count > largestRequest - 1 || !reserveElements(chars, capacity, count + 1))
        return false;
    chars[count] = 0;
    length = count;
    return true;
}

const char* TextBuffer::CStr()
{
    if (chars == nullptr)
        return emptyText;
    SetLength(length);
    return chars;
}

TextBuffer TextBuffer::Left(int32_t count) const
{
    return TextBuffer(chars, count < length ? count : length);
}

TextBuffer TextBuffer::Mid(int32_t start, int32_t count) const
{
    if (start >= length)
        return TextBuffer();
    int32_t rest = length - start;
    return TextBuffer(chars + start, count < 0 || count > rest ? rest : count);
}

TextBuffer TextBuffer::Right(int32_t count) const
{
    int32_t taken = count < length ? count : length;
    return TextBuffer(chars + length - taken, taken);
}

int TextBuffer::Compare(const char* text) const
{
    int32_t otherLength = measure(text);
    int32_t common = length < otherLength ? length : otherLength;
    int32_t index = 0;
    while (index < common && chars[index] == text[index])
        ++index;
    signed char mine = index < length ? static_cast<signed char>(chars[index]) : 0;
    signed char theirs = index < otherLength ? static_cast<signed char>(text[index]) : 0;
    return mine - theirs;
}

void TextBuffer::AssignFromWide(const uint16_t* units, int32_t count)
{
    int32_t needed = convertWideToAnsi(units, count, nullptr, 0);
    if (needed < 0 || !SetLength(needed)) {
        SetLength(0);
        return;
    }
    int32_t written = convertWideToAnsi(units, count, chars, length + 1);
    // The second pass can only write less; never keep bytes it did not produce.
    SetLength(written < 0 ? 0 : (written < needed ? written : needed));
}

WideArray::~WideArray()
{
    free(chars);
}

bool WideArray::SetLength(int32_t count)
{
    if (!reserveElements(chars, capacity, count))
        return false;
    length = count;
    return true;
}

bool WideArray::Append(const uint16_t* source, int32_t count)
{
    int32_t old = length;
    if (count > largestRequest - old || !SetLength(old + count))
        return false;
    if (count > 0)
        memcpy(chars + old, source, static_cast<size_t>(count) * sizeof(uint16_t));
    return true;
}

WideTextBuffer::WideTextBuffer(const uint16_t* source, int32_t count)
{
    SetLength(0);
    Append(source, count < 0 ? measure(source) : count);
}

bool WideTextBuffer::SetLength(int32_t count)
{
    if (count > largestRequest - 1 || !reserveElements(chars, capacity, count + 1))
        return false;
    chars[count] = 0;
    length = count;
    return true;
}

void WideTextBuffer::AssignFromNarrow(const char* source, int32_t count)
{
    SetLength(length);
    if (source == nullptr) {
        SetLength(0);
        return;
    }
    int32_t needed = convertAnsiToWide(source, count, nullptr, 0);
    if (needed < 0 || !SetLength(needed)) {
        SetLength(0);
        return;
    }
    int32_t written = convertAnsiToWide(source, count, chars, length + 1);
    SetLength(written < 0 ? 0 : (written < needed ? written : needed));
}

IntArray::IntArray(const int32_t* source, int32_t count)
{
    if (count > 0 && SetLength(count))
        memcpy(values, source, static_cast<size_t>(count) * sizeof(int32_t));
}

IntArray::~IntArray()
{
    free(values);
}

bool IntArray::SetLength(int32_t count)
{
    if (!reserveElements(values, capacity, count))
        return false;
    length = count;
    return true;
}

bool IntArray::Append(int32_t value)
{
    if (length >= largestRequest || !SetLength(length + 1))
        return false;
    values[length - 1] = value;
    return true;
}

int32_t* IntArray::InsertGap(int32_t position, int32_t count)
{
    int32_t old = length;
    if (count > largestRequest - old || !SetLength(old + count))
        return nullptr;
    memmove(values + position + count, values + position, static_cast<size_t>(old - position) * sizeof(int32_t));
    return values + position;
}

void IntArray::ReleaseStorage()
{
    free(values);
    values = nullptr;
    length = 0;
    capacity = 0;
}

TextList::~TextList()
{
    // The block goes first, as a member it would go after the offsets.
    free(block.chars);
    block.chars = nullptr;
    block.length = block.capacity = 0;
}

bool TextList::Add(const char* text)
{
    int32_t offset = block.length;
    int32_t size = measure(text);
    if (!block.Append(text, size) || !block.Append("", 1)) {
        block.SetLength(offset);
        return false;
    }
    if (!Append(offset)) {
        block.SetLength(offset);
        return false;
    }
    return true;
}

void TextList::Clear()
{
    SetLength(0);
    block.SetLength(0);
}

void TextList::ReleaseStorage()
{
    IntArray::ReleaseStorage();
    free(block.chars);
    block.chars = nullptr;
    block.length = block.capacity = 0;
}

TextBuffer Concat(const TextBuffer& buffer, const char* text)
{
    TextBuffer result(buffer.chars, buffer.length);
    result.Append(text, measure(text));
    return result;
}

TextBuffer Concat(const char* text, const TextBuffer& buffer)
{
    TextBuffer result(text, measure(text));
    result.Append(buffer);
    return result;
}

TextBuffer Concat(const TextView& view, const TextBuffer& buffer)
{
    TextBuffer result(view.chars, view.length);
    result.Append(buffer);
    return result;
}

bool ContainsChar(const char* text, char c)
{
    if (text == nullptr)
        return false;
    for (; *text != 0; ++text)
        if (*text == c)
            return true;
    return false;
}

namespace {

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool equalsIgnoringCase(const char* left, const char* right)
{
    if (left == nullptr)
        left = "";
    if (right == nullptr)
        right = "";
    for (; *left != 0 && *right != 0; ++left, ++right)
        if (lowerAscii(*left) != lowerAscii(*right))
            return false;
    return *left == *right;
}

bool startsWithIgnoringCase(const char* text, const char* prefix, int32_t count)
{
    for (int32_t index = 0; index < count; ++index) {
        // A text shorter than the prefix mismatches at its terminator.
        if (text[index] == 0 || lowerAscii(text[index]) != lowerAscii(prefix[index]))
            return false;
    }
    return true;
}
