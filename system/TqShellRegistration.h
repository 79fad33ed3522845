#pragma once

#include "../library/TqExport.h"

// Shell file-type registration of the applications' documents under
// HKEY_CLASSES_ROOT. A registration is, in this order (every value REG_SZ,
// each key's default value unless named):
//   ext                               progId
//   ext\ShellNew        "NullFile"    empty                  when shellNew
//   progId                            description
//   progId\DefaultIcon                shortPath,iconIndex    unless iconIndex is -1
//   progId\shell\open\command         shortPath /dde, or shortPath %1 without DDE
//   progId\shell\open\ddeexec         [open("%1")]           when useDde
//   progId\shell\print\command        shortPath /dde         when useDde
//   progId\shell\print\ddeexec        [print("%1")]          when useDde
//   progId\shell\printto\command      shortPath /dde         when useDde
//   progId\shell\printto\ddeexec      [printto("%1","%2","%3","%4")]  when useDde
// shortPath is the short (8.3) form of the executable's path, which must
// exist. An application registered with DDE accepts the /dde switch and these
// DDE commands. Every key path and text must fit in MAX_PATH bytes with its
// terminator; a longer one makes registration and check give 0 and write
// nothing.

// Writes the registration unless TqIsAppExtRegisterd already finds it (then
// 1 at once, nothing written, no notification). 0 for a null or empty ext,
// progId, description or appPath, an appPath without a short form, a text
// too long, or a key that cannot be created (rows written before stay, the
// rest is not written); a value that cannot be set makes the result 0 but the
// rest is still written. With notify nonzero the shell is told afterwards.
TQ_API int TqRegisterAppExt(const char* ext, int shellNew, const char* progId,
                            const char* description, const char* appPath, int iconIndex,
                            int useDde, int notify);

// 1 when every key and value that these arguments call for exists as REG_SZ
// with exactly the text they call for ("NullFile" only needs to exist); rows
// they do not call for are not looked at. Else 0.
TQ_API int TqIsAppExtRegisterd(const char* ext, int shellNew, const char* progId,
                               const char* description, const char* appPath, int iconIndex,
                               int useDde);

// Deletes the keys ext and progId with everything below them; a null or empty
// name is skipped. The shell is told when notify is nonzero and a key was
// deleted. Always 1.
TQ_API int TqUnregisterAppExt(const char* ext, const char* progId, int notify);

// The family's two document types for an executable named name: docType
// nonzero is ".toy" (ShellNew, icon 1, DDE), 0 is ".top" (icon 1, no DDE). Both
// use the ProgID "name.Document" and the description "name ドキュメント"
// (code page 932), name being the executable's file name without folder and
// extension. A path without a file name gives 0.
TQ_API int TqRegisterAppExt(int docType, const char* appPath, int notify);
TQ_API int TqIsAppExtRegisterd(int docType, const char* appPath);

// Removes the type's extension key and the ProgID of appName, which may be a
// bare file name (tool.exe) or a full path: only its file name counts, as in
// registration. Always 1.
TQ_API int TqUnregisterAppExt(int docType, const char* appName, int notify);

// Tells the shell that file associations changed (SHCNE_ASSOCCHANGED).
TQ_API void TqNotifyAppExtRegistration();
