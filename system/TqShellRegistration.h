#pragma once

/// \file
/// Shell file-type registration of the applications' documents under
/// `HKEY_CLASSES_ROOT`.
///
/// A registration is, in this order (every value `REG_SZ`, each key's default
/// value unless named):
/// | Key | Value | Data | Written |
/// |---|---|---|---|
/// | `ext` | | progId | always |
/// | `ext\ShellNew` | "NullFile" | empty | when shellNew |
/// | `progId` | | description | always |
/// | `progId\DefaultIcon` | | `shortPath,iconIndex` | unless iconIndex is -1 |
/// | `progId\shell\open\command` | | `shortPath /dde`, or `shortPath %1` without DDE | always |
/// | `progId\shell\open\ddeexec` | | `[open("%1")]` | when useDde |
/// | `progId\shell\print\command` | | `shortPath /dde` | when useDde |
/// | `progId\shell\print\ddeexec` | | `[print("%1")]` | when useDde |
/// | `progId\shell\printto\command` | | `shortPath /dde` | when useDde |
/// | `progId\shell\printto\ddeexec` | | `[printto("%1","%2","%3","%4")]` | when useDde |
///
/// shortPath is the short (8.3) form of the executable's path, which must
/// exist. An application registered with DDE accepts the /dde switch and these
/// DDE commands. Every key path and text must fit in `MAX_PATH` bytes with its
/// terminator; a longer one makes registration and check give 0 and write
/// nothing. Writing under `HKEY_CLASSES_ROOT` usually needs administrator
/// rights. No message is shown.

#include "../library/TqExport.h"

/// Writes the registration unless TqIsAppExtRegisterd() already finds it (then
/// 1 at once, nothing written, no notification).
/// \param ext The extension with its dot, for example ".toy".
/// \param shellNew Nonzero adds the ShellNew entry (the shell's New menu).
/// \param progId The program identifier.
/// \param description The type's display name.
/// \param appPath The executable's path; it must exist.
/// \param iconIndex The icon's index in the executable, or -1 for no icon.
/// \param useDde Nonzero registers the DDE open, print and printto verbs.
/// \param notify Nonzero tells the shell afterwards
///        (TqNotifyAppExtRegistration()).
/// \return 1 when everything was written. 0 for a null or empty ext, progId,
///         description or appPath, an appPath without a short form, a text
///         too long, or a key that cannot be created (rows written before
///         stay, the rest is not written); a value that cannot be set makes
///         the result 0 but the rest is still written.
TQ_API int TqRegisterAppExt(const char* ext, int shellNew, const char* progId,
                            const char* description, const char* appPath, int iconIndex,
                            int useDde, int notify);

/// Checks a registration: every key and value that these arguments call for
/// must exist as `REG_SZ` with exactly the text they call for (compared by
/// `_mbscmp`; "NullFile" only needs to exist). Rows they do not call for are
/// not looked at.
/// \return 1 when all match, else 0 (also for the argument failures of
///         TqRegisterAppExt()).
TQ_API int TqIsAppExtRegisterd(const char* ext, int shellNew, const char* progId,
                               const char* description, const char* appPath, int iconIndex,
                               int useDde);

/// Deletes the keys ext and progId with everything below them; a null or empty
/// name is skipped. The shell is told when notify is nonzero and a key was
/// deleted.
/// \return 1, always (keys that do not exist are not an error).
TQ_API int TqUnregisterAppExt(const char* ext, const char* progId, int notify);

/// Registers one of the family's two document types for an executable named
/// name: docType nonzero is ".toy" (ShellNew, icon 1, DDE), 0 is ".top"
/// (icon 1, no DDE). Both use the ProgID "name.Document" and the description
/// "name ドキュメント" (code page 932), name being the executable's file name
/// without folder and extension.
/// \return The result of the general TqRegisterAppExt(); 0 for a path without
///         a file name.
TQ_API int TqRegisterAppExt(int docType, const char* appPath, int notify);
/// Checks the registration of one of the family's two document types, as
/// TqRegisterAppExt(int, const char*, int) would write it.
/// \return The result of the general TqIsAppExtRegisterd(); 0 for a path
///         without a file name.
TQ_API int TqIsAppExtRegisterd(int docType, const char* appPath);

/// Removes the type's extension key and the ProgID of appName, which may be a
/// bare file name (tool.exe) or a full path: only its file name counts, as in
/// registration; without a file name only the extension key goes.
/// \return 1, always.
TQ_API int TqUnregisterAppExt(int docType, const char* appName, int notify);

/// Tells the shell that file associations changed (`SHChangeNotify` with
/// `SHCNE_ASSOCCHANGED`, without waiting for delivery).
TQ_API void TqNotifyAppExtRegistration();
