#include "graphics/TqImageFile.h"

#include <objbase.h>
#include <oleauto.h>
#include <wincodec.h>

#include <climits>
#include <cstring>
#include <memory>
#include <new>

#include "graphics/internal/TqBmpLayout.h"
#include "graphics/internal/TqComPtr.h"
#include "library/TqScopedHandle.h"

namespace {

using tq::ComApartment;
using tq::ComPtr;

const unsigned long long kMaxPixelBytes = 0xFFFFFFFFull;  // biSizeImage and WIC sizes are 32 bits
const unsigned int kBgraBytes = 4;
const unsigned int kMaxPaletteBits = 8;
const int kMaxQuality = 100;
const float kQualityScale = 100.0f;
const double kDefaultDpi = 96.0;
const double kMetresPerInch = 0.0254;
const WICColor kOpaque = 0xFF000000;
const DWORD kNoError = ERROR_SUCCESS;
const char kTempPrefix[] = "tq";
const char kCurrentFolder[] = ".";
const wchar_t kImageQuality[] = L"ImageQuality";

// Header sizes of the three BITMAPINFOHEADER versions.
const DWORD kInfoHeaderV4Size = 108;
const DWORD kInfoHeaderV5Size = 124;

// The bit-field masks (red, green, blue) of the layouts that WIC formats
// describe.
const DWORD kMasks32[] = {0x00FF0000, 0x0000FF00, 0x000000FF};
const DWORD kMasks555[] = {0x7C00, 0x03E0, 0x001F};
const DWORD kMasks565[] = {0xF800, 0x07E0, 0x001F};

// The COM storage errors up to this code are Win32 codes (STG_E_FILENOTFOUND
// is ERROR_FILE_NOT_FOUND).
const unsigned int kLargestStorageWin32Code = 0xFF;

// ---------------------------------------------------------------------------
// Errors

DWORD ErrorFromHResult(HRESULT hr)
{
    if (hr == E_OUTOFMEMORY)
        return ERROR_NOT_ENOUGH_MEMORY;
    // A codec reading before the start or past the end of a file, or finding
    // values it cannot take: damage. (The caller's arguments are checked
    // before any codec sees them.)
    if (hr == HRESULT_FROM_WIN32(ERROR_HANDLE_EOF) ||
        hr == HRESULT_FROM_WIN32(ERROR_NEGATIVE_SEEK) || hr == HRESULT_FROM_WIN32(ERROR_SEEK) ||
        hr == E_INVALIDARG)
        return ERROR_INVALID_DATA;
    if (HRESULT_FACILITY(hr) == FACILITY_WIN32 ||
        (HRESULT_FACILITY(hr) == FACILITY_STORAGE && HRESULT_CODE(hr) <= kLargestStorageWin32Code))
        return HRESULT_CODE(hr);
    switch (hr) {
    case WINCODEC_ERR_UNKNOWNIMAGEFORMAT:
    case WINCODEC_ERR_COMPONENTNOTFOUND:
        return ERROR_BAD_FORMAT;
    case WINCODEC_ERR_IMAGESIZEOUTOFRANGE:
        return ERROR_ARITHMETIC_OVERFLOW;
    case REGDB_E_CLASSNOTREG:
        return ERROR_NOT_SUPPORTED;
    default:
        return ERROR_INVALID_DATA;
    }
}

// ---------------------------------------------------------------------------
// Paths

// The path converted for WIC, from the process's ANSI code page.
class WidePath {
public:
    explicit WidePath(const char* path) : m_error(kNoError)
    {
        const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
        if (length > 0)
            m_text.reset(new (std::nothrow) wchar_t[length]);
        if (length <= 0)
            m_error = GetLastError();
        else if (!m_text)
            m_error = ERROR_NOT_ENOUGH_MEMORY;
        else if (!MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, m_text.get(), length))
            m_error = GetLastError();
    }
    DWORD Error() const { return m_error; }
    const wchar_t* Get() const { return m_text.get(); }

private:
    std::unique_ptr<wchar_t[]> m_text;
    DWORD m_error;
};

// The next character of multibyte text: a lead byte and its trail byte (which
// may be 0x5C, a backslash) are one character.
const char* NextChar(const char* p)
{
    return IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] ? p + 2 : p + 1;
}

