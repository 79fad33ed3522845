#include "system/TqDirectoryPath.h"

#include <windows.h>

#include <mbstring.h>

#include <cstring>

namespace {

const char kSeparator = '\\';

// The byte count of the character at text: 2 for a double-byte character,
// 1 otherwise, also for a lead byte cut off by the terminator.
size_t CharacterSize(const char* text)
{
    const auto* character = reinterpret_cast<const unsigned char*>(text);
    const size_t size = _mbsinc(character) - character;
    return size > 1 && text[1] == 0 ? 1 : size;
}

bool EnsureDirectory(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return CreateDirectoryA(path, nullptr) != FALSE;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

int TqCreateDirectoryPath(const char* path)
{
    if (!path || !*path)
        return 0;
    const size_t length = std::strlen(path);
    if (length > MAX_PATH)
        return 0;
    char prefix[MAX_PATH + 1];
    for (size_t position = 0; position < length;) {
        const size_t size = CharacterSize(path + position);
        std::memcpy(prefix + position, path + position, size);
        const bool separator = path[position] == kSeparator;
        position += size;
        if (separator) {
            prefix[position] = 0;
            if (!EnsureDirectory(prefix))
                return 0;
        }
    }
    return 1;
}
