#include "system/TqShellRegistration.h"

#include <windows.h>

#include <mbstring.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "strings/CTqString.h"
#include "system/internal/TqRegistryKey.h"

namespace {

const int kNoIcon = -1;
const char kShellNewValue[] = "NullFile";
const char kDdeOpen[] = "[open(\"%1\")]";
const char kDdePrint[] = "[print(\"%1\")]";
const char kDdePrintTo[] = "[printto(\"%1\",\"%2\",\"%3\",\"%4\")]";
// SHCNF_FLUSHNOWAIT of the older system headers: deliver without waiting.
const UINT kNotifyFlushNoWait = 0x2000;

// The family's document types.
struct DocumentType {
    const char* ext;
    int shellNew;
    int iconIndex;
    int useDde;
};
const DocumentType kToyType = {".toy", 1, 1, 1};
const DocumentType kTopType = {".top", 0, 1, 0};
const char kProgIdSuffix[] = ".Document";
// " ドキュメント" (document) in code page 932.
const char kDescriptionSuffix[] = " \x83h\x83L\x83\x85\x83\x81\x83\x93\x83g";

// One key and value of a registration, composed as they are stored.
struct Row {
    char key[MAX_PATH];
    const char* valueName;  // null: the key's default value
    char text[MAX_PATH];
    bool presenceOnly;  // written empty, checked for its presence only
};

bool IsGiven(const char* text)
{
    return text && *text;
}

// printf into a MAX_PATH buffer; false when the text does not fit whole.
bool Compose(char (&buffer)[MAX_PATH], const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, MAX_PATH, format, arguments);
    va_end(arguments);
    return length >= 0 && length < MAX_PATH;
}

// The rows that the arguments call for, in the order of writing. Empty when
// an item is missing, the executable has no short path or a text does not fit.
class Registration {
public:
    Registration(const char* ext, int shellNew, const char* progId, const char* description,
                 const char* appPath, int iconIndex, int useDde)
    {
        if (!IsGiven(ext) || !IsGiven(progId) || !IsGiven(description) || !IsGiven(appPath))
            return;
        char shortPath[MAX_PATH];
        const DWORD length = GetShortPathNameA(appPath, shortPath, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return;
        m_complete = Add(ext, "", nullptr, progId)
            && (!shellNew || AddPresence(ext, "\\ShellNew", kShellNewValue))
            && Add(progId, "", nullptr, description)
            && (iconIndex == kNoIcon || AddIcon(progId, shortPath, iconIndex))
            && AddCommand(progId, "open", shortPath, useDde ? "%s /dde" : "%s %%1")
            && (!useDde || AddDdeVerbs(progId, shortPath));
        if (!m_complete)
            m_rows.clear();
    }

    bool IsComplete() const { return m_complete; }
    const std::vector<Row>& Rows() const { return m_rows; }

private:
    bool Add(const char* key, const char* subKey, const char* valueName, const char* text)
    {
        m_rows.push_back(Row());
        Row& row = m_rows.back();
        row.valueName = valueName;
        row.presenceOnly = false;
        return Compose(row.key, "%s%s", key, subKey) && Compose(row.text, "%s", text);
    }

    bool AddPresence(const char* key, const char* subKey, const char* valueName)
    {
        if (!Add(key, subKey, valueName, ""))
            return false;
        m_rows.back().presenceOnly = true;
        return true;
    }

    bool AddIcon(const char* progId, const char* shortPath, int iconIndex)
    {
        char icon[MAX_PATH];
        return Compose(icon, "%s,%d", shortPath, iconIndex)
            && Add(progId, "\\DefaultIcon", nullptr, icon);
    }

    bool AddCommand(const char* progId, const char* verb, const char* shortPath,
                    const char* commandFormat)
    {
        char subKey[MAX_PATH];
        char command[MAX_PATH];
        return Compose(subKey, "\\shell\\%s\\command", verb)
            && Compose(command, commandFormat, shortPath) && Add(progId, subKey, nullptr, command);
    }

    bool AddDdeExec(const char* progId, const char* verb, const char* ddeCommand)
    {
        char subKey[MAX_PATH];
        return Compose(subKey, "\\shell\\%s\\ddeexec", verb)
            && Add(progId, subKey, nullptr, ddeCommand);
    }

    bool AddDdeVerbs(const char* progId, const char* shortPath)
    {
        return AddDdeExec(progId, "open", kDdeOpen)
            && AddCommand(progId, "print", shortPath, "%s /dde")
            && AddDdeExec(progId, "print", kDdePrint)
            && AddCommand(progId, "printto", shortPath, "%s /dde")
            && AddDdeExec(progId, "printto", kDdePrintTo);
    }

    std::vector<Row> m_rows;
    bool m_complete = false;
};

// Texts are stored without their terminator; "NullFile" with no data at all.
bool Store(HKEY key, const Row& row)
{
    const auto* data = reinterpret_cast<const BYTE*>(row.text);
    const DWORD size = row.presenceOnly ? 0 : static_cast<DWORD>(std::strlen(row.text));
    return RegSetValueExA(key, row.valueName, 0, REG_SZ, row.presenceOnly ? nullptr : data,
                          size) == ERROR_SUCCESS;
}

bool Matches(HKEY key, const Row& row)
{
    DWORD type = REG_NONE;
    if (row.presenceOnly)
        return RegQueryValueExA(key, row.valueName, nullptr, &type, nullptr, nullptr) ==
                   ERROR_SUCCESS &&
               type == REG_SZ;
    // One byte is kept back so that a text stored without terminator gets one.
    unsigned char stored[MAX_PATH] = {};
    DWORD size = MAX_PATH - 1;
    return RegQueryValueExA(key, row.valueName, nullptr, &type, stored, &size) ==
               ERROR_SUCCESS &&
           type == REG_SZ &&
           _mbscmp(stored, reinterpret_cast<const unsigned char*>(row.text)) == 0;
}

const DocumentType& TypeOf(int docType)
{
    return docType ? kToyType : kTopType;
}

// The executable's file name without folder and extension.
CTqString AppName(const char* appPath)
{
    CTqString name;
    CTqString(appPath).SplitPath(nullptr, nullptr, &name, nullptr);
    return name;
}

CTqString Suffixed(const CTqString& name, const char* suffix)
{
    CTqString text;
    text.Format("%s%s", static_cast<const char*>(name), suffix);
    return text;
}

}  // namespace

