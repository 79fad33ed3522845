#pragma once

#include <windows.h>

/// \file
/// CTqScopedHandle: a kernel handle closed with its scope.
///
/// Header-only and not exported: every module that uses it compiles its own
/// copy, so applications may use it with their own handles too.

/// Handles closed with `CloseHandle` whose failure value is null: processes,
/// threads, events and most other kernel objects.
struct CTqKernelHandleTraits {
    /// The value that holds no handle.
    static HANDLE InvalidValue() noexcept { return nullptr; }
    /// Closes handle. \return True when it was closed.
    static bool Close(HANDLE handle) noexcept { return ::CloseHandle(handle) != FALSE; }
};

/// Handles from `CreateFile`, closed with `CloseHandle`, whose failure value
/// is `INVALID_HANDLE_VALUE`.
struct CTqFileHandleTraits {
    /// The value that holds no handle.
    static HANDLE InvalidValue() noexcept { return INVALID_HANDLE_VALUE; }
    /// Closes handle. \return True when it was closed.
    static bool Close(HANDLE handle) noexcept { return ::CloseHandle(handle) != FALSE; }
};

/// Searches from `FindFirstFile`, closed with `FindClose`, whose failure
/// value is `INVALID_HANDLE_VALUE`.
struct CTqFindHandleTraits {
    /// The value that holds no handle.
    static HANDLE InvalidValue() noexcept { return INVALID_HANDLE_VALUE; }
    /// Closes handle. \return True when it was closed.
    static bool Close(HANDLE handle) noexcept { return ::FindClose(handle) != FALSE; }
};

/// Owns one handle and closes it when the scope ends, on every path.
///
/// \tparam Traits Names the value that holds no handle (`InvalidValue()`) and
///                the call that closes one (`Close()`), as the traits above.
template <class Traits>
class CTqScopedHandle {
public:
    /// Takes handle, which may be the invalid value (then nothing is owned).
    explicit CTqScopedHandle(HANDLE handle = Traits::InvalidValue()) noexcept : m_handle(handle)
    {
    }
    /// Not copyable: one owner closes the handle.
    CTqScopedHandle(const CTqScopedHandle&) = delete;
    /// Not copyable.
    CTqScopedHandle& operator=(const CTqScopedHandle&) = delete;
    /// Closes the handle when one is owned.
    ~CTqScopedHandle() { Close(); }

    /// True when a handle is owned.
    bool IsValid() const noexcept { return m_handle != Traits::InvalidValue(); }
    /// The handle, still owned by this object.
    HANDLE Get() const noexcept { return m_handle; }

    /// Closes the handle before the scope ends, for callers that must know
    /// whether closing succeeded (a file's last data can fail to reach the
    /// disk only then). Nothing is owned afterwards.
    /// \return False when the close failed; true when it succeeded or nothing
    ///         was owned.
    bool Close() noexcept
    {
        const bool closed = !IsValid() || Traits::Close(m_handle);
        m_handle = Traits::InvalidValue();
        return closed;
    }

private:
    HANDLE m_handle;
};

/// A kernel object handle (null when there is none).
using CTqScopedKernelHandle = CTqScopedHandle<CTqKernelHandleTraits>;
/// A file handle (`INVALID_HANDLE_VALUE` when there is none).
using CTqScopedFileHandle = CTqScopedHandle<CTqFileHandleTraits>;
/// A file search handle (`INVALID_HANDLE_VALUE` when there is none).
using CTqScopedFindHandle = CTqScopedHandle<CTqFindHandleTraits>;
