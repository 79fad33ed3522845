#pragma once

/// \file
/// Starting programs and documents, through the shell or directly, and waiting
/// for them to end.
///
/// A process handle handed out belongs to the caller until TqWaitAppQuit()
/// returns 1 (which closes it) or the caller closes it with `CloseHandle`. No
/// function here shows a message; failures are 0 results and the system's
/// error codes are not passed on. The waits block the calling thread without
/// dispatching messages: its windows do not repaint meanwhile.

#include "../library/TqExport.h"

/// Opens file through the shell (`ShellExecuteExA`): a program, or a document
/// in its associated program.
///
/// The verb is "runas" when runAs is nonzero and the system is Vista or later
/// (TqIsVistaOrLater()); otherwise the file type's default verb when
/// useDefaultVerb is nonzero, else "open".
/// \param process Null, or receives the started process's handle (owned by
///        the caller), which is null when the shell started no new process
///        (a document opened by a program already running).
/// \param file The program or document.
/// \param parameters The command-line parameters, or null.
/// \param show Nonzero shows the program normally, 0 hides it.
/// \param runAs Nonzero asks for elevation on Vista and later.
/// \param useDefaultVerb Nonzero uses the file type's default verb.
/// \return 1 when the shell carried the request out, else 0 (also for a null
///         file).
TQ_API int TqExecuteApp(void** process, const char* file, const char* parameters, int show,
                        int runAs, int useDefaultVerb);

/// Starts the program app directly (`CreateProcessA`) with the command line
/// "app" in double quotes followed, when arguments is neither null nor empty,
/// by a blank and arguments unchanged. The new thread's handle is closed at
/// once.
/// \param process Receives the new process's handle, owned by the caller.
/// \param processId Receives the new process's id.
/// \param app The program's path.
/// \param arguments The arguments, or null.
/// \param show Nonzero shows the program normally, 0 hides it.
/// \return 1 on success; 0 on failure (also for a null or empty app), with
///         process and processId untouched.
TQ_API int TqExecuteApp(void*& process, unsigned long& processId, const char* app,
                        const char* arguments, int show);

/// Waits up to timeout milliseconds (`INFINITE`: without limit) for process to
/// end. With closeWindow nonzero, first posts `WM_CLOSE` to the first
/// top-level window of processId in enumeration order (visible or not; the
/// system's hidden "IME" windows are skipped). Messages are not dispatched
/// while waiting.
/// \param exitCode Receives the exit code; 0 on failure, and 0 when the
///        process ended but its code cannot be read.
/// \param process A process handle, for example from TqExecuteApp().
/// \param processId The process's id, used only with closeWindow.
/// \param timeout The longest wait in milliseconds.
/// \param closeWindow Nonzero to ask the process's window to close first.
/// \return 1 when the process ended: the handle is then closed. 0 on a
///         time-out or failure: the handle stays open and the caller's, to
///         wait again or close.
TQ_API int TqWaitAppQuit(int& exitCode, void* process, unsigned long processId,
                         unsigned long timeout, int closeWindow);

/// Opens file through the shell with the verb "open" (or "runas", as for
/// TqExecuteApp()) and waits up to timeout milliseconds for the process to
/// end. The process handle is always closed; on a time-out the process keeps
/// running.
/// \return 1 when it ended and its exit code was read into exitCode;
///         otherwise 0 with exitCode 0, also when the shell started no new
///         process (a document opened by a program already running).
TQ_API int TqExecuteAppAndWait(int& exitCode, const char* file, const char* parameters, int show,
                               unsigned long timeout, int runAs);
