// The DLL itself: its module handle, its manifest, and exceptions that cross
// from the library into the caller.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <new>
#include <string>

TEST(Library, RecordsItsOwnModuleHandle)
{
    EXPECT_EQ(TqGetLibraryInstance(), GetModuleHandleA("TqCommon.dll"));
    EXPECT_NE(TqGetLibraryInstance(), GetModuleHandleA(nullptr));
}

TEST(Library, ManifestDescribesTheLibraryAndAsksForCommonControls6)
{
    HMODULE library = TqGetLibraryInstance();
    HRSRC found = FindResourceA(library, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(library, found)));
    ASSERT_NE(data, nullptr);
    const std::string manifest(data, SizeofResource(library, found));
    EXPECT_NE(manifest.find("<description>Basic Library.</description>"), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
}

TEST(Library, AllocationFailuresReachTheCaller)
{
    // A count past 32 bits: refused alike by 32-bit and 64-bit processes.
    CTqArray<char, 2> bytes(16u);
    EXPECT_THROW(bytes.AddSize(0xFFFFFFF0u, 1, 0), std::bad_alloc);
    EXPECT_EQ(bytes.GetSize(), 16u);

    CTqString text("x");
    EXPECT_THROW(text.AddStrCount("0123456789abcdef", 0x10000000u), std::bad_alloc);
    EXPECT_TRUE(text == "x");
}