int TqRegisterAppExt(const char* ext, int shellNew, const char* progId, const char* description,
                     const char* appPath, int iconIndex, int useDde, int notify)
{
    if (TqIsAppExtRegisterd(ext, shellNew, progId, description, appPath, iconIndex, useDde))
        return 1;
    const Registration registration(ext, shellNew, progId, description, appPath, iconIndex,
                                    useDde);
    if (!registration.IsComplete())
        return 0;
    int result = 1;
    for (const Row& row : registration.Rows()) {
        tq::RegistryKey key;
        if (!key.Create(HKEY_CLASSES_ROOT, row.key))
            return 0;
        if (!Store(key, row))
            result = 0;
    }
    if (notify)
        TqNotifyAppExtRegistration();
    return result;
}

int TqIsAppExtRegisterd(const char* ext, int shellNew, const char* progId,
                        const char* description, const char* appPath, int iconIndex, int useDde)
{
    const Registration registration(ext, shellNew, progId, description, appPath, iconIndex,
                                    useDde);
    if (!registration.IsComplete())
        return 0;
    for (const Row& row : registration.Rows()) {
        tq::RegistryKey key;
        if (!key.Open(HKEY_CLASSES_ROOT, row.key) || !Matches(key, row))
            return 0;
    }
    return 1;
}

int TqUnregisterAppExt(const char* ext, const char* progId, int notify)
{
    bool deleted = false;
    if (IsGiven(ext))
        deleted = SHDeleteKeyA(HKEY_CLASSES_ROOT, ext) == ERROR_SUCCESS;
    if (IsGiven(progId))
        deleted = SHDeleteKeyA(HKEY_CLASSES_ROOT, progId) == ERROR_SUCCESS || deleted;
    if (deleted && notify)
        TqNotifyAppExtRegistration();
    return 1;
}

// An empty name would make the ProgID ".Document", which reads like a file
// extension: such paths are refused.
int TqRegisterAppExt(int docType, const char* appPath, int notify)
{
    const CTqString name = AppName(appPath);
    if (name.IsStrEmpty())
        return 0;
    const DocumentType& type = TypeOf(docType);
    return TqRegisterAppExt(type.ext, type.shellNew, Suffixed(name, kProgIdSuffix),
                            Suffixed(name, kDescriptionSuffix), appPath, type.iconIndex,
                            type.useDde, notify);
}

int TqIsAppExtRegisterd(int docType, const char* appPath)
{
    const CTqString name = AppName(appPath);
    if (name.IsStrEmpty())
        return 0;
    const DocumentType& type = TypeOf(docType);
    return TqIsAppExtRegisterd(type.ext, type.shellNew, Suffixed(name, kProgIdSuffix),
                               Suffixed(name, kDescriptionSuffix), appPath, type.iconIndex,
                               type.useDde);
}

// The ProgID comes from the file name alone, as in registration, so that a
// full path removes what its registration wrote. Without a name only the
// extension key goes.
int TqUnregisterAppExt(int docType, const char* appName, int notify)
{
    const CTqString name = AppName(appName);
    const CTqString progId = name.IsStrEmpty() ? CTqString() : Suffixed(name, kProgIdSuffix);
    return TqUnregisterAppExt(TypeOf(docType).ext, progId, notify);
}

void TqNotifyAppExtRegistration()
{
    SHChangeNotify(SHCNE_ASSOCCHANGED, kNotifyFlushNoWait, nullptr, nullptr);
}
