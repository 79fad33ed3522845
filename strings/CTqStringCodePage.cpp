#include "strings/CTqString.h"

#include "system/TqMsgBox.h"

namespace {

// "不正なファイル ハンドルです。" and "ファイルの書き込み" in code page 932.
const char kInvalidHandleText[] =
    "\x95s\x90\xb3\x82\xc8\x83t\x83@\x83" "C\x83\x8b \x83n\x83\x93\x83h\x83\x8b\x82\xc5\x82\xb7\x81" "B";
const char kWriteFileCaption[] =
    "\x83t\x83@\x83" "C\x83\x8b\x82\xcc\x8f\x91\x82\xab\x8d\x9e\x82\xdd";
const unsigned int kWarning = MB_OK | MB_ICONEXCLAMATION;

}  // namespace

void CTqString::EndFileMode()
{
    if (!m_hFile)
        return;
    if (!IsStrEmpty()) {
        DWORD written = 0;
        WriteFile(m_hFile, m_pBuffer, m_nCount - 1, &written, nullptr);
    }
    Clear();
    if (!CloseHandle(m_hFile))
        TqMsgBox(kInvalidHandleText, kWriteFileCaption, kWarning, nullptr);
    m_hFile = nullptr;
}

int CTqString::IsFileMode() const
{
    return m_hFile != nullptr;
}