// Where the file name of path starts: after its last separator.
const char* FileNameOf(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; p = NextChar(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    return name;
}

// The container format that the extension of path names, or null.
const GUID* ContainerOf(const char* path)
{
    const char* extension = nullptr;
    for (const char* p = FileNameOf(path); *p; p = NextChar(p)) {
        if (*p == '.')
            extension = p + 1;
    }
    if (!extension)
        return nullptr;
    const struct {
        const char* extension;
        const GUID* container;
    } formats[] = {
        {"png", &GUID_ContainerFormatPng},  {"bmp", &GUID_ContainerFormatBmp},
        {"jpg", &GUID_ContainerFormatJpeg}, {"jpeg", &GUID_ContainerFormatJpeg},
        {"tif", &GUID_ContainerFormatTiff}, {"tiff", &GUID_ContainerFormatTiff},
    };
    for (const auto& format : formats) {
        if (lstrcmpiA(extension, format.extension) == 0)
            return format.container;
    }
    return nullptr;
}

// A temporary file beside the target, deleted unless it took the target's
// place.
class TempFile {
public:
    explicit TempFile(const char* target) : m_created(false), m_error(kNoError)
    {
        const size_t folderLength = static_cast<size_t>(FileNameOf(target) - target);
        char folder[MAX_PATH];
        if (folderLength >= sizeof folder) {
            m_error = ERROR_FILENAME_EXCED_RANGE;
            return;
        }
        std::memcpy(folder, target, folderLength);
        folder[folderLength] = '\0';
        m_created = GetTempFileNameA(folderLength ? folder : kCurrentFolder, kTempPrefix, 0,
                                     m_path) != 0;
        // A folder that does not exist is reported as an invalid folder name.
        if (!m_created)
            m_error = GetLastError() == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : GetLastError();
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile()
    {
        if (m_created)
            DeleteFileA(m_path);
    }

    DWORD Error() const { return m_error; }
    const char* Path() const { return m_path; }

    // Replaces target with the file; the error when it could not.
    DWORD MoveTo(const char* target)
    {
        if (!MoveFileExA(m_path, target, MOVEFILE_REPLACE_EXISTING))
            return GetLastError();
        m_created = false;
        return kNoError;
    }

private:
    bool m_created;
    DWORD m_error;
    char m_path[MAX_PATH];
};

// ---------------------------------------------------------------------------
// Codec objects

HRESULT CreateFactory(ComPtr<IWICImagingFactory>& factory)
{
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                            IID_IWICImagingFactory, factory.ReceiveVoid());
}

// from, converted to another pixel format on demand.
HRESULT Convert(IWICImagingFactory* factory, IWICBitmapSource* from, const WICPixelFormatGUID& to,
                ComPtr<IWICBitmapSource>& converted)
{
    ComPtr<IWICFormatConverter> converter;
    HRESULT hr = factory->CreateFormatConverter(converter.Receive());
    if (SUCCEEDED(hr))
        hr = converter->Initialize(from, to, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr))
        hr = converter->QueryInterface(IID_IWICBitmapSource, converted.ReceiveVoid());
    return hr;
}

// ---------------------------------------------------------------------------
// Reading

// The first frame of a file as 32-bit BGRA with straight alpha.
HRESULT OpenBgraFrame(IWICImagingFactory* factory, const wchar_t* path,
                      ComPtr<IWICBitmapSource>& pixels, UINT& width, UINT& height)
{
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    WICPixelFormatGUID format;
    HRESULT hr = factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand,
                                                    decoder.Receive());
    if (SUCCEEDED(hr))
        hr = decoder->GetFrame(0, frame.Receive());
    if (SUCCEEDED(hr))
        hr = frame->GetSize(&width, &height);
    if (SUCCEEDED(hr))
        hr = frame->GetPixelFormat(&format);
    if (FAILED(hr))
        return hr;
    if (IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA))
        return frame->QueryInterface(IID_IWICBitmapSource, pixels.ReceiveVoid());
    return Convert(factory, frame.Get(), GUID_WICPixelFormat32bppBGRA, pixels);
}

