#pragma once

#include <windows.h>

#include "../library/TqExport.h"

/// @file
/// Image files of the common formats (PNG, JPEG, GIF, TIFF, BMP, ICO and
/// whatever else the system's Windows Imaging Component decodes), read into
/// and written from device-independent bitmaps in memory. These stand beside
/// the strict BMP functions of TqBmpFile.h, which stay as they are.
///
/// Both functions use COM on the calling thread: a thread without COM is put
/// into a single-threaded apartment for the call and taken out again before
/// the function returns; a thread already in an apartment of either kind
/// stays as it is. Every codec object is released before the function
/// returns, so the file is closed by then.
///
/// Paths are in the process's ANSI code page (double-byte names included).
///
/// On failure both functions return 0 and set the thread's last error
/// (GetLastError):
/// - ERROR_INVALID_PARAMETER: a null argument, a quality outside 0-100, or a
///   bitmap that cannot be written (see TqWriteImageFile);
/// - ERROR_NOT_SUPPORTED: a file name extension TqWriteImageFile does not
///   know, or no imaging component on the system;
/// - ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
///   ERROR_SHARING_VIOLATION, ERROR_DISK_FULL and other file-system errors as
///   the system reports them;
/// - ERROR_BAD_FORMAT: a file in no format the system decodes; a damaged
///   file may be reported so too when no decoder will open it;
/// - ERROR_INVALID_DATA: a file that is damaged or truncated, or another
///   failure of the codec;
/// - ERROR_ARITHMETIC_OVERFLOW: a picture too big, whose 32-bit pixel buffer
///   would have 4 GiB or more (refused before the library allocates it);
/// - ERROR_NOT_ENOUGH_MEMORY: memory ran out, in the library or in the codec;
/// - ERROR_NO_UNICODE_TRANSLATION: a path that is not valid text in the code
///   page.

/// Reads the picture of an image file: the first frame of a GIF, the first
/// page of a TIFF, the first image of an ICO, any BMP (every header version
/// and compression, rows top-down or bottom-up).
///
/// @param path  the file, in the ANSI code page.
/// @param info  on success, a new block of 44 bytes, zero-filled, holding a
///   BITMAPINFOHEADER: biSize 40, biWidth the width, biHeight the height
///   (positive: rows bottom-up), biPlanes 1, biBitCount 32, biCompression
///   BI_RGB, biSizeImage width x height x 4, every other field 0.
/// @param bits  on success, width x height x 4 new bytes: the pixel rows, the
///   bottom row first, each pixel blue, green, red and alpha. Alpha is
///   straight (colours are not multiplied by it) and 255 wherever the file
///   has no transparency.
/// @return 1 on success. Both blocks are allocated with new unsigned char[]
///   and belong to the caller, who releases them with delete[], as those of
///   TqReadBmpFile. 0 on failure, with info and bits untouched and the reason
///   in GetLastError (see above); nothing is left allocated or open.
TQ_API int TqReadImageFile(const char* path, BITMAPINFO*& info, unsigned char*& bits);

/// Writes a bitmap as an image file in the format the extension of path
/// names, in any case: .png, .bmp, .jpg or .jpeg, .tif or .tiff.
///
/// @param path  the file, in the ANSI code page. An existing file is replaced
///   whole, and only once the new one is complete: the picture is written to
///   a temporary file in the same folder that then takes its place. On
///   failure no file is left behind and an existing one is unchanged.
/// @param info  a BITMAPINFOHEADER (biSize 40, 108 or 124) with its colour
///   table: biWidth positive, biHeight nonzero (negative: rows top-down),
///   biBitCount 1, 4 or 8 (with colour table: biClrUsed entries, or 2^bits
///   when 0), 16 (5-5-5), 24 or 32, biCompression BI_RGB. BI_BITFIELDS is
///   taken with the masks of those layouts (16 bits also 5-6-5). Pixel rows
///   are padded to multiples of 4 bytes.
/// @param bits  the pixel rows as info describes them.
/// @param quality  1 to 100: the JPEG quality (the encoder's ImageQuality
///   option, 0.01 to 1.0); 0: the encoder's default. Other formats ignore
///   it, as may the system's JPEG encoder.
/// @return 1 when the file was written whole; 0 on failure, with the reason
///   in GetLastError (see above).
///
/// Depths are kept where the format takes them; otherwise the picture is
/// written in full colour. At 32 bits the fourth byte of each pixel is
/// straight alpha, kept by PNG and TIFF, except that a picture whose fourth
/// bytes are all 0 (as GDI leaves them) is written opaque. JPEG has no alpha.
/// The bitmap's resolution (biXPelsPerMeter, biYPelsPerMeter) is written
/// when set, 96 dots per inch otherwise.
TQ_API int TqWriteImageFile(const char* path, const BITMAPINFO* info, const unsigned char* bits,
                            int quality);
