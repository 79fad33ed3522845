#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "../library/TqExport.h"

/// \file
/// The WAV sound recorder CTqSoundRecorder.

/// Records PCM sound from the default wave-audio input through the Media
/// Control Interface and saves it as a WAV file.
///
/// Create opens a new, untitled recording in the format asked for; StartRec
/// and StopRec may alternate before Save writes the recording to a file. Every
/// MCI error is shown in a message box owned by Create's window, with the
/// system's error text and the operation's caption, and reported as 0.
///
/// The boxes are the system's `MessageBoxA` with `MB_OK`, modal, with the text
/// of `mciGetErrorStringA` and these captions (code page 932): Create()
/// "サウンドレコーダーの作成", StartRec() "録音スタート", StopRec() "録音停止"
/// (also when Clear() or the destructor stops the device), Save()
/// "ファイル保存". The object owns the MCI device from Create() until Clear().
///
/// Copies never share the device: a copy holds none, only the source's
/// window, and assigning to a recorder closes its device first. One thread at
/// a time, the user-interface thread.
class TQ_API CTqSoundRecorder {
public:
    /// A recorder without a device or window.
    CTqSoundRecorder();
    /// A recorder without a device, with other's window.
    CTqSoundRecorder(const CTqSoundRecorder& other);
    /// Closes this recorder's device (Clear()), then takes other's window.
    /// \return `*this`.
    CTqSoundRecorder& operator=(const CTqSoundRecorder& other);
    /// Stops and closes the device, as Clear().
    virtual ~CTqSoundRecorder();

    /// Opens the device and sets the PCM format (any device open before is
    /// closed first). window owns the boxes and receives the MCI
    /// notifications; it may be null.
    /// \param channels 1 (mono) or 2 (stereo); passed on unchecked.
    /// \param bitsPerSample 8 or 16; passed on unchecked.
    /// \param samplesPerSec The sampling rate, for example 44100.
    /// \param window The owner of the boxes, or null.
    /// \return 1, or 0 after a failure that was shown (the recorder then holds
    ///         no device).
    int Create(unsigned int channels, unsigned int bitsPerSample, unsigned int samplesPerSec,
               HWND window);
    /// Starts recording and returns at once.
    /// \return 1; 0 without a device, or after the box of an MCI error.
    int StartRec();
    /// Stops recording and waits until the device has stopped.
    /// \return 1; 0 without a device, or after the box of an MCI error.
    int StopRec();
    /// Writes the recording to path as a WAV file and waits until it is
    /// written.
    /// \return 1; 0 without a device, or after the box of an MCI error.
    int Save(const char* path);
    /// Stops and closes the device; a failed stop shows its box. Nothing
    /// happens without a device, except that the window is forgotten.
    void Clear();

private:
    int SetFormat(unsigned int channels, unsigned int bitsPerSample, unsigned int samplesPerSec);
    int Succeeded(MCIERROR error, const char* caption);
    void CloseDevice();

    MCI_OPEN_PARMSA m_OpenParms;
    HWND m_hWnd;
};