// Row by row into place: WIC copies top-down only, and a bottom-up buffer
// filled this way needs no second pass.
HRESULT CopyRowsBottomUp(IWICBitmapSource* pixels, UINT width, UINT height, unsigned char* bits)
{
    const UINT stride = width * kBgraBytes;
    for (UINT y = 0; y < height; ++y) {
        const WICRect row = {0, static_cast<INT>(y), static_cast<INT>(width), 1};
        unsigned char* target = bits + static_cast<size_t>(height - 1 - y) * stride;
        const HRESULT hr = pixels->CopyPixels(&row, stride, stride, target);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

BITMAPINFOHEADER BgraHeader(UINT width, UINT height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = tq::kBmpInfoHeaderSize;
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);
    header.biPlanes = 1;
    header.biBitCount = kBgraBytes * CHAR_BIT;
    header.biCompression = BI_RGB;
    header.biSizeImage = width * height * kBgraBytes;
    return header;
}

DWORD ReadImage(const char* path, BITMAPINFO*& info, unsigned char*& bits)
{
    if (!path)
        return ERROR_INVALID_PARAMETER;
    const WidePath widePath(path);
    if (widePath.Error())
        return widePath.Error();
    const ComApartment com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapSource> pixels;
    UINT width = 0;
    UINT height = 0;
    HRESULT hr = com.Status();
    if (SUCCEEDED(hr))
        hr = CreateFactory(factory);
    if (SUCCEEDED(hr))
        hr = OpenBgraFrame(factory.Get(), widePath.Get(), pixels, width, height);
    if (FAILED(hr))
        return ErrorFromHResult(hr);
    const unsigned long long size = static_cast<unsigned long long>(width) * height * kBgraBytes;
    if (size == 0)
        return ERROR_INVALID_DATA;
    if (size > kMaxPixelBytes)
        return ERROR_ARITHMETIC_OVERFLOW;

    // The block is as long as every info block the library allocates, so
    // that code copying a BITMAPINFO (with its one colour) stays inside it.
    std::unique_ptr<unsigned char[]> block(
        new (std::nothrow) unsigned char[tq::kBmpMinInfoBlockSize]());
    std::unique_ptr<unsigned char[]> rows(
        new (std::nothrow) unsigned char[static_cast<size_t>(size)]);
    if (!block || !rows)
        return ERROR_NOT_ENOUGH_MEMORY;
    hr = CopyRowsBottomUp(pixels.Get(), width, height, rows.get());
    if (FAILED(hr))
        return ErrorFromHResult(hr);
    const BITMAPINFOHEADER header = BgraHeader(width, height);
    std::memcpy(block.get(), &header, sizeof header);
    info = reinterpret_cast<BITMAPINFO*>(block.release());
    bits = rows.release();
    return kNoError;
}

// ---------------------------------------------------------------------------
// Writing

// A bitmap the caller passed, as WIC sees it.
struct DibPicture {
    UINT width;
    UINT height;
    UINT pitch;
    bool topDown;
    WICPixelFormatGUID format;
    const RGBQUAD* colours;  // colour table of 1-, 4- and 8-bit bitmaps
    UINT colourCount;        // entries in it
    UINT paletteSize;        // 2^bits for those bitmaps
    double dpiX;
    double dpiY;
    const unsigned char* bits;
};

bool HasMasks(const BITMAPINFO* info, const DWORD (&masks)[3])
{
    return std::memcmp(reinterpret_cast<const unsigned char*>(info) + tq::kBmpInfoHeaderSize,
                       masks, sizeof masks) == 0;
}

bool AllFourthBytesZero(const unsigned char* bits, UINT pitch, UINT width, UINT height)
{
    for (UINT y = 0; y < height; ++y) {
        const unsigned char* row = bits + static_cast<size_t>(y) * pitch;
        for (UINT x = 0; x < width; ++x) {
            if (row[x * kBgraBytes + 3])
                return false;
        }
    }
    return true;
}

// The WIC format of the pixels; false for layouts it has none for.
bool PixelFormatOf(const BITMAPINFO* info, const unsigned char* bits, DibPicture& picture)
{
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const bool fields = header.biCompression == BI_BITFIELDS;
    if (header.biCompression != BI_RGB && !fields)
        return false;
    switch (header.biBitCount) {
    case 1:
        picture.format = GUID_WICPixelFormat1bppIndexed;
        return !fields;
    case 4:
        picture.format = GUID_WICPixelFormat4bppIndexed;
        return !fields;
    case 8:
        picture.format = GUID_WICPixelFormat8bppIndexed;
        return !fields;
    case 16:
        picture.format = fields && HasMasks(info, kMasks565) ? GUID_WICPixelFormat16bppBGR565
                                                             : GUID_WICPixelFormat16bppBGR555;
        return !fields || HasMasks(info, kMasks565) || HasMasks(info, kMasks555);
    case 24:
        picture.format = GUID_WICPixelFormat24bppBGR;
        return !fields;
    case 32:
        // GDI leaves the fourth byte 0: such a picture is opaque, not invisible.
        picture.format = AllFourthBytesZero(bits, picture.pitch, picture.width, picture.height)
                             ? GUID_WICPixelFormat32bppBGR
                             : GUID_WICPixelFormat32bppBGRA;
        return !fields || HasMasks(info, kMasks32);
    default:
        return false;
    }
}

double DotsPerInch(LONG pixelsPerMetre)
{
    return pixelsPerMetre > 0 ? pixelsPerMetre * kMetresPerInch : kDefaultDpi;
}

// Checks the caller's bitmap and describes it; the error when it cannot be
// written.
DWORD DescribeDib(const BITMAPINFO* info, const unsigned char* bits, DibPicture& picture)
{
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if ((header.biSize != tq::kBmpInfoHeaderSize && header.biSize != kInfoHeaderV4Size &&
         header.biSize != kInfoHeaderV5Size) ||
        header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == LONG_MIN ||
        !tq::IsBmpBitCount(header.biBitCount))
        return ERROR_INVALID_PARAMETER;
    const unsigned long long height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight)
                                                          : header.biHeight;
    const unsigned long long pitch = tq::BmpPitch(static_cast<unsigned long long>(header.biWidth),
                                                  header.biBitCount, tq::kBmpRowAlignmentBits);
    if (pitch * height > kMaxPixelBytes ||
        static_cast<unsigned long long>(header.biWidth) * height * kBgraBytes > kMaxPixelBytes)
        return ERROR_ARITHMETIC_OVERFLOW;
    picture.width = static_cast<UINT>(header.biWidth);
    picture.height = static_cast<UINT>(height);
    picture.pitch = static_cast<UINT>(pitch);
    picture.topDown = header.biHeight < 0;
    picture.bits = bits;
    picture.dpiX = DotsPerInch(header.biXPelsPerMeter);
    picture.dpiY = DotsPerInch(header.biYPelsPerMeter);
    if (!PixelFormatOf(info, bits, picture))
        return ERROR_INVALID_PARAMETER;
    // Only BI_RGB bitmaps have a colour table: right after the header.
    picture.colours = reinterpret_cast<const RGBQUAD*>(
        reinterpret_cast<const unsigned char*>(info) + header.biSize);
    if (header.biBitCount <= kMaxPaletteBits) {
        picture.paletteSize = 1u << header.biBitCount;
        picture.colourCount = header.biClrUsed && header.biClrUsed < picture.paletteSize
                                  ? header.biClrUsed
                                  : picture.paletteSize;
    }
    return kNoError;
}

