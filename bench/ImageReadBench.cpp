// Speed of reading an image file with TqReadImageFile against a hand-written
// decode through the same Windows Imaging Component calls (factory, decoder,
// first frame, converter to 32-bit BGRA, one CopyPixels into a buffer),
// measured in the same run: a 4096 x 4096 PNG with alpha, written by the
// library itself. Time ratio, at most 1.2 wanted. Both sides initialise COM
// and create the factory on every read, as the library does. Each figure is
// the best of several rounds, taken in turns.
#include <TqCommon.h>

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

const int kRounds = 5;
const unsigned int kImageSide = 4096;
const double kTarget = 1.2;

double Seconds(const std::function<void()>& work)
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

template <class Interface>
void Release(Interface* object)
{
    if (object)
        object->Release();
}

// The baseline: the least a program does to get the pixels, top-down.
bool DecodeByHand(const wchar_t* path)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT width = 0;
    UINT height = 0;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr))
        hr = factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder);
    if (SUCCEEDED(hr))
        hr = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(hr))
        hr = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr))
        hr = converter->GetSize(&width, &height);
    if (SUCCEEDED(hr)) {
        const UINT stride = width * 4;
        std::unique_ptr<unsigned char[]> pixels(new unsigned char[size_t(stride) * height]);
        hr = converter->CopyPixels(nullptr, stride, stride * height, pixels.get());
    }
    Release(converter);
    Release(frame);
    Release(decoder);
    Release(factory);
    if (SUCCEEDED(com))
        CoUninitialize();
    return SUCCEEDED(hr);
}

bool ReadWithLibrary(const char* path)
{
    BITMAPINFO* info = nullptr;
    unsigned char* bits = nullptr;
    if (!TqReadImageFile(path, info, bits))
        return false;
    delete[] reinterpret_cast<unsigned char*>(info);
    delete[] bits;
    return true;
}

// A photograph-like picture: smooth ramps with a little noise in every
// channel, alpha included, so that the PNG is neither trivial nor random.
bool WritePicture(const char* path)
{
    CTqDib dib;
    if (!dib.Create(kImageSide, kImageSide, 32, 0))
        return false;
    dib.GradeRect({0, 64, 255, 255}, {255, 192, 0, 128}, 0, nullptr, 1);
    unsigned int noise = 12345;
    unsigned char* pixels = dib.GetPixels();
    for (size_t i = 0, n = size_t(dib.GetPitch()) * dib.GetHeight(); i < n; ++i) {
        noise = noise * 1103515245 + 12345;
        pixels[i] = static_cast<unsigned char>(pixels[i] + ((noise >> 16) & 7));
    }
    return dib.WriteImageFile(path, 0) != 0;
}

}  // namespace

int main()
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    const std::string path = std::string(directory) + "tqbench.png";
    wchar_t widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (!WritePicture(path.c_str()) || !ReadWithLibrary(path.c_str()) || !DecodeByHand(widePath)) {
        std::printf("could not write or read %s\n", path.c_str());
        return 1;
    }

    double library = 1e30;
    double byHand = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        library = std::min(library, Seconds([&] { ReadWithLibrary(path.c_str()); }));
        byHand = std::min(byHand, Seconds([&] { DecodeByHand(widePath); }));
    }
    DeleteFileA(path.c_str());
    const double ratio = library / byHand;
    std::printf("%-36s %8.2f ms  %-18s %8.2f ms  time ratio %.2f (at most %.1f) %s\n",
                "PNG read, 4096 x 4096", library * 1e3, "WIC by hand", byHand * 1e3, ratio,
                kTarget, ratio <= kTarget ? "ok" : "MISSED");
    return 0;
}
