#pragma once

#include "../library/TqExport.h"

// The interface through which a long operation reports its progress, keeps
// the user interface responsive and learns that the user cancelled. Progress
// windows derive from it; every operation here does nothing, so a worker
// given a plain CTqBaseProgressWnd reports into nothing and is never
// cancelled. The order of the virtual operations is part of the binary
// interface.
class TQ_API CTqBaseProgressWnd {
public:
    CTqBaseProgressWnd() = default;
    CTqBaseProgressWnd(const CTqBaseProgressWnd& other) = default;
    CTqBaseProgressWnd& operator=(const CTqBaseProgressWnd& other) = default;

    virtual ~CTqBaseProgressWnd();
    virtual void TqShow(int show);
    virtual void TqDoModal();
    virtual void TqSetTitle(const char* title);
    virtual void TqSetText(const char* text);
    virtual void TqSetRange(int min, int max);
    virtual void TqSetPos(int pos);
    // Processes the window messages waiting, so that the window stays
    // responsive during the work.
    virtual void TqPeekAndPump();
    // Nonzero when the user asked to stop the work.
    virtual int TqIsCancelled();
};