bool IsIndexed(const WICPixelFormatGUID& format)
{
    return IsEqualGUID(format, GUID_WICPixelFormat1bppIndexed) ||
           IsEqualGUID(format, GUID_WICPixelFormat4bppIndexed) ||
           IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed);
}

// The colour table as an opaque WIC palette of 2^bits entries, those beyond
// the table black, so that no pixel value finds a missing colour.
HRESULT MakePalette(IWICImagingFactory* factory, const DibPicture& picture,
                    ComPtr<IWICPalette>& palette)
{
    WICColor colours[1u << kMaxPaletteBits] = {};
    for (UINT i = 0; i < picture.paletteSize; ++i) {
        const RGBQUAD black = {};
        const RGBQUAD& c = i < picture.colourCount ? picture.colours[i] : black;
        colours[i] = kOpaque | static_cast<WICColor>(c.rgbRed) << 16 |
                     static_cast<WICColor>(c.rgbGreen) << 8 | c.rgbBlue;
    }
    HRESULT hr = factory->CreatePalette(palette.Receive());
    if (SUCCEEDED(hr))
        hr = palette->InitializeCustom(colours, picture.paletteSize);
    return hr;
}

// The caller's rows copied into a WIC bitmap, top row first.
HRESULT CopyIntoBitmap(const DibPicture& picture, IWICBitmap* bitmap)
{
    const WICRect all = {0, 0, static_cast<INT>(picture.width), static_cast<INT>(picture.height)};
    ComPtr<IWICBitmapLock> lock;
    UINT stride = 0;
    UINT size = 0;
    BYTE* data = nullptr;
    HRESULT hr = bitmap->Lock(&all, WICBitmapLockWrite, lock.Receive());
    if (SUCCEEDED(hr))
        hr = lock->GetStride(&stride);
    if (SUCCEEDED(hr))
        hr = lock->GetDataPointer(&size, &data);
    if (FAILED(hr))
        return hr;
    const UINT rowBytes = stride < picture.pitch ? stride : picture.pitch;
    for (UINT y = 0; y < picture.height; ++y) {
        const UINT source = picture.topDown ? y : picture.height - 1 - y;
        std::memcpy(data + static_cast<size_t>(y) * stride,
                    picture.bits + static_cast<size_t>(source) * picture.pitch, rowBytes);
    }
    return S_OK;
}

