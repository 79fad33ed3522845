#include "media/CTqAVI.h"

#include <cstring>

#include "graphics/internal/TqBmpLayout.h"
#include "library/internal/TqGdiGuards.h"

namespace {

// The caption and texts of Create's failure messages, in code page 932.
// "AVIファイル出力"
const char kCaption[] = "AVI\x83t\x83@\x83" "C\x83\x8b\x8fo\x97\xcd";
// "AVIファイルのオープンに失敗しました。"
const char kOpenFailed[] =
    "AVI\x83t\x83@\x83" "C\x83\x8b\x82\xcc\x83I\x81[\x83v\x83\x93\x82\xc9\x8e\xb8\x94s\x82\xb5"
    "\x82\xdc\x82\xb5\x82\xbd\x81" "B";
// "ストリームの作成に失敗しました。"
const char kStreamFailed[] =
    "\x83X\x83g\x83\x8a\x81[\x83\x80\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc"
    "\x82\xb5\x82\xbd\x81" "B";
// "圧縮ストリームの作成に失敗しました。"
const char kCompressedStreamFailed[] =
    "\x88\xb3\x8fk\x83X\x83g\x83\x8a\x81[\x83\x80\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94s"
    "\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B";
// "ストリームのフォーマット設定に失敗しました。"
const char kFormatFailed[] =
    "\x83X\x83g\x83\x8a\x81[\x83\x80\x82\xcc\x83t\x83H\x81[\x83}\x83" "b\x83g\x90\xdd\x92\xe8"
    "\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B";
// "デバイス コンテキストの取得に失敗しました。"
const char kGetDCFailed[] =
    "\x83" "f\x83o\x83" "C\x83X \x83R\x83\x93\x83" "e\x83L\x83X\x83g\x82\xcc\x8e\xe6\x93\xbe"
    "\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B";
// "DIBセクションの作成に失敗しました。"
const char kDibFailed[] =
    "DIB\x83Z\x83N\x83V\x83\x87\x83\x93\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94s\x82\xb5"
    "\x82\xdc\x82\xb5\x82\xbd\x81" "B";
// "メモリ デバイス コンテキストの取得に失敗しました。"
const char kMemDCFailed[] =
    "\x83\x81\x83\x82\x83\x8a \x83" "f\x83o\x83" "C\x83X \x83R\x83\x93\x83" "e\x83L\x83X\x83g"
    "\x82\xcc\x8e\xe6\x93\xbe\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B";
// "デバイス コンテキストの開放に失敗しました。"
const char kReleaseDCFailed[] =
    "\x83" "f\x83o\x83" "C\x83X \x83R\x83\x93\x83" "e\x83L\x83X\x83g\x82\xcc\x8aJ\x95\xfa\x82\xc9"
    "\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B";

const UINT kOpenMode = OF_WRITE | OF_CREATE | OF_SHARE_DENY_NONE;
const UINT kChooseFlags = ICMF_CHOOSE_KEYFRAME | ICMF_CHOOSE_DATARATE;
const DWORD kUncompressed = mmioFOURCC('D', 'I', 'B', ' ');
const WORD kFrameBits = 24;
const char kStreamName[] = "VIDEO";

void ShowFailure(HWND window, const char* text)
{
    MessageBoxA(window, text, kCaption, MB_OK);
}

// Rows of 24-bit pixels padded as in every DIB.
unsigned int FrameSize(unsigned int width, unsigned int height)
{
    const unsigned long long pitch = tq::BmpPitch(width, kFrameBits, tq::kBmpRowAlignmentBits);
    return static_cast<unsigned int>(pitch * height);
}

BITMAPINFOHEADER FrameHeader(unsigned int width, unsigned int height, unsigned int frameSize)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);  // positive: bottom-up rows
    header.biPlanes = 1;
    header.biBitCount = kFrameBits;
    header.biCompression = BI_RGB;
    header.biSizeImage = frameSize;
    return header;
}

// Preselects uncompressed frames in the compressor dialog.
COMPVARS DefaultCompressor()
{
    COMPVARS options = {};
    options.cbSize = sizeof options;
    options.dwFlags = ICMF_COMPVARS_VALID;
    options.fccHandler = kUncompressed;
    options.lQ = ICQUALITY_DEFAULT;
    return options;
}

