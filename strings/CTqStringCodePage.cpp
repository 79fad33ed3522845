#include "strings/CTqString.h"

#include <string>

// Code-page conversion

// Copies of the source are made when it lies in this string's storage, which
// the conversion replaces.
int CTqString::MultiByteToWideChar(unsigned int codePage, const char* text)
{
    if (PointsIntoText(text)) {
        const std::string source(text);
        return MultiByteToWideChar(codePage, source.c_str());
    }
    const int units = ::MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        m_nCount = 0;
        return 1;
    }
    ResizeStr(0, 2u * static_cast<unsigned int>(units), 0);
    return ::MultiByteToWideChar(codePage, 0, text, -1, reinterpret_cast<wchar_t*>(m_pBuffer),
                                 units) > 0;
}

int CTqString::WideCharToMultiByte(unsigned int codePage, const wchar_t* text)
{
    if (PointsIntoText(text)) {
        const std::wstring source(text);
        return WideCharToMultiByte(codePage, source.c_str());
    }
    const int bytes = ::WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        m_nCount = 0;
        return 1;
    }
    ResizeStr(0, static_cast<unsigned int>(bytes), 0);
    return ::WideCharToMultiByte(codePage, 0, text, -1, m_pBuffer, bytes, nullptr, nullptr) > 0;
}

// A code page the system refuses fails here and leaves the text alone rather
// than replacing it with an empty conversion.
int CTqString::ConvertMultiByteCodePage(unsigned int from, unsigned int to)
{
    CTqString wide;
    if (!wide.MultiByteToWideChar(from, Text()) || wide.IsEmpty())
        return 0;
    const wchar_t* units = reinterpret_cast<const wchar_t*>(wide.GetBuffer());
    if (::WideCharToMultiByte(to, 0, units, -1, nullptr, 0, nullptr, nullptr) <= 0)
        return 0;
    return WideCharToMultiByte(to, units);
}

// File mode

int CTqString::BeginFileMode(const char* path)
{
    EndFileMode();
    m_hFile = BeginWriteFile(path);
    return m_hFile != nullptr;
}

void CTqString::EndFileMode()
{
    if (!m_hFile)
        return;
    SerialWriteFile(m_hFile, 1, 0);
    Clear();
    EndWriteFile(m_hFile);
    m_hFile = nullptr;
}

int CTqString::IsFileMode() const
{
    return m_hFile != nullptr;
}