HRESULT MakeBitmap(IWICImagingFactory* factory, const DibPicture& picture,
                   ComPtr<IWICBitmap>& bitmap, ComPtr<IWICPalette>& palette)
{
    HRESULT hr = factory->CreateBitmap(picture.width, picture.height, picture.format,
                                       WICBitmapCacheOnLoad, bitmap.Receive());
    if (SUCCEEDED(hr))
        hr = CopyIntoBitmap(picture, bitmap.Get());
    if (SUCCEEDED(hr) && IsIndexed(picture.format)) {
        hr = MakePalette(factory, picture, palette);
        if (SUCCEEDED(hr))
            hr = bitmap->SetPalette(palette.Get());
    }
    return hr;
}

HRESULT SetQuality(IPropertyBag2* options, int quality)
{
    PROPBAG2 option = {};
    option.pstrName = const_cast<LPOLESTR>(kImageQuality);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = static_cast<float>(quality) / kQualityScale;
    return options->Write(1, &option, &value);
}

// The frame takes the bitmap's own format when the codec has it, and full
// colour (with alpha when the picture may have some) otherwise; the codec
// answers with the format it will write.
HRESULT NegotiateFormat(IWICBitmapFrameEncode* frame, const DibPicture& picture,
                        WICPixelFormatGUID& chosen)
{
    chosen = picture.format;
    HRESULT hr = frame->SetPixelFormat(&chosen);
    if (SUCCEEDED(hr) && !IsEqualGUID(chosen, picture.format)) {
        chosen = IsEqualGUID(picture.format, GUID_WICPixelFormat32bppBGRA)
                     ? GUID_WICPixelFormat32bppBGRA
                     : GUID_WICPixelFormat24bppBGR;
        hr = frame->SetPixelFormat(&chosen);
    }
    return hr;
}

