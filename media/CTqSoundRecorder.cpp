#include "media/CTqSoundRecorder.h"

namespace {

// The captions of the error boxes, one per operation, in code page 932.
// "サウンドレコーダーの作成"
const char kCreateCaption[] =
    "\x83T\x83" "E\x83\x93\x83h\x83\x8c\x83R\x81[\x83_\x81[\x82\xcc\x8d\xec\x90\xac";
// "録音スタート"
const char kStartCaption[] = "\x98^\x89\xb9\x83X\x83^\x81[\x83g";
// "録音停止"
const char kStopCaption[] = "\x98^\x89\xb9\x92\xe2\x8e~";
// "ファイル保存"
const char kSaveCaption[] = "\x83t\x83@\x83" "C\x83\x8b\x95\xdb\x91\xb6";

// An empty element name opens a new, untitled recording.
const char kNewRecording[] = "";
const DWORD kOpenFlags = MCI_OPEN_ELEMENT | MCI_OPEN_TYPE_ID | MCI_OPEN_TYPE;
const DWORD kFormatFlags = MCI_WAVE_SET_FORMATTAG | MCI_WAVE_SET_CHANNELS |
                           MCI_WAVE_SET_SAMPLESPERSEC | MCI_WAVE_SET_AVGBYTESPERSEC |
                           MCI_WAVE_SET_BLOCKALIGN | MCI_WAVE_SET_BITSPERSAMPLE;
const DWORD kSaveFlags = MCI_SAVE_FILE | MCI_WAIT;
const UINT kErrorTextSize = 256;

template <class Parms>
DWORD_PTR Param(Parms* parms)
{
    return reinterpret_cast<DWORD_PTR>(parms);
}

MCI_WAVE_SET_PARMS PcmFormat(unsigned int channels, unsigned int bitsPerSample,
                             unsigned int samplesPerSec)
{
    MCI_WAVE_SET_PARMS format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = samplesPerSec;
    format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
    // Whole bytes per sample frame: 4 bits in one channel truncate to 0.
    const unsigned int frameBits = static_cast<unsigned int>(format.wBitsPerSample) *
                                   static_cast<unsigned int>(format.nChannels);
    format.nBlockAlign = static_cast<WORD>(frameBits / 8);
    format.nAvgBytesPerSec = format.nBlockAlign * samplesPerSec;
    return format;
}

}  // namespace

CTqSoundRecorder::CTqSoundRecorder() : m_OpenParms(), m_hWnd(nullptr) {}

CTqSoundRecorder::CTqSoundRecorder(const CTqSoundRecorder& other)
    : m_OpenParms(), m_hWnd(other.m_hWnd)
{
}

CTqSoundRecorder& CTqSoundRecorder::operator=(const CTqSoundRecorder& other)
{
    if (this != &other) {
        Clear();
        m_hWnd = other.m_hWnd;
    }
    return *this;
}

CTqSoundRecorder::~CTqSoundRecorder()
{
    Clear();
}

int CTqSoundRecorder::Create(unsigned int channels, unsigned int bitsPerSample,
                             unsigned int samplesPerSec, HWND window)
{
    Clear();
    m_hWnd = window;

    m_OpenParms.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    m_OpenParms.lpstrDeviceType = reinterpret_cast<LPCSTR>(MCI_DEVTYPE_WAVEFORM_AUDIO);
    m_OpenParms.lpstrElementName = kNewRecording;
    if (!Succeeded(mciSendCommandA(0, MCI_OPEN, kOpenFlags, Param(&m_OpenParms)),
                   kCreateCaption)) {
        m_OpenParms = MCI_OPEN_PARMSA();
        return 0;
    }
    if (!SetFormat(channels, bitsPerSample, samplesPerSec)) {
        CloseDevice();
        return 0;
    }
    return 1;
}

int CTqSoundRecorder::SetFormat(unsigned int channels, unsigned int bitsPerSample,
                                unsigned int samplesPerSec)
{
    MCI_WAVE_SET_PARMS format = PcmFormat(channels, bitsPerSample, samplesPerSec);
    return Succeeded(mciSendCommandA(m_OpenParms.wDeviceID, MCI_SET, kFormatFlags, Param(&format)),
                     kCreateCaption);
}

int CTqSoundRecorder::StartRec()
{
    if (!m_OpenParms.wDeviceID)
        return 0;
    // Without MCI_WAIT the command returns at once and recording goes on. The
    // block is zeroed rather than null: some drivers refuse a null block.
    MCI_RECORD_PARMS record = {};
    return Succeeded(mciSendCommandA(m_OpenParms.wDeviceID, MCI_RECORD, 0, Param(&record)),
                     kStartCaption);
}

int CTqSoundRecorder::StopRec()
{
    if (!m_OpenParms.wDeviceID)
        return 0;
    return Succeeded(mciSendCommandA(m_OpenParms.wDeviceID, MCI_STOP, MCI_WAIT, 0), kStopCaption);
}

int CTqSoundRecorder::Save(const char* path)
{
    if (!m_OpenParms.wDeviceID)
        return 0;
    MCI_SAVE_PARMSA save = {};
    save.dwCallback = reinterpret_cast<DWORD_PTR>(m_hWnd);
    save.lpfilename = path;
    return Succeeded(mciSendCommandA(m_OpenParms.wDeviceID, MCI_SAVE, kSaveFlags, Param(&save)),
                     kSaveCaption);
}

void CTqSoundRecorder::Clear()
{
    StopRec();
    if (m_OpenParms.wDeviceID)
        CloseDevice();
    m_hWnd = nullptr;
}

// Shows a failed command's error text under caption; 1 when there was none.
int CTqSoundRecorder::Succeeded(MCIERROR error, const char* caption)
{
    if (error == 0)
        return 1;
    char text[kErrorTextSize] = {};
    mciGetErrorStringA(error, text, kErrorTextSize);
    MessageBoxA(m_hWnd, text, caption, MB_OK);
    return 0;
}

// The close command's result is of no use: the device is gone either way.
void CTqSoundRecorder::CloseDevice()
{
    mciSendCommandA(m_OpenParms.wDeviceID, MCI_CLOSE, 0, 0);
    m_OpenParms = MCI_OPEN_PARMSA();
}
