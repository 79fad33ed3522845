// The DLL's own module handle. (Its manifest is read by the resource test of
// tests/system; exceptions that cross from the library into the caller are
// met by the container and string tests.)
#include <TqCommon.h>

#include <gtest/gtest.h>

TEST(Library, RecordsItsOwnModuleHandle)
{
    EXPECT_EQ(TqGetLibraryInstance(), GetModuleHandleA("TqCommon.dll"));
}
