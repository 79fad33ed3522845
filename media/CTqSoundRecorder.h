#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "../library/TqExport.h"

// Records PCM sound from the default wave-audio input through the Media
// Control Interface and saves it as a WAV file.
//
// Create opens a new, untitled recording in the format asked for; StartRec
// and StopRec may alternate before Save writes the recording to a file. Every
// MCI error is shown in a message box owned by Create's window, with the
// system's error text and the operation's caption, and reported as 0.
//
// Copies never share the device: a copy holds none, only the source's
// window, and assigning to a recorder closes its device first.
class TQ_API CTqSoundRecorder {
public:
    CTqSoundRecorder();
    CTqSoundRecorder(const CTqSoundRecorder& other);
    CTqSoundRecorder& operator=(const CTqSoundRecorder& other);
    virtual ~CTqSoundRecorder();

    // Opens the device and sets the PCM format. 1, or 0 after a failure that
    // was shown (the recorder then holds no device).
    int Create(unsigned int channels, unsigned int bitsPerSample, unsigned int samplesPerSec,
               HWND window);
    // Starts recording and returns at once; 0 without a device.
    int StartRec();
    // Stops recording and waits until the device has stopped; 0 without a
    // device.
    int StopRec();
    // Writes the recording to path as a WAV file and waits until it is
    // written; 0 without a device.
    int Save(const char* path);
    // Stops and closes the device.
    void Clear();

private:
    int SetFormat(unsigned int channels, unsigned int bitsPerSample, unsigned int samplesPerSec);
    int Succeeded(MCIERROR error, const char* caption);
    void CloseDevice();

    MCI_OPEN_PARMSA m_OpenParms;
    HWND m_hWnd;
};