// What the frame writes: the bitmap itself, or the bitmap converted to the
// format the codec chose. Conversions go through 32-bit BGRA, which every
// converter reads and writes; some lack direct paths (Wine's, from 16-bit
// 5-5-5 to 24-bit BGR).
HRESULT SourceInFormat(IWICImagingFactory* factory, IWICBitmap* bitmap,
                       const WICPixelFormatGUID& bitmapFormat, const WICPixelFormatGUID& chosen,
                       ComPtr<IWICBitmapSource>& source)
{
    if (IsEqualGUID(chosen, bitmapFormat))
        return bitmap->QueryInterface(IID_IWICBitmapSource, source.ReceiveVoid());
    ComPtr<IWICBitmapSource> bgra;
    HRESULT hr = Convert(factory, bitmap, GUID_WICPixelFormat32bppBGRA, bgra);
    if (SUCCEEDED(hr) && IsEqualGUID(chosen, GUID_WICPixelFormat32bppBGRA))
        return bgra->QueryInterface(IID_IWICBitmapSource, source.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = Convert(factory, bgra.Get(), chosen, source);
    return hr;
}

HRESULT WriteFrame(IWICImagingFactory* factory, IWICBitmapEncoder* encoder,
                   const DibPicture& picture, int quality)
{
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICPalette> palette;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    ComPtr<IWICBitmapSource> source;
    WICPixelFormatGUID chosen = picture.format;
    HRESULT hr = MakeBitmap(factory, picture, bitmap, palette);
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(frame.Receive(), options.Receive());
    GUID container = {};
    if (SUCCEEDED(hr))
        hr = encoder->GetContainerFormat(&container);
    if (SUCCEEDED(hr) && quality > 0 && IsEqualGUID(container, GUID_ContainerFormatJpeg))
        hr = SetQuality(options.Get(), quality);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(options.Get());
    if (SUCCEEDED(hr))
        hr = frame->SetSize(picture.width, picture.height);
    if (SUCCEEDED(hr))
        hr = frame->SetResolution(picture.dpiX, picture.dpiY);
    if (SUCCEEDED(hr))
        hr = NegotiateFormat(frame.Get(), picture, chosen);
    if (SUCCEEDED(hr) && IsIndexed(chosen))
        hr = frame->SetPalette(palette.Get());
    if (SUCCEEDED(hr))
        hr = SourceInFormat(factory, bitmap.Get(), picture.format, chosen, source);
    if (SUCCEEDED(hr))
        hr = frame->WriteSource(source.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    return hr;
}

// Encodes the picture into the file at path (which exists and is replaced);
// every codec object, and with them the file, is released on return.
DWORD Encode(const wchar_t* path, const GUID& container, const DibPicture& picture, int quality)
{
    const ComApartment com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    HRESULT hr = com.Status();
    if (SUCCEEDED(hr))
        hr = CreateFactory(factory);
    if (SUCCEEDED(hr))
        hr = factory->CreateStream(stream.Receive());
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(path, GENERIC_WRITE);
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(container, nullptr, encoder.Receive());
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = WriteFrame(factory.Get(), encoder.Get(), picture, quality);
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return SUCCEEDED(hr) ? kNoError : ErrorFromHResult(hr);
}

// Wine's BMP encoder leaves the colour table out of bfSize, and strict
// readers (TqReadBmpFile among them) refuse such files: the field is set to
// the file's length when it differs.
DWORD CorrectBmpFileSize(const char* path)
{
    CTqScopedFileHandle file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BITMAPFILEHEADER header;
    LARGE_INTEGER size;
    DWORD done = 0;
    if (!file.IsValid() || !GetFileSizeEx(file.Get(), &size) ||
        !ReadFile(file.Get(), &header, sizeof header, &done, nullptr))
        return GetLastError();
    if (done != sizeof header || size.QuadPart > static_cast<LONGLONG>(kMaxPixelBytes) ||
        header.bfSize == size.QuadPart)
        return kNoError;
    header.bfSize = static_cast<DWORD>(size.QuadPart);
    if (SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !WriteFile(file.Get(), &header, sizeof header, &done, nullptr) || !file.Close())
        return GetLastError();
    return kNoError;
}

DWORD WriteImage(const char* path, const BITMAPINFO* info, const unsigned char* bits, int quality)
{
    if (!path || !info || !bits || quality < 0 || quality > kMaxQuality)
        return ERROR_INVALID_PARAMETER;
    const GUID* container = ContainerOf(path);
    if (!container)
        return ERROR_NOT_SUPPORTED;
    DibPicture picture = {};
    DWORD error = DescribeDib(info, bits, picture);
    if (error)
        return error;
    TempFile temp(path);
    if (temp.Error())
        return temp.Error();
    const WidePath widePath(temp.Path());
    error = widePath.Error();
    if (!error)
        error = Encode(widePath.Get(), *container, picture, quality);
    if (!error && IsEqualGUID(*container, GUID_ContainerFormatBmp))
        error = CorrectBmpFileSize(temp.Path());
    return error ? error : temp.MoveTo(path);
}

int Result(DWORD error)
{
    if (error == kNoError)
        return 1;
    SetLastError(error);
    return 0;
}

}  // namespace

int TqReadImageFile(const char* path, BITMAPINFO*& info, unsigned char*& bits)
{
    return Result(ReadImage(path, info, bits));
}

int TqWriteImageFile(const char* path, const BITMAPINFO* info, const unsigned char* bits,
                     int quality)
{
    return Result(WriteImage(path, info, bits, quality));
}
