#pragma once

#include "../library/TqExport.h"

// Starting programs and documents, through the shell or directly, and waiting
// for them to end. A process handle handed out belongs to the caller until
// TqWaitAppQuit returns 1 (which closes it) or the caller closes it.

// Opens file through the shell (ShellExecuteExA): a program, or a document in
// its associated program. The verb is "runas" when runAs is nonzero and the
// system is Vista or later; otherwise the file type's default verb when
// useDefaultVerb is nonzero, else "open". show nonzero shows the program
// normally, 0 hides it. When process is not null it receives the started
// process's handle, which is null when the shell started no new process.
// 1 when the shell carried the request out, else 0 (also for a null file).
TQ_API int TqExecuteApp(void** process, const char* file, const char* parameters, int show,
                        int runAs, int useDefaultVerb);

// Starts the program app directly (CreateProcessA) with the command line
// "app" followed, when arguments is neither null nor empty, by a blank and
// arguments unchanged. On success process and processId receive the new
// process's handle and id and the result is 1; on failure (also for a null
// or empty app) they are untouched and the result is 0.
TQ_API int TqExecuteApp(void*& process, unsigned long& processId, const char* app,
                        const char* arguments, int show);

// Waits up to timeout milliseconds (INFINITE: without limit) for process to
// end. With closeWindow nonzero, first posts WM_CLOSE to the first top-level
// window of processId in enumeration order. 1 when the process ended: exitCode
// receives its exit code (0 if unreadable) and the handle is closed. 0 on a
// time-out or failure: exitCode is 0 and the handle stays open and the
// caller's. Messages are not dispatched while waiting.
TQ_API int TqWaitAppQuit(int& exitCode, void* process, unsigned long processId,
                         unsigned long timeout, int closeWindow);

// Opens file through the shell with the verb "open" (or "runas", as for
// TqExecuteApp) and waits up to timeout milliseconds for the process to end.
// 1 when it ended and its exit code was read into exitCode; otherwise 0 with
// exitCode 0, also when the shell started no new process (a document opened
// by a program already running). The process handle is always closed.
TQ_API int TqExecuteAppAndWait(int& exitCode, const char* file, const char* parameters, int show,
                               unsigned long timeout, int runAs);
