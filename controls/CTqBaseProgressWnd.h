#pragma once

/// \file
/// The progress interface CTqBaseProgressWnd.

#include "../library/TqExport.h"

/// The interface through which a long operation reports its progress, keeps
/// the user interface responsive and learns that the user cancelled. Progress
/// windows derive from it; every operation here does nothing, so a worker
/// given a plain CTqBaseProgressWnd reports into nothing and is never
/// cancelled. The order of the virtual operations is part of the binary
/// interface.
///
/// The library itself never calls these operations: they are the contract
/// between an application's workers and its progress windows, used on the
/// user-interface thread.
class TQ_API CTqBaseProgressWnd {
public:
    /// Nothing to set up.
    CTqBaseProgressWnd() = default;
    /// Nothing to copy.
    CTqBaseProgressWnd(const CTqBaseProgressWnd& other) = default;
    /// Nothing to copy.
    /// \return `*this`.
    CTqBaseProgressWnd& operator=(const CTqBaseProgressWnd& other) = default;

    /// Does nothing.
    virtual ~CTqBaseProgressWnd();
    /// Shows (nonzero) or hides (0) the progress window. Does nothing here.
    virtual void TqShow(int show);
    /// Runs the progress window modally. Does nothing here.
    virtual void TqDoModal();
    /// Sets the window's title. Does nothing here.
    virtual void TqSetTitle(const char* title);
    /// Sets the window's message text. Does nothing here.
    virtual void TqSetText(const char* text);
    /// Sets the range of the progress. Does nothing here.
    virtual void TqSetRange(int min, int max);
    /// Sets the current position of the progress. Does nothing here.
    virtual void TqSetPos(int pos);
    /// Processes the window messages waiting, so that the window stays
    /// responsive during the work. Does nothing here.
    virtual void TqPeekAndPump();
    /// Nonzero when the user asked to stop the work; the worker then stops.
    /// \return 0 here: never cancelled.
    virtual int TqIsCancelled();
};