AVISTREAMINFOA VideoStreamInfo(DWORD handler, unsigned int width, unsigned int height,
                               unsigned long rate, unsigned long scale)
{
    AVISTREAMINFOA info = {};
    info.fccType = streamtypeVIDEO;
    info.fccHandler = handler;
    info.dwScale = scale;
    info.dwRate = rate;
    info.dwQuality = static_cast<DWORD>(ICQUALITY_DEFAULT);
    SetRect(&info.rcFrame, 0, 0, static_cast<int>(width), static_cast<int>(height));
    std::memcpy(info.szName, kStreamName, sizeof kStreamName);
    return info;
}

// The settings of the dialog, in the form the compressing stream takes them.
AVICOMPRESSOPTIONS CompressOptions(const COMPVARS& chosen)
{
    AVICOMPRESSOPTIONS options = {};
    options.fccType = streamtypeVIDEO;
    options.fccHandler = chosen.fccHandler;
    options.dwKeyFrameEvery = static_cast<DWORD>(chosen.lKey);
    options.dwQuality = static_cast<DWORD>(chosen.lQ);
    options.dwBytesPerSecond = static_cast<DWORD>(chosen.lDataRate);
    if (chosen.lDataRate > 0)
        options.dwFlags |= AVICOMPRESSF_DATARATE;
    if (chosen.lKey > 0)
        options.dwFlags |= AVICOMPRESSF_KEYFRAMES;
    options.lpParms = chosen.lpState;
    options.cbParms = static_cast<DWORD>(chosen.cbState);
    return options;
}

void ReleaseStream(PAVISTREAM& stream)
{
    if (stream)
        AVIStreamRelease(stream);
    stream = nullptr;
}

// Bytes between a packed DIB's header and its bits: the masks of a DIB with
// bit fields and its colour table, laid out as GDI reads them.
size_t ColorTableBytes(const BITMAPINFOHEADER& dib)
{
    return static_cast<size_t>(tq::BmpInfoSize(dib) - tq::kBmpInfoHeaderSize);
}

}  // namespace

CTqAVI::CTqAVI()
    : m_hDib(nullptr),
      m_pPixels(nullptr),
      m_hPrevBitmap(nullptr),
      m_hMemDC(nullptr),
      m_pStream(nullptr),
      m_pCompressedStream(nullptr),
      m_pFile(nullptr),
      m_CompVars(),
      m_nWidth(0),
      m_nHeight(0),
      m_nFrameSize(0),
      m_nFrame(0)
{
}

CTqAVI::CTqAVI(const CTqAVI& other) : CTqAVI()
{
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_nFrameSize = other.m_nFrameSize;
}

CTqAVI& CTqAVI::operator=(const CTqAVI& other)
{
    if (this != &other) {
        Clear();
        m_nWidth = other.m_nWidth;
        m_nHeight = other.m_nHeight;
        m_nFrameSize = other.m_nFrameSize;
    }
    return *this;
}

CTqAVI::~CTqAVI()
{
    Clear();
}

HDC CTqAVI::Create(const char* path, HWND window, unsigned int width, unsigned int height,
                   unsigned long rate, unsigned long scale)
{
    Clear();
    m_nWidth = width;
    m_nHeight = height;
    m_nFrameSize = FrameSize(width, height);

    AVIFileInit();
    BITMAPINFOHEADER header = FrameHeader(width, height, m_nFrameSize);
    m_CompVars = DefaultCompressor();

    if (AVIFileOpenA(&m_pFile, path, kOpenMode, nullptr) != AVIERR_OK) {
        m_pFile = nullptr;
        ShowFailure(window, kOpenFailed);
        AVIFileExit();
        return nullptr;
    }

    if (!ICCompressorChoose(nullptr, kChooseFlags, &header, nullptr, &m_CompVars, nullptr)) {
        // The user cancelled: close the file again without a word.
        m_CompVars = COMPVARS();
        Clear();
        return nullptr;
    }

    AVISTREAMINFOA info = VideoStreamInfo(m_CompVars.fccHandler, width, height, rate, scale);
    PAVISTREAM stream = nullptr;
    if (AVIFileCreateStreamA(m_pFile, &stream, &info) != AVIERR_OK) {
        ShowFailure(window, kStreamFailed);
        Clear();
        return nullptr;
    }
    m_pStream = stream;

    AVICOMPRESSOPTIONS options = CompressOptions(m_CompVars);
    PAVISTREAM compressed = nullptr;
    if (AVIMakeCompressedStream(&compressed, m_pStream, &options, nullptr) != AVIERR_OK) {
        ShowFailure(window, kCompressedStreamFailed);
        Clear();
        return nullptr;
    }
    m_pCompressedStream = compressed;

    if (AVIStreamSetFormat(m_pCompressedStream, 0, &header, sizeof header) != AVIERR_OK) {
        ShowFailure(window, kFormatFailed);
        Clear();
        return nullptr;
    }

    if (!MakeFrame(window, header)) {
        Clear();
        return nullptr;
    }
    return m_hMemDC;
}

