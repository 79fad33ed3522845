#pragma once

#include <objbase.h>

// Scope guards for COM work inside the library: every reference taken is
// released and the thread's COM state is put back as it was. Not installed.

namespace tq {

// Holds one reference to a COM object and releases it when it goes, so that
// objects holding files (decoders, encoders, streams) close them on every path.
template <class Interface>
class ComPtr {
public:
    ComPtr() : m_p(nullptr) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    void Reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }
    // Where a creating call stores the new reference; the one held goes first.
    Interface** Receive()
    {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    Interface* Get() const { return m_p; }
    Interface* operator->() const { return m_p; }

private:
    Interface* m_p;
};

// COM on the calling thread for one scope. A thread without COM joins a
// single-threaded apartment and leaves it again at the end; a thread already
// in an apartment of either kind stays in it, and is uninitialised exactly
// as often as this guard's own initialisation succeeded.
class ComApartment {
public:
    ComApartment() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (m_result == S_OK || m_result == S_FALSE)
            CoUninitialize();
    }
    // S_OK when COM can be used on the thread, also when it was already in
    // the multithreaded apartment; otherwise why not.
    HRESULT Status() const { return m_result == RPC_E_CHANGED_MODE ? S_OK : m_result; }

private:
    HRESULT m_result;
};

}  // namespace tq