// Creates the frame bitmap on window's DC and selects it into a new memory
// DC. On failure shows why and leaves nothing made behind.
HDC CTqAVI::MakeFrame(HWND window, const BITMAPINFOHEADER& header)
{
    tq::WindowDC dc(window);
    if (!dc) {
        ShowFailure(window, kGetDCFailed);
        return nullptr;
    }
    void* pixels = nullptr;
    tq::GdiObject<HBITMAP> dib(CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&header),
                                                DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!dib) {
        ShowFailure(window, kDibFailed);
        return nullptr;
    }
    tq::MemoryDC memDC(dc);
    if (!memDC) {
        ShowFailure(window, kMemDCFailed);
        return nullptr;
    }
    if (dc.ReleaseNow() != 1) {
        ShowFailure(window, kReleaseDCFailed);
        return nullptr;
    }
    m_hDib = dib.Release();
    m_pPixels = pixels;
    m_hMemDC = memDC.Release();
    m_hPrevBitmap = static_cast<HBITMAP>(SelectObject(m_hMemDC, m_hDib));
    return m_hMemDC;
}

HDC CTqAVI::SetBits(BITMAPINFOHEADER* dib)
{
    if (!dib)
        return m_hMemDC;
    const BYTE* bits =
        reinterpret_cast<const BYTE*>(dib) + sizeof(BITMAPINFOHEADER) + ColorTableBytes(*dib);
    // A top-down DIB has a negative height; the number of its rows is the
    // same either way.
    const UINT height = static_cast<UINT>(dib->biHeight);
    const UINT rows = dib->biHeight < 0 ? 0u - height : height;
    SetDIBits(m_hMemDC, m_hDib, 0, rows, bits, reinterpret_cast<const BITMAPINFO*>(dib),
              DIB_RGB_COLORS);
    return m_hMemDC;
}

bool CTqAVI::AddFrame()
{
    if (!m_pStream || !m_pPixels)
        return false;
    const LONG frame = m_nFrame++;
    return AVIStreamWrite(m_pCompressedStream, frame, 1, m_pPixels,
                          static_cast<LONG>(m_nFrameSize), AVIIF_KEYFRAME, nullptr,
                          nullptr) == AVIERR_OK;
}

void CTqAVI::Clear()
{
    if (m_hMemDC) {
        SelectObject(m_hMemDC, m_hPrevBitmap);
        DeleteDC(m_hMemDC);
        m_hMemDC = nullptr;
    }
    if (m_hDib) {
        DeleteObject(m_hDib);
        m_hDib = nullptr;
    }
    ReleaseStream(m_pCompressedStream);
    ReleaseStream(m_pStream);
    if (m_CompVars.cbSize) {
        ICCompressorFree(&m_CompVars);
        m_CompVars = COMPVARS();
    }
    if (m_pFile) {
        AVIFileRelease(m_pFile);
        m_pFile = nullptr;
        AVIFileExit();
    }
    m_nFrame = 0;
    m_pPixels = nullptr;
}

HBITMAP CTqAVI::GetDib()
{
    return m_hDib;
}

HDC CTqAVI::GetMemDC()
{
    return m_hMemDC;
}

void* CTqAVI::GetPixels()
{
    return m_pPixels;
}

unsigned int CTqAVI::GetWidth()
{
    return m_nWidth;
}

unsigned int CTqAVI::GetHeight()
{
    return m_nHeight;
}
